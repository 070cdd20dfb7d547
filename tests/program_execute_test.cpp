// Execution of hand-built nodes of every kind, and the dump of compiled trees.
#include <gtest/gtest.h>

#include <initializer_list>

#include "program_test_support.h"

namespace {

using programTest::CoutCapture;
using programTest::traceLine;

std::string executeTrace(const std::string& lead, unsigned line) { return traceLine(lead, "execute", line); }
std::string dumpTrace(const std::string& lead, unsigned line) { return traceLine(lead, "COUT", line); }

localOperatorCompiled node(localCompiledOperatorType kind, const std::wstring& text = L"",
                           const std::wstring& name = L"", std::initializer_list<localOperatorCompiled> children = {}) {
  localOperatorCompiled result;
  result.kind = kind;
  result.text = text;
  result.name = name;
  result.children = children;
  return result;
}

localOperatorCompiled block(std::initializer_list<localOperatorCompiled> children) {
  return node(localCompiledOperatorTypeBLOCK, L"", L"", children);
}

localOperatorCompiled branch(const std::wstring& condition, std::initializer_list<localOperatorCompiled> children) {
  return node(localCompiledOperatorTypeBLOCK, condition, L"", children);
}

localOperatorCompiled assign(const std::wstring& name, const std::wstring& text) {
  return node(localCompiledOperatorTypeEXPRESSION, text, name);
}

class ProgramExecute : public testing::Test {
 protected:
  struct Outcome {
    bool ok = false;
    localReturnStateType state = localErrorTypeOK;
    std::string printed;
  };

  Outcome run(const localOperatorCompiled& root, localReturnStateType incoming = localErrorTypeOK) {
    Outcome outcome;
    outcome.state = incoming;
    localValueList arguments;
    localValueDescription result;
    CoutCapture capture;
    outcome.ok = root.executor(outcome.state, &context, &root, &arguments, result);
    outcome.printed = capture.text();
    return outcome;
  }

  double number(const std::wstring& name) {
    const auto* variable = context.varGetPointer(name);
    return variable != nullptr ? variable->value.getNum() : -999;
  }

  localContextUTF8 context;
};

TEST_F(ProgramExecute, EmptyBlockResultIsTheIncomingState) {
  EXPECT_TRUE(run(block({})).ok);
  EXPECT_FALSE(run(block({}), localErrorTypeSYNTAX).ok);
}

TEST_F(ProgramExecute, ExpressionAndAssignStoreUnderTheUpperCasedName) {
  auto outcome = run(block({assign(L"x", L"2*3"), node(localCompiledOperatorTypeASSIGN, L"x+1", L"Yy"),
                            assign(L"", L"x*100")}));
  ASSERT_TRUE(outcome.ok) << outcome.printed;
  EXPECT_EQ(outcome.printed, "");
  EXPECT_EQ(number(L"X"), 6);
  EXPECT_EQ(number(L"YY"), 7);
  // A nameless expression is evaluated for its effect only.
  EXPECT_EQ(context.varGetPointer(L""), nullptr);
}

TEST_F(ProgramExecute, FailureStopsTheBlockAndKeepsEarlierAssignments) {
  auto outcome = run(block({assign(L"A", L"1"), assign(L"Y", L"nope"), assign(L"B", L"2")}));
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.state, localErrorTypeVARIABLEunknown);
  EXPECT_EQ(number(L"A"), 1);
  EXPECT_EQ(context.varGetPointer(L"B"), nullptr);

  // The compiler never builds ASSIGN nodes; their failure lines are checked here.
  auto assignFailure = run(node(localCompiledOperatorTypeASSIGN, L"1/0", L"Z"));
  EXPECT_EQ(assignFailure.state, localErrorTypeDIVISIONbyZero);
  EXPECT_EQ(assignFailure.printed, executeTrace("Z=1/0; ", 431) + executeTrace("Деление на 0!", 432) +
                                       executeTrace("ERROR!!! func: ", 433));
}

TEST_F(ProgramExecute, IfRunsTheFirstSelectedBranchOnly) {
  auto elseTaken = run(node(localCompiledOperatorTypeIF, L"", L"",
                            {branch(L"0", {assign(L"r", L"1")}), branch(L"", {assign(L"r", L"2")})}));
  ASSERT_TRUE(elseTaken.ok);
  EXPECT_EQ(number(L"R"), 2);

  run(node(localCompiledOperatorTypeIF, L"", L"",
           {branch(L"0.5", {assign(L"r", L"3")}), branch(L"1", {assign(L"r", L"4")})}));
  EXPECT_EQ(number(L"R"), 3);

  // A negative condition is false; with no ELSE nothing runs and the IF succeeds.
  auto noneTaken = run(node(localCompiledOperatorTypeIF, L"", L"", {branch(L"0-1", {assign(L"r", L"5")})}));
  EXPECT_TRUE(noneTaken.ok);
  EXPECT_EQ(number(L"R"), 3);

}

TEST_F(ProgramExecute, WhileTestsBeforeEveryPassAndReturnDoesNotStopIt) {
  context.varSetValueNum(L"x", 5);
  auto never = run(node(localCompiledOperatorTypeWHILE, L"x < 3", L"", {assign(L"x", L"x+1")}));
  EXPECT_TRUE(never.ok);
  EXPECT_EQ(number(L"X"), 5);

  context.varSetValueNum(L"x", 0);
  auto counted = run(node(localCompiledOperatorTypeWHILE, L"x < 3", L"",
                          {block({assign(L"x", L"x+1"), node(localCompiledOperatorTypeRENURN)})}));
  EXPECT_TRUE(counted.ok);
  EXPECT_EQ(number(L"X"), 3);
  const std::string renurn = executeTrace("localCompiledOperatorTypeRENURN ", 453);
  EXPECT_EQ(counted.printed, renurn + renurn + renurn);

}

TEST_F(ProgramExecute, NoneNodeOnlyReports) {
  auto outcome = run(node(localCompiledOperatorTypeNONE));
  EXPECT_TRUE(outcome.ok);
  EXPECT_EQ(outcome.printed, executeTrace("localCompiledOperatorTypeNONE ", 316));
}

unsigned visits = 0;
bool countingExecutor(localReturnStateType& state, localContextUTF8* context, const localOperatorCompiled* node,
                      localValueList* arguments, localValueDescription& result) {
  ++visits;
  if (node->text == L"fail") {
    state = localErrorTypeCODE;
    return false;
  }
  return localOperatorCompiled::execute(state, context, node, arguments, result);
}

TEST_F(ProgramExecute, ChildrenRunThroughTheirOwnExecutor) {
  localOperatorCompiled first(&countingExecutor);
  localOperatorCompiled failing(&countingExecutor);
  failing.text = L"fail";
  localOperatorCompiled never(&countingExecutor);
  visits = 0;
  auto outcome = run(block({first, failing, never}));
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(visits, 2u);  // the block stops at the first failure
}

TEST_F(ProgramExecute, DamagedNodesFailCleanly) {
  localReturnStateType state = localErrorTypeOK;
  localValueDescription result;
  CoutCapture capture;
  EXPECT_FALSE(localOperatorCompiled::execute(state, &context, nullptr, nullptr, result));
  EXPECT_EQ(state, localErrorTypeCODE);

  localOperatorCompiled strange;
  strange.kind = static_cast<localCompiledOperatorType>(77);
  state = localErrorTypeOK;
  EXPECT_FALSE(localOperatorCompiled::execute(state, &context, &strange, nullptr, result));
  EXPECT_EQ(state, localErrorTypeCODE);

  // Without a context nothing is stored.
  state = localErrorTypeOK;
  const localOperatorCompiled store = assign(L"x", L"1");
  EXPECT_FALSE(localOperatorCompiled::execute(state, nullptr, &store, nullptr, result));
  EXPECT_EQ(state, localErrorTypeCONTEXTmissing);
}

TEST_F(ProgramExecute, DumpIndentsBranchesOneLevelDeeperThanTheirIf) {
  auto compiled = programTest::compile(L"IF a THEN x = 1; ELSE ? 2; ENDIF;", &context);
  ASSERT_TRUE(compiled.ok);
  CoutCapture capture;
  compiled.root->COUT(0);
  EXPECT_EQ(capture.text(),
            "[0]  " + dumpTrace("// start localCompiledOperatorTypeBLOCK with indent=0 func: ", 240) +  //
                "[0]  " + dumpTrace("localCompiledOperatorTypeIF ", 273) +                                //
                "if  ( a ) then " + dumpTrace("   func: ", 284) +                                         //
                "[2]  ..... " + dumpTrace("// start localCompiledOperatorTypeBLOCK with indent=1 func: ", 240) +
                "[10]  ..... " + dumpTrace("X=1; ", 256) +  //
                "..... " + dumpTrace("// finish localCompiledOperatorTypeBLOCK with indent=1 func: ", 243) +
                "else " + dumpTrace("   func: ", 284) +  //
                "[21]  ..... " + dumpTrace("// start localCompiledOperatorTypeBLOCK with indent=1 func: ", 240) +
                "[22]  ..... " + dumpTrace("? (2) ; ", 303) +  //
                "..... " + dumpTrace("// finish localCompiledOperatorTypeBLOCK with indent=1 func: ", 243) +
                dumpTrace("endif;  func: ", 291) +  //
                dumpTrace("// finish localCompiledOperatorTypeBLOCK with indent=0 func: ", 243));
}

TEST_F(ProgramExecute, DumpOfLoopsCommandsAndBareNodes) {
  auto compiled = programTest::compile(L"WHILE x DO HELP ; ENDDO;", &context);
  ASSERT_TRUE(compiled.ok);
  CoutCapture capture;
  compiled.root->children[0].COUT(1);
  node(localCompiledOperatorTypeNONE).COUT(3);
  node(localCompiledOperatorTypeRENURN).COUT(3);
  node(localCompiledOperatorTypeASSIGN, L"1", L"Q").COUT(0);
  EXPECT_EQ(capture.text(),
            "[0]  ..... " + dumpTrace("while (x ) do func: ", 263) +
                "[0]  ..... ..... " + dumpTrace("// start localCompiledOperatorTypeBLOCK with indent=2 func: ", 240) +
                "[0]  ..... ..... " + dumpTrace("HELP ; ", 249) +
                "..... ..... " + dumpTrace("// finish localCompiledOperatorTypeBLOCK with indent=2 func: ", 243) +
                "..... " + dumpTrace("enddo;  func: ", 268) +  //
                "[0]  " + dumpTrace("localCompiledOperatorTypeNONE ", 235) +
                "[0]  " + dumpTrace("localCompiledOperatorTypeRENURN ", 307) +  //
                "[0]  " + dumpTrace("Q=1; ", 297));
}

}  // namespace

// The compiler's output: the tree shape (kinds, names, exact source texts, positions) for
// every statement form in both keyword languages, and what stays after a failure.
#include <gtest/gtest.h>

#include "program_test_support.h"

namespace {

using programTest::compile;
using programTest::traceLine;

std::string compileTrace(const std::string& lead, unsigned line) { return traceLine(lead, "textCompile", line); }

// The tree as one line: KIND@position [name=]'text' [children], children apart by " | ".
std::wstring shape(const localOperatorCompiled& node) {
  static const wchar_t* const kinds[] = {L"NONE", L"BLOCK", L"COMMAND", L"EXPRESSION", L"IF",
                                         L"ASSIGN", L"PRINT", L"RENURN", L"WHILE"};
  std::wstring line = kinds[node.kind] + (L"@" + std::to_wstring(node.position));
  if (!node.name.empty()) line += L" " + node.name + L"='" + node.text + L"'";
  if (node.name.empty() && !node.text.empty()) line += L" '" + node.text + L"'";
  if (node.kind == localCompiledOperatorTypeBLOCK || !node.children.empty()) {
    line += L"[";
    for (std::size_t i = 0; i < node.children.size(); ++i) line += (i ? L" | " : L"") + shape(node.children[i]);
    line += L"]";
  }
  return line;
}

class ProgramCompile : public testing::Test {
 protected:
  localContextUTF8 context;
};

TEST_F(ProgramCompile, EmptyAndCommentOnlyTextsGiveAnEmptyBlock) {
  for (const std::wstring text : {L"", L"   ", L"  // only a note\n\t// another\n"}) {
    auto result = compile(text, &context);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.root->kind, localCompiledOperatorTypeBLOCK);
    EXPECT_TRUE(result.root->children.empty());
    EXPECT_EQ(result.printed, "");
  }
  // The result is the test of the incoming state.
  EXPECT_FALSE(compile(L"", &context, localErrorTypeSYNTAX).ok);
}

TEST_F(ProgramCompile, PrintAssignmentAndCallKeepExactSourceTexts) {
  const std::wstring text = L"? 2+2 ;\n x = 1 + 2 ;\nF(1) ;\nPRINT;\nобъём=3;";
  auto result = compile(text, &context);
  ASSERT_TRUE(result.ok) << result.printed;
  EXPECT_EQ(result.printed, "");
  EXPECT_EQ(shape(*result.root), L"BLOCK@0[PRINT@0 '2+2 ' | EXPRESSION@9 X='1 + 2 ' | EXPRESSION@0 'F(1) ' | "
                                 L"EXPRESSION@" + std::to_wstring(text.find(L'о')) + L" ОБЪЁМ='3']");
  EXPECT_EQ(result.position, text.size());
}

TEST_F(ProgramCompile, ForBecomesStartAssignmentAndWhileWithStep) {
  auto result = compile(L"s = 0; FOR i = 1 TO 3 DO s = s + i; ENDDO;", &context);
  ASSERT_TRUE(result.ok) << result.printed;
  EXPECT_EQ(shape(*result.root), L"BLOCK@0[EXPRESSION@0 S='0' | EXPRESSION@7 i=' 1 ' | "
                                 L"WHILE@7 '(i<=( 3 ))'[BLOCK@0[EXPRESSION@25 S='s + i'] | EXPRESSION@7 i='i+1']]");

  auto russian = compile(L"ДЛЯ й = 1 ПО n*2 ЦИКЛ ? й; КОНЕЦЦИКЛА;", &context);
  ASSERT_TRUE(russian.ok) << russian.printed;
  EXPECT_EQ(shape(*russian.root), L"BLOCK@0[EXPRESSION@0 й=' 1 ' | "
                                  L"WHILE@0 '(й<=( n*2 ))'[BLOCK@0[PRINT@22 'й'] | EXPRESSION@0 й='й+1']]");
}

TEST_F(ProgramCompile, WhileKeepsItsConditionInBracketsAndPositionZero) {
  for (const std::wstring text : {L"x = 1; WHILE x < 3 DO ? x; x = x + 1; ENDDO;",
                                  L"x = 1; пока x < 3 цикл ? x; x = x + 1; конеццикла;"}) {
    auto result = compile(text, &context);
    ASSERT_TRUE(result.ok) << result.printed;
    EXPECT_EQ(shape(*result.root), L"BLOCK@0[EXPRESSION@0 X='1' | WHILE@0 '(x < 3 )'[BLOCK@0[PRINT@" +
                                       std::to_wstring(text.find(L'?')) + L" 'x' | EXPRESSION@" +
                                       std::to_wstring(text.find(L"x = x")) + L" X='x + 1']]]");
  }
}

TEST_F(ProgramCompile, IfBranchesCarryConditionsAndStartPositions) {
  auto english = compile(L"IF a THEN x = 1; ELSEIF b THEN x = 2; ELSE x = 3; ENDIF;", &context);
  ASSERT_TRUE(english.ok) << english.printed;
  EXPECT_EQ(shape(*english.root), L"BLOCK@0[IF@0[BLOCK@2 ' a '[EXPRESSION@10 X='1'] | "
                                  L"BLOCK@23 ' b '[EXPRESSION@31 X='2'] | BLOCK@42[EXPRESSION@43 X='3']]]");

  auto russian = compile(L"Если a Тогда x = 1; ИначеЕсли b тогда x = 2; Иначе x = 3; КонецЕсли;", &context);
  ASSERT_TRUE(russian.ok) << russian.printed;
  EXPECT_EQ(shape(*russian.root), L"BLOCK@0[IF@0[BLOCK@4 ' a '[EXPRESSION@13 X='1'] | "
                                  L"BLOCK@29 ' b '[EXPRESSION@38 X='2'] | BLOCK@50[EXPRESSION@51 X='3']]]");
}

TEST_F(ProgramCompile, IfBranchesAfterElseOrAfterAForeignCloserAreStillBranches) {
  // Once ELSE was seen, a later ELSEIF opens a branch without a condition.
  auto afterElse = compile(L"IF a THEN x=1; ELSE x=2; ELSEIF x=3; ENDIF;", &context);
  EXPECT_EQ(shape(*afterElse.root), L"BLOCK@0[IF@0[BLOCK@2 ' a '[EXPRESSION@10 X='1'] | "
                                    L"BLOCK@19[EXPRESSION@20 X='2'] | BLOCK@31[EXPRESSION@32 X='3']]]");
  // A branch closed by ENDDO does not close the IF: a condition is read again.
  auto afterEnddo = compile(L"IF a THEN x=1; ENDDO b THEN x=2; ENDIF;", &context);
  EXPECT_EQ(shape(*afterEnddo.root), L"BLOCK@0[IF@0[BLOCK@2 ' a '[EXPRESSION@10 X='1'] | "
                                     L"BLOCK@20 ' b '[EXPRESSION@28 X='2']]]");
}

TEST_F(ProgramCompile, FunctionIsRegisteredAndLeavesNoNode) {
  auto result = compile(L"FUNCTION F(a, b = 2) x = 1; ENDPROCEDURE; y = 1;", &context);
  EXPECT_EQ(shape(*result.root), L"BLOCK@0[EXPRESSION@42 Y='1']");
  ASSERT_NE(context.funcGetPointer(L"f"), nullptr);
  ASSERT_NE(context.funcGetPointer(L"f")->operatorCompiled, nullptr);
  EXPECT_EQ(shape(*context.funcGetPointer(L"f")->operatorCompiled), L"BLOCK@0[EXPRESSION@21 X='1']");

  // Russian keywords; a procedure may end with the function's closing word.
  ASSERT_TRUE(compile(L"процедура Проба() ? 1; КонецФункции;", &context).ok);
  ASSERT_NE(context.funcGetPointer(L"ПРОБА"), nullptr);
  EXPECT_NE(context.funcGetPointer(L"ПРОБА")->operatorCompiled, nullptr);

  // A declaration replaces a built-in function of the same name.
  ASSERT_TRUE(compile(L"FUNCTION Message() ENDFUNCTION;", &context).ok);
  EXPECT_EQ(context.funcGetPointer(L"MESSAGE")->methodFunction, nullptr);
  EXPECT_NE(context.funcGetPointer(L"MESSAGE")->operatorCompiled, nullptr);
}

bool otherExecutor(localReturnStateType& state, localContextUTF8*, const localOperatorCompiled*, localValueList*,
                   localValueDescription&) {
  return state == localErrorTypeOK;
}

TEST_F(ProgramCompile, EveryNodeCarriesTheExecutorOfItsRoot) {
  localReturnStateType state = localErrorTypeOK;
  unsigned position = 0;
  auto root = std::make_unique<localOperatorCompiled>(&otherExecutor);
  localOperatorCompiled* block = root.get();
  const std::wstring text =
      L"FUNCTION G() ? 1; ENDFUNCTION; IF 1 THEN FOR i = 1 TO 2 DO ? i; ENDDO; ENDIF; HELP ;";
  programTest::CoutCapture capture;
  ASSERT_TRUE(localInterpretatorUTF8::textCompile(state, text, position, &context, block));
  const auto check = [](const localOperatorCompiled& node, const auto& self) -> void {
    EXPECT_EQ(node.executor, &otherExecutor);
    for (const auto& child : node.children) self(child, self);
  };
  check(*root, check);
  check(*context.funcGetPointer(L"G")->operatorCompiled, check);
}

TEST_F(ProgramCompile, ReturnAndConsoleCommands) {
  // RETURN builds no node; a command becomes a COMMAND node and does not act yet.
  context.varSetValueNum(L"keep", 1);
  auto result = compile(L"RETURN x + 1; HELP ; DISPLAY FUNCTION; CLEAR MEMORY ;", &context);
  ASSERT_TRUE(result.ok) << result.printed;
  ASSERT_EQ(result.root->children.size(), 3u);
  EXPECT_EQ(result.root->children[0].kind, localCompiledOperatorTypeCOMMAND);
  EXPECT_EQ(result.root->children[0].position, 0u);
  EXPECT_EQ(result.root->children[0].text, L"HELP ");
  EXPECT_EQ(result.root->children[1].text, L"DISPLAY FUNCTION");
  EXPECT_EQ(result.root->children[2].text, L"CLEAR MEMORY ");
  EXPECT_EQ(result.printed.find("СПИСОК"), std::string::npos);
  EXPECT_NE(context.varGetPointer(L"KEEP"), nullptr);
}

TEST_F(ProgramCompile, MalformedStatementsFailWithTheirStates) {
  // The console transcripts cover every failure report; these are the cases they leave out.
  const std::pair<std::wstring, localReturnStateType> failures[] = {
      {L"FUNCTION F(a", localErrorTypeSYNTAXexpectedOpenBracket},
      {L"FUNCTION F(", localErrorTypeCODE},  // the text ends inside the list: empty name
      {L"FUNCTION F(a,", localErrorTypeCODE},
      {L"F(1) x;", localErrorTypeSYNTAXexpectedSemicolon},
      {L"WHILE 1 DO x = 1;", localErrorTypeSYNTAXexpectedENDDO},
      {L"IF 1 THEN x = 1; ELSE", localErrorTypeSYNTAXexpectedENDIF},  // the text ends after ELSE
  };
  for (const auto& [text, state] : failures) {
    SCOPED_TRACE(localString::wstringToStdStringMultibyte(text));
    auto result = compile(text, &context);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.state, state);
  }
}

TEST_F(ProgramCompile, WhatWasCompiledBeforeAFailureStays) {
  auto result = compile(L"x = 1;\nFUNCTION Early() ENDFUNCTION;\ny = ;", &context);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.root->children.size(), 1u);
  EXPECT_NE(context.funcGetPointer(L"EARLY"), nullptr);

  // The function is registered before the ";" after its end is checked.
  EXPECT_FALSE(compile(L"FUNCTION Late() ENDFUNCTION", &context).ok);
  EXPECT_NE(context.funcGetPointer(L"LATE"), nullptr);
}

TEST_F(ProgramCompile, ClosingKeywordAtTopLevelEndsWithItsSignal) {
  const std::wstring text = L"x = 1; endif; y = 2;";
  auto result = compile(text, &context);
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.state, localErrorTypeENDIF);
  EXPECT_EQ(result.position, text.find(L';', 7));
  EXPECT_EQ(result.root->children.size(), 1u);
  EXPECT_EQ(compile(L"КОНЕЦПРОЦЕДУРЫ", &context).state, localErrorTypeENDFUNCTION);
  EXPECT_EQ(compile(L"Иначе", &context).state, localErrorTypeELSE);
}

TEST_F(ProgramCompile, NullBlockIsRefused) {
  localReturnStateType state = localErrorTypeOK;
  unsigned position = 0;
  localOperatorCompiled* block = nullptr;
  programTest::CoutCapture capture;
  EXPECT_FALSE(localInterpretatorUTF8::textCompile(state, L"x = 1;", position, &context, block));
  EXPECT_EQ(state, localErrorTypeCODE);
  EXPECT_EQ(capture.text(),
            compileTrace("Для компиляции необходимо передавать уже инициализированный объект будущего влока, который "
                         "определяет функцию обработки  func: ",
                         2183));
}

}  // namespace

// Name terms against a real context: variables, calls, attribute chains, method calls,
// argument lists, and the names the evaluator answers itself.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "context/localContextUTF8.h"
#include "core/localClassDeclaration.h"
#include "interp_test_support.h"

namespace {

using interpTest::evaluate;

// A small class of the tests' own: NAME and NUM are attributes, CHILD holds another
// object, SUM adds its arguments, FAILQUIETLY fails without naming a state.
struct Node {
  std::wstring name;
  double number = 0;
  Node* child = nullptr;
};

localClassDeclaration& nodeClass();

bool nodeGet(localReturnStateType& state, void* const& object, const std::wstring& name, localValueDescription& result) {
  state = localErrorTypeOK;
  const Node* node = static_cast<const Node*>(object);
  if (name == L"NAME") {
    result.setVal(node->name);
  } else if (name == L"NUM") {
    result.setVal(node->number);
  } else if (name == L"CHILD") {
    result.setVal(node->child, &nodeClass());
  } else {
    state = localErrorTypeATTRIBUTEunknown;
    return false;
  }
  return true;
}

bool nodeExec(localReturnStateType& state, void*& object, const std::wstring& name, localValueList* arguments,
              localValueDescription& result) {
  state = localErrorTypeOK;
  if (name == L"SUM") {
    double sum = 0;
    if (arguments != nullptr) {
      for (const localValueDescription* argument : *arguments) sum += argument->getNum();
    }
    result.setVal(sum);
    return true;
  }
  if (name == L"TOSTRING") {
    result.setVal(L"node " + static_cast<Node*>(object)->name);
    return true;
  }
  if (name == L"FAILQUIETLY") return false;
  if (name == L"NORESULT") return true;
  state = localErrorTypeMETHODunknown;
  return false;
}

localClassDeclaration& nodeClass() {
  static const std::unique_ptr<localClassDeclaration> declaration = [] {
    auto made = std::make_unique<localClassDeclaration>();
    made->className = L"NODE";
    made->classSynonym = L"УЗЕЛ";
    for (const wchar_t* attribute : {L"NAME", L"NUM", L"CHILD"}) made->addMember(attribute, nullptr, nullptr, &nodeGet);
    for (const wchar_t* method : {L"SUM", L"TOSTRING", L"FAILQUIETLY", L"NORESULT"})
      made->addMember(method, &nodeExec, nullptr, nullptr);
    return made;
  }();
  return *declaration;
}

class InterpNames : public ::testing::Test {
 protected:
  void SetUp() override {
    inner.name = L"inner";
    inner.number = 2.5;
    outer.name = L"outer";
    outer.child = &inner;
    localValueDescription object;
    object.setVal(&outer, &nodeClass());
    context.varSetValue(L"obj", &object);
    context.varSetValueNum(L"n", 5);
  }

  Node inner, outer;
  localContextUTF8 context;
};

TEST_F(InterpNames, VariablesAndWhereTheTermEnds) {
  auto r = evaluate(L"N + n", &context);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.value.getNum(), 10);

  // A blank before the bracket ends the term: the variable n, then the end.
  r = evaluate(L"n (1)", &context);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.value.getNum(), 5);
  EXPECT_EQ(r.position, 2u);

  r = evaluate(L"pi() ;", &context);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.position, 5u);
}

TEST_F(InterpNames, AttributeChainsReadThroughObjects) {
  auto r = evaluate(L"obj.name + '/' + OBJ.Child.NAME", &context);
  ASSERT_TRUE(r.ok) << r.state;
  EXPECT_EQ(r.value.getStr(), L"outer/inner");

  r = evaluate(L"obj.child.num * 2", &context);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.value.getNum(), 5);

  r = evaluate(L"obj.nothing", &context);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.state, localErrorTypeATTRIBUTEunknown);

  // A method is not readable as an attribute.
  r = evaluate(L"obj.sum", &context);
  EXPECT_EQ(r.state, localErrorTypeATTRIBUTEnotReadable);
}

TEST_F(InterpNames, MethodCallsAndTheirFailures) {
  auto r = evaluate(L"obj.child.Sum(1, 2 3) + obj.sum()", &context);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.value.getNum(), 6);

  // A method that writes no result leaves the object in the value.
  r = evaluate(L"obj.noresult()", &context);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.value.getType(), localValueDescription::typeObject);
  EXPECT_EQ(r.value.getObj(), &outer);
  EXPECT_EQ(r.value.toString(), L"node outer");

  r = evaluate(L"obj.missing()", &context);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.state, localErrorTypeMETHODunknown);
  EXPECT_EQ(r.printed,
            "ERROR [Метод не существует. Возможно в декларации класса для него не установлена функция EXEC.] в "
            "scanStringGetNameTokenAndEvaluete() funtion calling error :MISSING() pos: 0 func: "
            "scanStringGetNameTokenAndEvaluete file: localInterpretatorUTF8 line: 1418\n");

  // A failure without a named state must not read as success.
  r = evaluate(L"obj.failquietly()", &context);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.state, localErrorTypeOK);
}

TEST_F(InterpNames, ArgumentThatConsumesNothingIsRefused) {
  // A character no token starts with is an empty name. It must not be read over and
  // over, whether or not a variable of that name exists.
  auto r = evaluate(L"f(@)", &context);
  EXPECT_EQ(r.state, localErrorTypeVARIABLEunknown);
  r = evaluate(L"f(@)", &context, true);
  EXPECT_EQ(r.state, localErrorTypeSYNTAX);
  context.varSetValueNum(L"", 1);
  r = evaluate(L"f(@)", &context);
  EXPECT_EQ(r.state, localErrorTypeSYNTAX);
  // Outside a list the expression simply ends there.
  r = evaluate(L"@ + 1", &context);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.value.getNum(), 1);
  EXPECT_EQ(r.position, 0u);
}

TEST_F(InterpNames, FunctionEvaluateWithoutArgumentList) {
  localReturnStateType state = localErrorTypeOK;
  localValueDescription result;
  interpTest::CoutCapture capture;
  EXPECT_TRUE(localInterpretatorUTF8::functionEvaluate(state, &context, result, L"pi", nullptr));
  EXPECT_EQ(state, localErrorTypeOK);
  EXPECT_DOUBLE_EQ(result.getNum(), 3.14);

  EXPECT_FALSE(localInterpretatorUTF8::functionEvaluate(state, &context, result, L"m1essage", nullptr));
  EXPECT_EQ(state, localErrorTypePARAMETERScount);
  EXPECT_FALSE(localInterpretatorUTF8::functionEvaluate(state, &context, result, L"ФОРМАТ", nullptr));
  EXPECT_EQ(state, localErrorTypePARAMETERScount);
  EXPECT_EQ(result.getType(), localValueDescription::typeString);

  // Without a context only the evaluator's own names can be answered.
  EXPECT_FALSE(localInterpretatorUTF8::functionEvaluate(state, nullptr, result, L"anything", nullptr));
  EXPECT_EQ(state, localErrorTypeCONTEXTmissing);
}

TEST_F(InterpNames, M1essageShowsBooleanByItsTextField) {
  // A comparison leaves its boolean in the left operand, whose text field stays.
  const auto r = evaluate(L"m1essage(1 < 2) + m1essage('a' < 'b')", &context);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.printed, "\na\n");
}

TEST_F(InterpNames, CheckOnlyNeedsNoVariables) {
  for (const wchar_t* text : {L"a.b.c + f(1, g(2)) * h.m(x y)", L"unknown", L"q.w"}) {
    const auto r = evaluate(text, &context, true);
    ASSERT_TRUE(r.ok) << text;
    EXPECT_EQ(r.position, std::wstring(text).size()) << text;
    EXPECT_EQ(r.printed, "") << text;
  }
  const auto r = evaluate(L"f(1", &context, true);
  EXPECT_EQ(r.state, localErrorTypeSYNTAXexpectedCloseBracket);
}

TEST_F(InterpNames, ModerateNestingStillWorks) {
  std::wstring text;
  for (int i = 0; i < 200; ++i) text += L"(";
  text += L"n";
  for (int i = 0; i < 200; ++i) text += L")";
  const auto r = evaluate(text, &context);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.value.getNum(), 5);
}

}  // namespace

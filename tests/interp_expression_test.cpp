// The expression evaluator without names: precedence, operand kinds, failures, check-only.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "interp_test_support.h"

namespace {

using interpTest::evaluate;
using I = localInterpretatorUTF8;

TEST(InterpExpression, PrecedenceFollowsOperatorLevels) {
  struct Case {
    const wchar_t* text;
    double number;
  };
  // Each operator has its own level: + binds tighter than -, * tighter than /.
  const Case cases[] = {
      {L"2 + 3 * 4", 14}, {L"2 * 3 + 4", 10},  {L"10 - 2 - 3", 5}, {L"10 - 2 + 3", 5},
      {L"10 + 2 - 3", 9}, {L"8 / 2 * 4", 1},   {L"8 * 2 / 4", 4},  {L"(2 + 3) * 4", 20},
      {L"((1))", 1},      {L"0-1", -1},        {L"0 / 1", 0},      {L"1 + // note\n2", 3},
      {L"16 / 4 / 2", 2}, {L"1-2*3+4-5", -14}, {L"2*(3+4)*5", 70},
  };
  for (const Case& c : cases) {
    const auto r = evaluate(c.text);
    ASSERT_TRUE(r.ok) << c.text;
    EXPECT_EQ(r.state, localErrorTypeOK) << c.text;
    EXPECT_EQ(r.value.getType(), localValueDescription::typeNumber) << c.text;
    EXPECT_DOUBLE_EQ(r.value.getNum(), c.number) << c.text;
  }
}

TEST(InterpExpression, ExpressionEndsWhereNoOperatorFollows) {
  auto r = evaluate(L"2 3");
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.value.getNum(), 2);
  EXPECT_EQ(r.position, 2u);

  r = evaluate(L"2 ;");
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.position, 2u);

  r = evaluate(L"(1) )");
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.position, 4u);
}

TEST(InterpExpression, SyntaxFailures) {
  struct Case {
    const wchar_t* text;
    localReturnStateType state;
  };
  const Case cases[] = {
      {L"   // only a comment", localErrorTypeSYNTAX},
      {L"(1;", localErrorTypeSYNTAXexpectedCloseBracket},
      {L"1 + \n", localErrorTypeSYNTAX},
      // Names cannot be read without a context.
      {L"1 + x", localErrorTypeCONTEXTmissing},
  };
  for (const Case& c : cases) {
    const auto r = evaluate(c.text);
    EXPECT_FALSE(r.ok) << c.text;
    EXPECT_EQ(r.state, c.state) << c.text;
  }
}

TEST(InterpExpression, FailureLeavesResultUnwritten) {
  localReturnStateType state = localErrorTypeOK;
  unsigned position = 0;
  localValueDescription result;
  result.setVal(std::wstring(L"kept"));
  EXPECT_FALSE(I::scanStringGetExpressionAndEvaluete(state, L"1 + 2 / 0", position, result, nullptr, false));
  EXPECT_EQ(result.getType(), localValueDescription::typeString);
  EXPECT_EQ(result.getStr(), L"kept");
}

TEST(InterpExpression, CheckOnlyScansWithoutEvaluating) {
  for (const wchar_t* text : {L"1 / 0", L"'a' + 1", L"(1<2) = 3", L"'a' - 'b'"}) {
    const auto r = evaluate(text, nullptr, true);
    ASSERT_TRUE(r.ok) << text;
    EXPECT_EQ(r.value.getType(), localValueDescription::typeNumber) << text;
    EXPECT_EQ(r.value.getNum(), 1) << text;
    EXPECT_EQ(r.position, std::wstring(text).size()) << text;
  }
  // Syntax is still checked.
  const auto r = evaluate(L"(1 + ", nullptr, true);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.state, localErrorTypeSYNTAX);
}

TEST(InterpBinaryOperation, NumberTable) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    localPossibleBinaryOperation operation;
    double left, right;
    bool truth;
  };
  // NaN compares false with everything except <>.
  const Case comparisons[] = {
      {localPossibleBinaryOperationEQUAL, nan, nan, false},
      {localPossibleBinaryOperationNOTEQUAL, nan, 1, true},
      {localPossibleBinaryOperationLESS, nan, 1, false},
      {localPossibleBinaryOperationGREATEROREQUAL, 1, nan, false},
      {localPossibleBinaryOperationLESSOREQUAL, 2, 2, true},
      {localPossibleBinaryOperationGREATER, 3, 2, true},
  };
  for (const Case& c : comparisons) {
    localReturnStateType state = localErrorTypeOK;
    localValueDescription left, right, result;
    left.setVal(c.left);
    right.setVal(c.right);
    ASSERT_TRUE(I::binaryOperationByEnumEvaluate(state, result, c.operation, left, right));
    EXPECT_EQ(result.getType(), localValueDescription::typeBoolean);
    EXPECT_EQ(result.getBoo(), c.truth) << c.operation;
    EXPECT_EQ(state, localErrorTypeOK);
  }

  // Every comparison of every pair of telling numbers, as C++ compares them.
  const double inf = std::numeric_limits<double>::infinity();
  const double telling[] = {-inf, -1, -0.0, 0, 1, inf, nan};
  for (int op = localPossibleBinaryOperationEQUAL; op <= localPossibleBinaryOperationLESS; ++op) {
    for (const double a : telling) {
      for (const double b : telling) {
        const bool expected[] = {a == b, !(a == b), a >= b, a > b, a <= b, a < b};
        localReturnStateType state = localErrorTypeOK;
        localValueDescription left, right;
        left.setVal(a);
        right.setVal(b);
        ASSERT_TRUE(I::binaryOperationByEnumEvaluate(state, left, static_cast<localPossibleBinaryOperation>(op), left,
                                                     right));
        EXPECT_EQ(left.getBoo(), expected[op - localPossibleBinaryOperationEQUAL]) << op << " " << a << " " << b;
      }
    }
  }

  // The result may be the left operand itself.
  localReturnStateType state = localErrorTypeOK;
  localValueDescription left, right;
  left.setVal(7.0);
  right.setVal(2.0);
  ASSERT_TRUE(I::binaryOperationByEnumEvaluate(state, left, localPossibleBinaryOperationMINUS, left, right));
  EXPECT_EQ(left.getNum(), 5);

  right.setVal(-0.0);
  EXPECT_FALSE(I::binaryOperationByEnumEvaluate(state, left, localPossibleBinaryOperationDIVIDE, left, right));
  EXPECT_EQ(state, localErrorTypeDIVISIONbyZero);
  EXPECT_EQ(left.getNum(), 5);

  state = localErrorTypeOK;
  EXPECT_FALSE(I::binaryOperationByEnumEvaluate(state, left, localPossibleBinaryOperationNONE, left, right));
  EXPECT_EQ(state, localErrorTypeCODE);
  state = localErrorTypeOK;
  EXPECT_FALSE(
      I::binaryOperationByEnumEvaluate(state, left, static_cast<localPossibleBinaryOperation>(11), left, right));
  EXPECT_EQ(state, localErrorTypeCODE);

  // Overflow gives an infinity, not undefined behaviour.
  left.setVal(1e308);
  right.setVal(1e308);
  state = localErrorTypeOK;
  ASSERT_TRUE(I::binaryOperationByEnumEvaluate(state, left, localPossibleBinaryOperationMULTIPLY, left, right));
  EXPECT_TRUE(std::isinf(left.getNum()));
}

TEST(InterpBinaryOperation, ObjectLeftOperandAndMixedKinds) {
  localReturnStateType state = localErrorTypeOK;
  localValueDescription object, number, result;
  int dummy = 0;
  object.setVal(&dummy, nullptr);
  number.setVal(1.0);
  {
    interpTest::CoutCapture capture;
    EXPECT_FALSE(I::binaryOperationByEnumEvaluate(state, result, localPossibleBinaryOperationPLUS, object, number));
    EXPECT_EQ(capture.text(),
              "Не могу выполниить операцию номер [8] func: binaryOperationByEnumEvaluate file: "
              "localInterpretatorUTF8 line: 1187\n");
  }
  EXPECT_EQ(state, localErrorTypeCODE);

  state = localErrorTypeOK;
  EXPECT_FALSE(I::binaryOperationByEnumEvaluate(state, result, localPossibleBinaryOperationEQUAL, number, object));
  EXPECT_EQ(state, localErrorTypeOPERANDtype);
}

}  // namespace

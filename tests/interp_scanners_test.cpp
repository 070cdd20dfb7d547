// Token scanners: where each one stops and what it reads.
#include <gtest/gtest.h>

#include <cmath>

#include "interp/localInterpretatorUTF8.h"
#include "interp/localWordReader.h"

namespace {

using I = localInterpretatorUTF8;

// The shell and the compiler read keywords with it; the blanks after the word stay.
TEST(InterpScanners, ReadUpperWordUpperCasesAndStopsRightAfterTheWord) {
  unsigned position = 0;
  EXPECT_EQ(readUpperWord(L"display  memory", position), L"DISPLAY");
  EXPECT_EQ(position, 7u);
  position = 3;
  EXPECT_EQ(readUpperWord(L"x  ёлка_1;", position), L"ЁЛКА_1");
  EXPECT_EQ(position, 9u);
  position = 0;
  EXPECT_EQ(readUpperWord(L" word", position), L"");  // no blank skipping before either
  EXPECT_EQ(position, 0u);
}

TEST(InterpScanners, SkipVoidCharsStopsAtFirstTokenAfterBlanksAndComments) {
  unsigned position = 0;
  I::scanStringSkipVoidChars(L"  // note\n x", position);
  EXPECT_EQ(position, 11u);

  position = 0;
  I::scanStringSkipVoidChars(L"\t// to the end", position);
  EXPECT_EQ(position, 14u);

  // A single slash is the divide operator; carriage return is not blank.
  position = 0;
  I::scanStringSkipVoidChars(L" /2", position);
  EXPECT_EQ(position, 1u);
  position = 0;
  I::scanStringSkipVoidChars(L"\r1", position);
  EXPECT_EQ(position, 0u);

  // A trailing lone slash must not read past the end.
  position = 0;
  I::scanStringSkipVoidChars(L"/", position);
  EXPECT_EQ(position, 0u);
  position = 5;
  I::scanStringSkipVoidChars(L"ab", position);
  EXPECT_EQ(position, 5u);
}

TEST(InterpScanners, WordTokenReadsLatinCyrillicDigitsUnderscore) {
  unsigned position = 0;
  EXPECT_EQ(I::scanStringGetWordToken(L"Цена_2+1", position), L"Цена_2");
  EXPECT_EQ(position, 6u);

  position = 0;
  EXPECT_EQ(I::scanStringGetWordToken(L"ёЁжZz9", position), L"ёЁжZz9");

  // No word at a point, a blank, a Ukrainian letter or past the end; position unchanged.
  for (const std::wstring text : {L".5", L" a", L"\x0456x"}) {
    position = 0;
    EXPECT_EQ(I::scanStringGetWordToken(text, position), L"");
    EXPECT_EQ(position, 0u);
  }
  position = 9;
  EXPECT_EQ(I::scanStringGetWordToken(L"abc", position), L"");
  EXPECT_EQ(position, 9u);
}

TEST(InterpScanners, NumberTokenHasNoSignNoExponentAtMostOnePoint) {
  struct Case {
    const wchar_t* text;
    double number;
    unsigned end;
  };
  const Case cases[] = {
      {L"12.50", 12.5, 5}, {L".5", 0.5, 2}, {L"007", 7, 3},      {L"3.", 3, 2},
      {L"1e5", 1, 1},      {L"1.2.3", 1.2, 3}, {L".", 0, 1},     {L"42)", 42, 2},
  };
  for (const Case& c : cases) {
    unsigned position = 0;
    localValueDescription value;
    value.setVal(std::wstring(L"old"));
    EXPECT_TRUE(I::scanStringGetNumberTokenAndEvaluete(c.text, position, value)) << c.text;
    EXPECT_EQ(value.getType(), localValueDescription::typeNumber) << c.text;
    EXPECT_DOUBLE_EQ(value.getNum(), c.number) << c.text;
    EXPECT_EQ(position, c.end) << c.text;
  }
  // Hundreds of digits do not break the conversion; beyond the double range the literal
  // is infinity (not clamped to the largest double), a vanishing fraction is 0.
  unsigned position = 0;
  localValueDescription value;
  EXPECT_TRUE(I::scanStringGetNumberTokenAndEvaluete(std::wstring(400, L'9'), position, value));
  EXPECT_EQ(position, 400u);
  EXPECT_TRUE(std::isinf(value.getNum()));
  position = 0;
  EXPECT_TRUE(I::scanStringGetNumberTokenAndEvaluete(L"0." + std::wstring(400, L'0') + L"1", position, value));
  EXPECT_EQ(value.getNum(), 0.0);
}

TEST(InterpScanners, StringTokenKeepsOtherQuoteAndLineFeeds) {
  unsigned position = 0;
  localValueDescription value;
  EXPECT_TRUE(I::scanStringGetStringTokenAndEvaluete(L"\"it's\"+1", position, value));
  EXPECT_EQ(value.getType(), localValueDescription::typeString);
  EXPECT_EQ(value.getStr(), L"it's");
  EXPECT_EQ(position, 6u);

  position = 0;
  EXPECT_TRUE(I::scanStringGetStringTokenAndEvaluete(L"'a\nb'", position, value));
  EXPECT_EQ(value.getStr(), L"a\nb");

  position = 0;
  EXPECT_TRUE(I::scanStringGetStringTokenAndEvaluete(L"''", position, value));
  EXPECT_EQ(value.getStr(), L"");
  EXPECT_EQ(position, 2u);
}

TEST(InterpScanners, UnterminatedStringFailsAtEndAndLeavesValue) {
  unsigned position = 0;
  localValueDescription value;
  value.setVal(7.0);
  EXPECT_FALSE(I::scanStringGetStringTokenAndEvaluete(L"'abc\"", position, value));
  EXPECT_EQ(position, 5u);
  EXPECT_EQ(value.getType(), localValueDescription::typeNumber);
  EXPECT_EQ(value.getNum(), 7.0);
}

TEST(InterpScanners, BinaryOperatorsAndTheirAdvance) {
  struct Case {
    const wchar_t* text;
    localPossibleBinaryOperation operation;
    unsigned end;
  };
  const Case cases[] = {
      {L" <=", localPossibleBinaryOperationLESSOREQUAL, 3},
      {L"< =", localPossibleBinaryOperationLESS, 1},
      {L"=>", localPossibleBinaryOperationEQUAL, 1},
      {L"<>", localPossibleBinaryOperationNOTEQUAL, 2},
      {L">=", localPossibleBinaryOperationGREATEROREQUAL, 2},
      {L">", localPossibleBinaryOperationGREATER, 1},
      {L"<", localPossibleBinaryOperationLESS, 1},
      {L"-", localPossibleBinaryOperationMINUS, 1},
      {L"+", localPossibleBinaryOperationPLUS, 1},
      {L"// c\n/", localPossibleBinaryOperationDIVIDE, 6},
      {L"*", localPossibleBinaryOperationMULTIPLY, 1},
      {L"  x", localPossibleBinaryOperationNONE, 2},
      {L"  ", localPossibleBinaryOperationNONE, 2},
      {L"==", localPossibleBinaryOperationEQUAL, 1},
      {L"!=", localPossibleBinaryOperationNONE, 0},
  };
  for (const Case& c : cases) {
    unsigned position = 0;
    EXPECT_EQ(I::scanStringGetBinaryOperation(c.text, position), c.operation) << c.text;
    EXPECT_EQ(position, c.end) << c.text;
  }
}

}  // namespace

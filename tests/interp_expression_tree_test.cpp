// The expression tree: which texts it takes (anything the scanner would reject stays
// with the scanner), and that evaluating it leaves the same value, fields and all, as
// scanning the same text.
#include <gtest/gtest.h>

#include <string>

#include "context/localContextUTF8.h"
#include "interp/localExpressionTree.h"
#include "interp/localInterpretatorUTF8.h"
#include "tests/test_cout_capture.h"

namespace {

TEST(ExpressionTree, TextsTheScannerRejectsOrThatNestTooDeepGiveNoTree) {
  for (const wchar_t* text : {L"f(1,)", L"f(1", L"'abc", L"1 + ", L"@x", L"(1", L"a.b(", L")"}) {
    EXPECT_EQ(localExpressionTree::parse(text), nullptr) << localString::wstringToStdStringMultibyte(text);
  }
  const std::wstring deep = std::wstring(250, L'(') + L"1" + std::wstring(250, L')');
  EXPECT_EQ(localExpressionTree::parse(deep), nullptr);
  const std::wstring shallow = std::wstring(150, L'(') + L"1" + std::wstring(150, L')');
  EXPECT_NE(localExpressionTree::parse(shallow), nullptr);
  for (const wchar_t* text : {L"a.b.c(1) + 2", L"f(1 2, (3))", L"'x' + \"y\" < 'z'", L".5 * 007 - 1", L"pi()"}) {
    EXPECT_NE(localExpressionTree::parse(text), nullptr) << localString::wstringToStdStringMultibyte(text);
  }
}

struct evaluated {
  bool ok = false;
  localReturnStateType state = localErrorTypeOK;
  localValueDescription value;
  std::string printed;
};

evaluated byTree(const std::wstring& text, localContextUTF8& context) {
  evaluated result;
  result.value.setVal(L"untouched");
  testSupport::CoutCapture capture;
  result.ok = localExpressionTree::parse(text)->evaluate(result.state, &context, result.value);
  result.printed = capture.text();
  return result;
}

evaluated byScanning(const std::wstring& text, localContextUTF8& context) {
  evaluated result;
  result.value.setVal(L"untouched");
  testSupport::CoutCapture capture;
  unsigned position = 0;
  result.ok = localInterpretatorUTF8::scanStringGetExpressionAndEvaluete(result.state, text, position, result.value,
                                                                         &context, false);
  result.printed = capture.text();
  return result;
}

TEST(ExpressionTree, EvaluatesToTheScannersValueStateAndOutput) {
  localContextUTF8 context;
  context.varSetValueWStr(L"S", L"abc");
  context.varSetValueNum(L"N", 4);
  for (const wchar_t* text :
       {L"10 - 2 + 3", L"2 * 3 - 4 / 2 + 1 = 5", L"S + 'd' = 'abcd'", L"S = S", L"N / (N - 4)", L"S - 1", L"nosuch + 1",
        L"PI(1)", L"STRLEN(S) + MAX(N 7, 2)", L"N.x", L"S.LEN()", L"FORMAT(N, 'f') + M1ESSAGE('m')", L"(((N)))"}) {
    const evaluated tree = byTree(text, context);
    const evaluated scanned = byScanning(text, context);
    const std::string label = localString::wstringToStdStringMultibyte(text);
    EXPECT_EQ(tree.ok, scanned.ok) << label;
    EXPECT_EQ(tree.state, scanned.state) << label;
    EXPECT_EQ(tree.printed, scanned.printed) << label;
    // All fields: a comparison keeps the text of its left operand, a failure keeps the
    // result as it was.
    EXPECT_EQ(tree.value.getType(), scanned.value.getType()) << label;
    EXPECT_EQ(tree.value.getNum(), scanned.value.getNum()) << label;
    EXPECT_EQ(tree.value.getStrRef(), scanned.value.getStrRef()) << label;
  }
}

}  // namespace

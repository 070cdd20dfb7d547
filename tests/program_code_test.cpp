// The expression tree takes what the scanner takes (anything else stays with the
// scanner), and the code compiled from it leaves the same value, fields and all, the
// same state and the same lines as scanning the same text.
#include <gtest/gtest.h>

#include <string>

#include "classes/localValueTable.h"
#include "context/localContextUTF8.h"
#include "interp/localExpressionTree.h"
#include "interp/localInterpretatorUTF8.h"
#include "program/localCode.h"
#include "program/localOperatorCompiled.h"
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

// Runs `R = text` as a program statement with the given engine; value is what R holds
// afterwards (the string "untouched" when the statement stored nothing).
evaluated byEngine(const std::wstring& text, localContextUTF8& context, localEngine::kind engine) {
  evaluated result;
  context.varSetValueWStr(L"R", L"untouched");
  localOperatorCompiled node;
  node.kind = localCompiledOperatorTypeEXPRESSION;
  node.name = L"R";
  node.text = text;
  node.parseText();
  localValueList none;
  localValueDescription unused;
  localEngine::set(engine);
  testSupport::CoutCapture capture;
  result.ok = node.executor(result.state, &context, &node, &none, unused);
  result.printed = capture.text();
  localEngine::set(localEngine::kind::code);
  result.value = context.varGetPointer(L"R")->value;
  return result;
}

evaluated byTree(const std::wstring& text, localContextUTF8& context) {
  return byEngine(text, context, localEngine::kind::code);
}

evaluated byScanning(const std::wstring& text, localContextUTF8& context) {
  return byEngine(text, context, localEngine::kind::scan);
}

// Evaluates text both ways and compares success, state, output and every field of the
// value: a comparison keeps the text of its left operand, a failure keeps the result as
// it was, a method result keeps the fields its method left.
void expectSameAsScanning(const std::wstring& text, localContextUTF8& context) {
  const evaluated tree = byTree(text, context);
  const evaluated scanned = byScanning(text, context);
  const std::string label = localString::wstringToStdStringMultibyte(text);
  EXPECT_EQ(tree.ok, scanned.ok) << label;
  EXPECT_EQ(tree.state, scanned.state) << label;
  EXPECT_EQ(tree.printed, scanned.printed) << label;
  EXPECT_EQ(tree.value.getType(), scanned.value.getType()) << label;
  EXPECT_EQ(tree.value.getNum(), scanned.value.getNum()) << label;
  EXPECT_EQ(tree.value.getStrRef(), scanned.value.getStrRef()) << label;
  EXPECT_EQ(tree.value.getObj(), scanned.value.getObj()) << label;
  EXPECT_EQ(tree.value.getClassDeclaration(), scanned.value.getClassDeclaration()) << label;
}

TEST(ExpressionTree, EvaluatesToTheScannersValueStateAndOutput) {
  localContextUTF8 context;
  context.varSetValueWStr(L"S", L"abc");
  context.varSetValueNum(L"N", 4);
  for (const wchar_t* text :
       {L"10 - 2 + 3", L"2 * 3 - 4 / 2 + 1 = 5", L"S + 'd' = 'abcd'", L"S = S", L"N / (N - 4)", L"S - 1", L"nosuch + 1",
        L"PI(1)", L"STRLEN(S) + MAX(N 7, 2)", L"N.x", L"S.LEN()", L"FORMAT(N, 'f') + M1ESSAGE('m')", L"(((N)))"}) {
    expectSameAsScanning(text, context);
  }
}

// Method calls on a table, arguments handed over in place or copied, nested or failing:
// the tree leaves every field the scanner leaves, the stale ones too (a SETVALUE result
// is a truth that still holds the table; a cell read keeps the text a truth left over).
TEST(ExpressionTree, TableMethodCallsLeaveTheScannersFields) {
  localContextUTF8 context;
  localReturnStateType made = localErrorTypeOK;
  void* none = nullptr;
  localValueDescription table;
  ASSERT_TRUE(localValueTable::classImplementationMethodFunction(made, none, L"", nullptr, table));
  context.varSetValue(L"T", &table);
  context.varSetValueWStr(L"S", L"text");
  context.varSetValueNum(L"N", 1);
  for (const wchar_t* setup : {L"T.NEWCOLUMN('a')", L"T.NEWCOLUMN('b')", L"T.NEWLINE()", L"T.NEWLINE()",
                               L"T.SETVALUE(1, 1, S)", L"T.SETVALUE(1, 1, 7)", L"T.SETVALUE(2, 2, T)"}) {
    ASSERT_TRUE(byScanning(setup, context).ok) << localString::wstringToStdStringMultibyte(setup);
  }
  for (const wchar_t* text :
       {L"T.GETVALUE(1, 1)", L"T.GETVALUE(N, 'a')", L"T.GETVALUE(2, 2)", L"T.SETVALUE(N, 2, S)",
        L"T.SETVALUE(N + 1, 1, T.GETVALUE(N, 1))", L"T.GETVALUE(T.GETVALUE(1, 1) - 5, N + 1) + S",
        L"T.GETVALUE(3, 1)", L"T.GETVALUE(N, nosuch)", L"T.GETVALUE(N)", L"T.CHOOSELINE(S, 'x')", L"S.GETVALUE(1, 1)",
        L"T.NOSUCH(N, 1)", L"T.GETVALUE(N / 0, 1)", L"T.SETVALUE(N, 1, STRLEN(S))"}) {
    expectSameAsScanning(text, context);
  }
  EXPECT_EQ(context.varGetPointer(L"S")->value.getStrRef(), L"text");  // CHOOSELINE reset its copy only
  const evaluated truth = byTree(L"T.SETVALUE(1, 2, N)", context);
  EXPECT_EQ(truth.value.getType(), localValueDescription::typeBoolean);
  EXPECT_EQ(truth.value.getObj(), table.getObj());
  // A comparison keeps its left operand's text: the cell and its reading keep it too.
  ASSERT_TRUE(byTree(L"T.SETVALUE(1, 1, (S = 'x'))", context).ok);
  const evaluated cell = byTree(L"T.GETVALUE(1, 1)", context);
  EXPECT_EQ(cell.value.getType(), localValueDescription::typeBoolean);
  EXPECT_EQ(cell.value.getStrRef(), L"text");
  EXPECT_EQ(byScanning(L"T.GETVALUE(1, 1)", context).value.getStrRef(), L"text");
}

}  // namespace

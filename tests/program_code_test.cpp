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
#include "tests/program_test_support.h"
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

namespace {

std::string listingOf(const std::wstring& program) {
  localContextUTF8 context;
  const programTest::Compiled compiled = programTest::compile(program, &context);
  EXPECT_TRUE(compiled.ok) << compiled.printed;
  return localString::wstringToStdStringMultibyte(localCode::listProgram(*compiled.root, context));
}

// How each statement kind compiles: stores, in-place updates, prints, calls, method
// chains, IF chains, loops tested again at the end of their pass, commands, function
// bodies, and the texts left to the scanner.
TEST(EngineListing, StatementsCompileAsShown) {
  EXPECT_EQ(listingOf(L"x = 2 + y * 3; x = x - 1; s = s + t; ? (x) = 5; F(); DISPLAY MEMORY ;"),
            "program:\n"
            "0   1:5     push 2\n"
            "1   1:9     push y\n"
            "2   1:11    operateWith * 3\n"
            "3   1:7     operate +\n"
            "4   1:1     store X\n"
            "5   1:22    update X - 1\n"
            "6   1:33    update S + t\n"
            "7   1:41    push x\n"
            "8   1:44    operateWith = 5\n"
            "9   1:38    print\n"
            "10  1:49    pushFresh\n"
            "11  1:49    callFunction F/0\n"
            "12  1:49    pop\n"
            "13  1:54    command [DISPLAY MEMORY ]\n"
            "14  1:1     end\n");
  EXPECT_EQ(listingOf(L"IF a < 1 THEN ? 'a'; ELSEIF t.N.GET(1, b) THEN ? 1; ELSE ? 2; ENDIF;"),
            "program:\n"
            "0   1:6     jumpUnlessCompare a < 1 -> 4\n"
            "1   1:17    push 'a'\n"
            "2   1:15    print\n"
            "3   1:4     jump -> 15\n"
            "4   1:29    startChain t\n"
            "5   1:31    readAttribute N\n"
            "6   1:37    push 1\n"
            "7   1:40    push b\n"
            "8   1:33    callMethod GET/2\n"
            "9   1:29    jumpUnless -> 13\n"
            "10  1:50    push 1\n"
            "11  1:48    print\n"
            "12  1:29    jump -> 15\n"
            "13  1:60    push 2\n"
            "14  1:58    print\n"
            "15  1:1     end\n");
  EXPECT_EQ(listingOf(L"IF a > b - 1 THEN ? a; ENDIF;"),
            "program:\n"
            "0   1:4     push a\n"
            "1   1:8     push b\n"
            "2   1:10    operateWith - 1\n"
            "3   1:6     jumpUnlessOperate > -> 6\n"
            "4   1:21    push a\n"
            "5   1:19    print\n"
            "6   1:1     end\n");
  EXPECT_EQ(listingOf(L"FOR i = 1 TO n DO s = s + i; ENDDO; WHILE STRLEN(s) > 0 DO s = ''; ENDDO;\n"
                      L"FUNCTION G() n = n + 1; ENDFUNCTION;"),
            "program:\n"
            "0   1:9     push 1\n"
            "1   1:1     store i\n"
            "2   1:11    jumpUnlessCompare i <= n -> 6 (loop)\n"
            "3   1:25    update S + i\n"
            "4   1:5     update i + 1\n"
            "5   1:11    loopCompare i <= n -> 3 (loop)\n"
            "6   1:43    pushFresh\n"
            "7   1:50    push s\n"
            "8   1:43    callFunction STRLEN/1\n"
            "9   1:53    jumpUnlessWith > 0 -> 13 (loop)\n"
            "10  1:64    push ''\n"
            "11  1:60    store S\n"
            "12  1:37    jump -> 6\n"
            "13  1:1     end\n"
            "function G:\n"
            "0   2:20    update N + 1\n"
            "1   2:14    end\n");
  // A table's cell methods: the cell instruction before the general call, reading in
  // place the object and the arguments from the last computed one on.
  EXPECT_EQ(listingOf(L"k = a.GETVALUE(i, 'c'); ? a.SETVALUE(i + 1, 1, a.LINESCNT()); k = a.N.NEWLINE();"),
            "program:\n"
            "0   1:7     callTable a.GETVALUE(i, 'c') -> 5\n"
            "1   1:5     startChain a\n"
            "2   1:16    push i\n"
            "3   1:19    push 'c'\n"
            "4   1:7     callMethod GETVALUE/2\n"
            "5   1:1     store K\n"
            "6   1:27    startChain a\n"
            "7   1:38    push i\n"
            "8   1:40    operateWith + 1\n"
            "9   1:45    push 1\n"
            "10  1:50    callTable a.LINESCNT() -> 13\n"
            "11  1:48    startChain a\n"
            "12  1:50    callMethod LINESCNT/0\n"
            "13  1:29    callTable ^.SETVALUE(^, ^, ^) -> 15\n"
            "14  1:29    callMethod SETVALUE/3\n"
            "15  1:25    print\n"
            "16  1:67    startChain a\n"
            "17  1:69    readAttribute N\n"
            "18  1:71    callMethod NEWLINE/0\n"
            "19  1:63    store K\n"
            "20  1:1     end\n");
  // The pure numeric built-ins: the numeric instruction before the general call.
  EXPECT_EQ(listingOf(L"x = INT(y / 2) + MAX(a, 3);"),
            "program:\n"
            "0   1:5     pushFresh\n"
            "1   1:9     push y\n"
            "2   1:11    operateWith / 2\n"
            "3   1:5     callNumeric INT(^) -> 5\n"
            "4   1:5     callFunction INT/1\n"
            "5   1:18    callNumeric MAX(a, 3) -> 10\n"
            "6   1:18    pushFresh\n"
            "7   1:22    push a\n"
            "8   1:25    push 3\n"
            "9   1:18    callFunction MAX/2\n"
            "10  1:16    operate +\n"
            "11  1:1     store X\n"
            "12  1:1     end\n");
}

}  // namespace

namespace {

bool ranCustom = false;
bool customExecutor(localReturnStateType& state, localContextUTF8*, const localOperatorCompiled*, localValueList*,
                    localValueDescription&) {
  ranCustom = true;
  state = localErrorTypeOK;
  return true;
}

// Programs that together run every opcode (the sanitizer build counts them), both
// engines agreeing on each; nodes the compiler never makes (NONE, RENURN, a node with an
// executor of its own) are built by hand.
TEST(EngineListing, EveryOpcodeRuns) {
  const std::wstring deep = std::wstring(210, L'(') + L"1" + std::wstring(210, L')');
  const std::wstring programs[] = {
      L"LOAD CLASS TEST ;\nt = CREATEOBJECT('TEST'); n = t.ATTRIBINT; m = t.GETINT() + n;\n"
      L"x = 2 + n * 3; x = x - 1; s = 'a'; s = s + s; ? (x) = 5; y = " + deep + L";\n"
      L"IF " + deep + L" THEN ? 1; ENDIF; IF x < 0 THEN ELSE ? x; ENDIF;\n"
      L"FUNCTION G() k = k + 1; ENDFUNCTION; k = 0; G(); FOR i = 1 TO 3 DO G(); ENDDO;\n"
      L"WHILE STRLEN(s) > 0 DO s = ''; ENDDO; ? k - (i * 2); IF k > i - 1 THEN ? k; ENDIF;\n"
      L"ok = CLASSLOAD('VALUETABLE'); v = CREATEOBJECT('VALUETABLE'); k = v.NEWCOLUMN('a'); k = v.NEWLINE();\n"
      L"? v.GETVALUE(1, 'a'); k = v.SETVALUE(1, 1, 2); ? INT(v.GETVALUE(1, 1) / 4);"};
  for (const std::wstring& program : programs) {
    localContextUTF8 scanned;
    localEngine::set(localEngine::kind::scan);
    const programTest::Run reference = programTest::run(program, &scanned);
    localEngine::set(localEngine::kind::code);
    localContextUTF8 context;
    const programTest::Run run = programTest::run(program, &context);
    EXPECT_TRUE(run.ok) << run.printed;
    EXPECT_EQ(run.printed, reference.printed);
  }
  localOperatorCompiled block;
  block.kind = localCompiledOperatorTypeBLOCK;
  block.children.resize(2);
  block.children[1].kind = localCompiledOperatorTypeRENURN;
  block.children.emplace_back(&customExecutor);
  localContextUTF8 context;
  localReturnStateType state = localErrorTypeOK;
  localValueDescription result;
  testSupport::CoutCapture capture;
  EXPECT_TRUE(localOperatorCompiled::execute(state, &context, &block, nullptr, result));
  EXPECT_TRUE(ranCustom);
  for (std::size_t op = 0; op <= static_cast<std::size_t>(localOpcode::end); ++op)
    EXPECT_GT(localCode::timesRun(static_cast<localOpcode>(op)), 0u) << "opcode " << op << " never ran";
}

}  // namespace

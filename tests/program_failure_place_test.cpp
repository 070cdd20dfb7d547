// Where a failed program says it failed: every kind of failure in every kind of statement,
// run by both engines, must name the same line, column and name; the table of places beside
// compiled code, and the loop condition a FOR builds from its parts.
#include <gtest/gtest.h>
#include <pthread.h>

#include <functional>
#include <string>

#include "context/localContextUTF8.h"
#include "core/localFailurePlace.h"
#include "interp/localExpressionTree.h"
#include "program/localCode.h"
#include "tests/program_test_support.h"

namespace {

// The place a failed run of program fixes, as "line:column NAME" (no name when none).
std::string failurePlaceOf(const std::wstring& program, localEngine::kind engine) {
  std::string found = "(ran)";
  // Deep recursion needs the large stack the console runs on.
  std::function<void()> work = [&] {
    localContextUTF8 context;
    localEngine::set(engine);
    localFailurePlace::reset();
    const programTest::Run run = programTest::run(program, &context);
    localEngine::set(localEngine::kind::code);
    if (run.ok) return;
    localFailurePlace::settle(L"f.prg");
    const std::optional<localFailurePlace::place> place = localFailurePlace::take();
    if (!place) {
      found = "(no place)";
      return;
    }
    found = std::to_string(place->line) + ":" + std::to_string(place->column);
    if (!place->subject.empty()) found += " " + localString::wstringToStdStringMultibyte(place->subject);
  };
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, std::size_t{512} << 20);
  pthread_t thread;
  auto body = [](void* argument) -> void* {
    (*static_cast<std::function<void()>*>(argument))();
    return nullptr;
  };
  if (pthread_create(&thread, &attributes, body, &work) == 0) {
    pthread_join(thread, nullptr);
  } else {
    work();
  }
  pthread_attr_destroy(&attributes);
  return found;
}

struct failingProgram {
  const wchar_t* program;
  const char* place;
};

// Unknown names, a division by 0, operands that do not fit, a method and an attribute that
// fail, a command, and calls nested too deeply; in assignments, `?`, IF and ELSEIF
// conditions, WHILE, FOR start and bound, calls, methods, commands and procedures.
const failingProgram failingPrograms[] = {
    // Assignments: the operand, the divisor, the operator, the unknown function.
    {L"x = 1;\ny = x + nosuch;\n", "2:9 NOSUCH"},
    {L"x = 1;\n\ny = 2 + NOSUCHFN(3);\n", "3:9 NOSUCHFN"},
    {L"x = 4;\nx = x / 0;\n", "2:9"},
    {L"x = 4;\nx = x + z;\n", "2:9 Z"},
    {L"x = y + 1;\n", "1:5 Y"},
    {L"s = 'a';\ns = s - 'b';\n", "2:7"},
    {L"x = 2;\ny = 3 *\n  (x -\n   2) / (x - x);\n", "4:9"},
    // `?`: the divisor in brackets, a bare one, an operand inside an argument.
    {L"? 10 / (2 - 2);\n", "1:8"},
    {L"  ? 1/0;\n", "1:7"},
    {L"? STRLEN(1 + nosuch);\n", "1:14 NOSUCH"},
    // IF and ELSEIF conditions: the comparison, an operand of a fused comparison.
    {L"x = 1;\nIF x < 'a' THEN\n  ? 1;\nENDIF;\n", "2:6"},
    {L"IF 1 > 2 THEN\n  ? 1;\nELSEIF nosuch > 1 THEN\n  ? 2;\nENDIF;\n", "3:8 NOSUCH"},
    {L"IF 1 < nosuch THEN ENDIF;\n", "1:8 NOSUCH"},
    {L"x = 1;\nIF x = 2 THEN\nELSEIF 'a' > x - 1 THEN\nENDIF;\n", "3:12"},
    // WHILE: its condition, a body statement, and the same condition written twice.
    {L"WHILE nosuch > 1 DO\nENDDO;\n", "1:7 NOSUCH"},
    {L"x = 1;\nWHILE x < 3 DO\n  x = 'a';\nENDDO;\n", "2:9"},
    {L"x = 1;\nWHILE x < 3 DO\n  x = x + 1;\nENDDO;\nx = 1;\nWHILE x < 3 DO\n  x = x + 'a';\nENDDO;\n", "7:9"},
    // FOR: the start, the bound, the counter changed to text (the test at TO, the step at
    // the counter).
    {L"FOR i = nosuch TO 3 DO\nENDDO;\n", "1:9 NOSUCH"},
    {L"n = 0;\nFOR i = 1 TO q DO\n  n = n + 1;\nENDDO;\n", "2:14 Q"},
    {L"FOR i = 1 TO 3 - 'a' DO\nENDDO;\n", "1:16"},
    {L"FOR i = 1 TO 3 DO\n  i = 'a';\nENDDO;\n", "1:5"},
    {L"FOR i = 1 TO 3 DO\n  i = 'a' + i;\nENDDO;\n", "2:11"},
    // Calls: an unknown function, a body failing, nesting too deep (the innermost call).
    {L"F(1);\n", "1:1 F"},
    {L"PROCEDURE P()\n  ? 1 / z;\nENDPROCEDURE;\nz = 0;\nFOR i = 1 TO 2 DO\n  P();\nENDDO;\n", "2:9"},
    {L"PROCEDURE P()\n  ? missing;\nENDPROCEDURE;\nWHILE 1 < 2 DO\n  P();\nENDDO;\n", "2:5 MISSING"},
    {L"FUNCTION F()\n  F();\nENDFUNCTION;\nF();\n", "2:3"},
    {L"FUNCTION F()\n  y = 1 + F();\nENDFUNCTION;\nF();\n", "2:11"},
    // Methods and attributes: the member's name; a chain on a value that is no object.
    {L"LOAD CLASS VALUETABLE ;\nt = CREATEOBJECT('VALUETABLE');\nv = t.GETVALUE(5, 1);\n", "3:7"},
    {L"LOAD CLASS TEST ;\nt = CREATEOBJECT('TEST');\ny = t.NOSUCHATTR;\n", "3:7"},
    {L"x = 1;\ny = x.A;\n", "2:5"},
    {L"y = nothing.A;\n", "1:5 NOTHING"},
    // A command: its statement.
    {L"x = 1;\n  LOAD CLASS NOSUCH ;\n", "2:3"},
};

TEST(FailurePlace, BothEnginesNameThePartThatFailed) {
  for (const failingProgram& failing : failingPrograms) {
    const std::string program = localString::wstringToStdStringMultibyte(failing.program);
    EXPECT_EQ(failurePlaceOf(failing.program, localEngine::kind::code), failing.place) << program;
    EXPECT_EQ(failurePlaceOf(failing.program, localEngine::kind::scan), failing.place) << program;
  }
}

// Two trees are the same: kinds, names, literals, places and shape.
void expectSameTree(const localExpressionTree& made, unsigned madeIndex, const localExpressionTree& parsed,
                    unsigned parsedIndex) {
  const localExpressionTree::node& a = made.nodes()[madeIndex];
  const localExpressionTree::node& b = parsed.nodes()[parsedIndex];
  ASSERT_EQ(a.what, b.what);
  EXPECT_EQ(a.operation, b.operation);
  EXPECT_EQ(a.at, b.at);
  EXPECT_EQ(a.termStart, b.termStart);
  EXPECT_EQ(a.closePosition, b.closePosition);
  EXPECT_EQ(a.methodAt, b.methodAt);
  EXPECT_EQ(a.attributeAt, b.attributeAt);
  EXPECT_EQ(a.text, b.text);
  EXPECT_EQ(a.upper, b.upper);
  EXPECT_EQ(a.attributes, b.attributes);
  EXPECT_EQ(a.literal.getType(), b.literal.getType());
  EXPECT_EQ(a.literal.getStr(), b.literal.getStr());
  ASSERT_EQ(a.arguments.size(), b.arguments.size());
  for (std::size_t i = 0; i < a.arguments.size(); ++i) expectSameTree(made, a.arguments[i], parsed, b.arguments[i]);
  if (a.what == localExpressionTree::kind::binary) expectSameTree(made, a.right, parsed, b.right);
  if (a.what == localExpressionTree::kind::binary || a.what == localExpressionTree::kind::bracket)
    expectSameTree(made, a.left, parsed, b.left);
}

TEST(FailurePlace, TheLoopTestOfAForIsTheTreeOfItsTextBuiltFromItsParts) {
  for (const std::wstring last : {L" 10 ", L" n * (2 - k)\n  // to\n ", L" t.ROWS.COUNT(a, F(1)) + 'x' "}) {
    const auto bound = localExpressionTree::parse(last);
    ASSERT_NE(bound, nullptr);
    const auto made = localExpressionTree::loopCondition(L"Counter", bound.get());
    const auto parsed = localExpressionTree::parse(L"(Counter<=(" + last + L"))");
    ASSERT_NE(made, nullptr);
    ASSERT_NE(parsed, nullptr);
    expectSameTree(*made, made->root(), *parsed, parsed->root());
  }
  EXPECT_EQ(localExpressionTree::loopCondition(L"i", nullptr), nullptr);
}

// The table beside the code: each instruction's place, the statements' first instructions
// marked, and the statement an instruction belongs to.
TEST(FailurePlace, CompiledCodeKeepsThePlaceOfEveryInstruction) {
  localContextUTF8 context;
  const programTest::Compiled compiled =
      programTest::compile(L"x = 1;\nIF x > 0 THEN\n  y = x +\n    2;\nENDIF;\nWHILE x < 3 DO x = x + 1; ENDDO;\n",
                           &context);
  ASSERT_TRUE(compiled.ok);
  const localCode& code = compiled.root->code();
  ASSERT_EQ(code.places.size(), code.instructions.size());
  std::string starts;
  for (std::size_t i = 0; i < code.instructions.size(); ++i) {
    const localSourcePlace& place = code.placeAt(i);
    const localSourcePlace statement = code.statementPlaceAt(i);
    starts += std::to_string(place.line) + ":" + std::to_string(place.column) + (place.statementStart ? "*" : "") +
              "@" + std::to_string(statement.line) + ":" + std::to_string(statement.column) + " ";
  }
  // push 1, store; the IF's test; push x, operateWith + 2 (the operator, line 3), store;
  // the WHILE's test, the update, the test again at the end of a pass; end.
  EXPECT_EQ(starts,
            "1:5*@1:1 1:1@1:1 2:6*@2:1 3:7*@3:3 3:9@3:3 3:3@3:3 6:9*@6:1 6:22*@6:16 6:9*@6:1 1:1@6:1 ");
}

}  // namespace

// The checker's warnings: each fires on its trap and stays silent on the sound form of
// the same code, and a comment on the line silences it by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "check/localCheck.h"

namespace {

using localCheck::checkProgram;

// "LINE:COLUMN-END name" for each diagnostic, in order.
std::vector<std::string> found(const std::wstring& text) {
  std::vector<std::string> result;
  for (const localCheck::diagnostic& d : checkProgram(text))
    result.push_back(std::to_string(d.line) + ":" + std::to_string(d.column) + "-" + std::to_string(d.endColumn) +
                     " " + d.name);
  return result;
}

using names = std::vector<std::string>;

TEST(CheckWarnings, ParametersAndArgumentsOfUserFunctions) {
  EXPECT_EQ(found(L"FUNCTION Twice(x)\n  r = x * 2;\nENDFUNCTION;\n? Twice(21);\n"),
            (names{"1:16-17 ignored-parameters", "4:3-12 call-arguments"}));
  EXPECT_EQ(found(L"ФУНКЦИЯ Удвоить()\n  r = x * 2;\nКОНЕЦФУНКЦИИ;\nx = 21;\n? Удвоить();\n? STRLEN('a');\n"), names{});
}

TEST(CheckWarnings, ReturnWithAnExpression) {
  EXPECT_EQ(found(L"FUNCTION F()\n  r = 1;\n  RETURN r;\nENDFUNCTION;\n"), names{"3:3-9 return-value"});
  EXPECT_EQ(found(L"FUNCTION F()\n  r = 1;\nENDFUNCTION;\n"), names{});
}

TEST(CheckWarnings, MinusBeforePlusAndDivideBeforeTimes) {
  EXPECT_EQ(found(L"paid = 1; total = 2; tip = 3;\n? paid - total + tip;\n? 8 / 2 * 4;\n"),
            (names{"2:8-17 operator-binding", "3:5-10 operator-binding"}));
  // A tighter operator between them changes nothing: a - b / c + d is still a - (b / c + d).
  EXPECT_EQ(found(L"x = 10 - 6 / 2 + 1;\n"), names{"1:8-17 operator-binding"});
  EXPECT_EQ(found(L"a = 1; b = 2; c = 3;\n? (a - b) + c;\n? a - (b + c);\n? a + b - c;\n? a - b - c;\n"
                  L"? a / b + c;\nIF a - b > c + 1 THEN\nENDIF;\n? a * b / c;\n"),
            names{});
}

TEST(CheckWarnings, SortByAColumnOfNumbers) {
  const std::wstring table = L"LOAD CLASS VALUETABLE;\nt = CREATEOBJECT('VALUETABLE');\nr = t.NEWCOLUMN('n');\n"
                             L"r = t.NEWCOLUMN('name');\nr = t.NEWLINE();\n";
  EXPECT_EQ(found(table + L"r = t.SETVALUE(1, 'n', 10);\nr = t.SORT('n');\n"), names{"7:7-15 sort-numbers"});
  EXPECT_EQ(found(table + L"FOR i = 1 TO 3 DO\n  r = t.SETVALUE(1, 1, i * 2);\nENDDO;\nr = t.СОРТИРОВАТЬ('n');\n"),
            names{"9:7-22 sort-numbers"});
  EXPECT_EQ(found(table + L"r = t.SETVALUE(1, 'n', 10);\nr = t.SETVALUE(1, 2, 'Ann');\nr = t.SORT('name');\n"),
            names{});
  EXPECT_EQ(found(table + L"r = t.SETVALUE(1, 'n', FORMAT(10, 5));\nr = t.SORT('n');\n"), names{});
}

TEST(CheckWarnings, CommandWordsAsVariablesInAFile) {
  const std::vector<localCheck::diagnostic> run = checkProgram(L"run = 0;\n");
  ASSERT_EQ(run.size(), 2u);
  EXPECT_EQ(run[0].name, "command-word");
  EXPECT_EQ(run[1].level, localCheck::severity::error) << "the compiler refuses it as well";
  EXPECT_EQ(found(L"runs = 0;\nx = run;\n? 1;\n"), names{});
}

TEST(CheckWarnings, CallsOfProceduresDeclaredNowhere) {
  EXPECT_EQ(found(L"Show();\nx = Compute(1) + 1;\n"), (names{"1:1-5 undeclared-call", "2:5-12 undeclared-call"}));
  EXPECT_EQ(found(L"PROCEDURE Show()\nENDPROCEDURE;\nShow();\nx = STRLEN('a');\nIF (x > 1) THEN\nENDIF;\n"),
            names{});
}

TEST(CheckWarnings, TextAfterAConsoleLinesStatement) {
  const auto lines = localCheck::checkConsoleLines(L"? 1e3\nx = 2\n? 7 % 3 // note\nLOAD CLASS VALUETABLE\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].name, "ignored-text");
  EXPECT_EQ(lines[0].line, 1u);
  EXPECT_EQ(lines[0].column, 4u);
  EXPECT_EQ(lines[0].message, L"ignored after the statement: e3");
  EXPECT_EQ(lines[1].line, 3u);
  EXPECT_EQ(localCheck::checkConsoleLines(L"? 1\nx = 2;\n").size(), 0u);
}

TEST(CheckWarnings, ACommentOnTheLineSilencesTheNamedWarningsOnly) {
  EXPECT_EQ(found(L"? 8 / 2 * 4;  // nowarn: operator-binding\n"), names{});
  EXPECT_EQ(found(L"? 8 / 2 * 4;  // nowarn: return-value, sort-numbers\n"), names{"1:5-10 operator-binding"});
  EXPECT_EQ(found(L"? 8 / 2 * 4;  // operator-binding\n"), names{"1:5-10 operator-binding"});
}

TEST(CheckErrors, TheFirstCompileFailureIsAnErrorWithItsPlace) {
  const std::vector<localCheck::diagnostic> d = checkProgram(L"#!/usr/bin/env localinterp\nx = 1\ny = 2;\n");
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].level, localCheck::severity::error);
  EXPECT_EQ(d[0].name, "error");
  EXPECT_EQ(d[0].line, 2u);
  EXPECT_EQ(d[0].column, 6u);
  EXPECT_EQ(d[0].message, L"Синтаксическая ошибка. Ожидается \";\"");
  EXPECT_TRUE(checkProgram(L"FUNCTION F() ? 1; ENDFUNCTION;\nDO nosuch.prg ;\n").empty());
}

}  // namespace

namespace {

// The reference lists the warnings: one section "### `name`" for each, and no other.
TEST(CheckWarnings, TheReferenceHasASectionForEachWarning) {
  std::ifstream page(std::string(LOCALINTERP_SOURCE_DIR) + "/doc/warnings.md");
  ASSERT_TRUE(page.is_open());
  std::vector<std::string> sections;
  for (std::string line; std::getline(page, line);)
    if (line.rfind("### `", 0) == 0) sections.push_back(line.substr(5, line.size() - 6));
  std::vector<std::string> kinds;
  for (const localCheck::warningKind& kind : localCheck::warningKinds()) kinds.push_back(kind.name);
  std::sort(sections.begin(), sections.end());
  std::sort(kinds.begin(), kinds.end());
  EXPECT_EQ(sections, kinds);
}

}  // namespace

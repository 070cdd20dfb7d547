// The lines a failed script run ends with: the caret under its column, the hints for the
// traps that a message alone does not explain, and the refusal of files that hold no text.
#include <gtest/gtest.h>

#include <string>

#include "app/localFailureHints.h"
#include "app/localScriptFailure.h"
#include "app/localScriptFileCheck.h"

namespace {

TEST(ScriptFailureReport, CaretStandsUnderTheColumnWithTheLinesTabsKept) {
  EXPECT_EQ(localScriptFailure::sourceAndCaret(L"? 1/0;", 1), "? 1/0;\n^\n");
  EXPECT_EQ(localScriptFailure::sourceAndCaret(L"\t\tx = y;", 7), "\t\tx = y;\n\t\t    ^\n");
  // A missing ";" is named just past the end of the line's code; a CR of the line end goes.
  EXPECT_EQ(localScriptFailure::sourceAndCaret(L"x = 1\r", 6), "x = 1\n     ^\n");
  // Of a very long line, a stretch around the column.
  const std::string shown = localScriptFailure::sourceAndCaret(std::wstring(5000, L'(') + L"x", 5001);
  EXPECT_EQ(shown, "..." + std::string(80, '(') + "x\n" + std::string(83, ' ') + "^\n");
  localFailurePlace::place place{L"p.prg", 3, 2, {}, {}};
  EXPECT_EQ(localScriptFailure::report(place, localErrorTypeDIVISIONbyZero, nullptr), "p.prg:3:2: Деление на 0!\n");
  place.line = 0;
  place.detail = L"x.prg";
  const std::wstring source = L"DO x.prg;";
  EXPECT_EQ(localScriptFailure::report(place, localErrorTypeFILEnotFound, &source), "p.prg: x.prg: Файл не найден.\n");
}

TEST(ScriptFailureHints, MethodCallStatementIsToldToAssignItsResult) {
  EXPECT_EQ(localFailureHints::hintFor(localErrorTypeSYNTAX, L"  t.NEWCOLUMN(\"a\");  // new column"),
            "hint: a method call is not a statement in a program; assign its result: r = t.NEWCOLUMN(\"a\");");
  EXPECT_EQ(localFailureHints::hintFor(localErrorTypeSYNTAX, L"таблица.Сортировать('a');"),
            "hint: a method call is not a statement in a program; assign its result: r = таблица.Сортировать('a');");
  // A plain call is a statement; other failures of such a line get no hint.
  EXPECT_EQ(localFailureHints::hintFor(localErrorTypeSYNTAX, L"F(1);"), "");
  EXPECT_EQ(localFailureHints::hintFor(localErrorTypeVARIABLEunknown, L"t.NEWCOLUMN('a');"), "");
}

TEST(ScriptFailureHints, AndOrAreToldToNestOutsideStringsAndComments) {
  const std::string nest = "hint: the language has no AND or OR; nest the conditions instead";
  EXPECT_EQ(localFailureHints::hintFor(localErrorTypeSYNTAXexpectedTHEN, L"IF a > 1 AND b > 1 THEN").rfind(nest, 0), 0u);
  EXPECT_EQ(localFailureHints::hintFor(localErrorTypeSYNTAXexpectedDO, L"ПОКА a > 1 или b > 1 ЦИКЛ").rfind(nest, 0), 0u);
  EXPECT_EQ(localFailureHints::hintFor(localErrorTypeSYNTAXexpectedTHEN, L"IF 'this AND that' = x THEN"), "");
  EXPECT_EQ(localFailureHints::hintFor(localErrorTypeSYNTAXexpectedTHEN, L"IF ORDER > 1 THE // a or b"), "");
}

TEST(ScriptFailureHints, CommandWordAssignedInAFileIsNamed) {
  EXPECT_EQ(localFailureHints::hintFor(localErrorTypeSYNTAXexpectedSemicolon, L"run = 0;"),
            "hint: run is a console command word, which a program file runs as the command; give the variable "
            "another name");
  EXPECT_EQ(localFailureHints::hintFor(localErrorTypeSYNTAXexpectedSemicolon, L"runs = 0"), "");
}

TEST(ScriptFileCheck, ZeroBytesAndRunsOfControlBytesAreNoText) {
  EXPECT_EQ(localScriptFileCheck::whyNotText("? 1;\n"), "");
  EXPECT_EQ(localScriptFileCheck::whyNotText("? '\x1B[1mbold';\r\n\f\t? '\xC0';\n"), "");
  EXPECT_EQ(localScriptFileCheck::whyNotText(std::string("? 1;\n\0", 6)), "a zero byte at offset 5");
  EXPECT_EQ(localScriptFileCheck::whyNotText(std::string("\xFF\xFE?\0", 4)), "a zero byte at offset 3");
  // One stray control byte in a string is text; many are not.
  EXPECT_EQ(localScriptFileCheck::whyNotText("? '\x01';\n" + std::string(40, 'x')), "");
  EXPECT_EQ(localScriptFileCheck::whyNotText(std::string(8, '\x02') + "abcd"), "8 control bytes");
}

}  // namespace

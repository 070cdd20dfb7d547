// The place a failed run names in its closing line: the end of the statement that lacks a
// ";", the statement that failed at run time even when its node keeps no position, and the
// innermost program that fixed a place.
#include <gtest/gtest.h>

#include <string>

#include "core/localFailurePlace.h"

namespace {

using namespace localFailurePlace;

std::pair<unsigned, unsigned> lineColumn(const std::wstring& text, unsigned position) {
  unsigned line = 0;
  unsigned column = 0;
  lineAndColumn(text, position, line, column);
  return {line, column};
}

TEST(FailurePlace, MissingSemicolonBelongsToTheEndOfTheStatementBeforeComments) {
  const std::wstring text = L"x = 1;\n? 'a // b'  // note\n\n  // more\ny = 2;\n";
  const unsigned stopped = static_cast<unsigned>(text.find(L"y = 2"));
  const unsigned end = compilePosition(text, stopped, localErrorTypeSYNTAXexpectedSemicolon);
  EXPECT_EQ(lineColumn(text, end), std::make_pair(2u, 11u));
  // Other failures are named where the compiler stopped.
  EXPECT_EQ(compilePosition(text, stopped, localErrorTypeSYNTAX), stopped);
  // Nothing before: the stop itself; past the end: the end.
  EXPECT_EQ(compilePosition(L"\n\nx", 2, localErrorTypeSYNTAXexpectedSemicolon), 2u);
  EXPECT_EQ(compilePosition(L"x", 9, localErrorTypeSYNTAX), 1u);
}

TEST(FailurePlace, RuntimeNoteMatchesItsTextOrItsOnlyOccurrence) {
  const std::wstring text = L"a = 1;\nWHILE a < 3 DO\n  F();\n  b = a / 0;\nENDDO;\n";
  reset();
  std::size_t from = mark();
  // An assignment keeps its statement's position and the expression's text.
  statementFailed(static_cast<unsigned>(text.find(L"b = ")), L"a / 0");
  statementFailed(0, L"(a < 3)");
  settle(L"p.prg", text, from);
  auto place = take();
  ASSERT_TRUE(place);
  EXPECT_EQ(place->file, L"p.prg");
  EXPECT_EQ(std::make_pair(place->line, place->column), std::make_pair(4u, 3u));
  // A note whose text is not where its position says comes from another file: skipped
  // for the next one, here a loop condition found once in the text.
  from = mark();
  statementFailed(2, L"other text");
  statementFailed(0, L"(a < 3)");
  settle(L"p.prg", text, from, 10);
  place = take();
  ASSERT_TRUE(place);
  EXPECT_EQ(std::make_pair(place->line, place->column), std::make_pair(12u, 7u));
  // Nothing matches: the file alone.
  from = mark();
  statementFailed(0, L"F(x)");  // nowhere
  statementFailed(9, L"a / 0");  // not at its position: a statement lies between
  settle(L"p.prg", text, from);
  place = take();
  ASSERT_TRUE(place);
  EXPECT_EQ(place->line, 0u);
}

TEST(FailurePlace, TheInnermostProgramFixesThePlaceAndAnUnreadableFileIsNamed) {
  reset();
  const std::size_t outer = mark();
  const std::wstring inner = L"\n? zz;\n";
  const std::size_t from = mark();
  statementFailed(1, L"zz");
  settle(L"inner.prg", inner, from);
  statementFailed(0, L"DO inner.prg ");
  settle(L"outer.prg", L"DO inner.prg ;\n", outer);
  auto place = take();
  ASSERT_TRUE(place);
  EXPECT_EQ(place->file, L"inner.prg");
  EXPECT_EQ(std::make_pair(place->line, place->column), std::make_pair(2u, 1u));
  EXPECT_FALSE(take()) << "taking clears";
  fileUnreadable(L"nosuch.prg");
  place = take();
  ASSERT_TRUE(place);
  EXPECT_EQ(place->file, L"");
  EXPECT_EQ(place->detail, L"nosuch.prg");
}

TEST(FailurePlace, CompileNoteAndLineOffset) {
  reset();
  const std::wstring text = L"IF x THEN\n  ? 1\nENDIF;\n";
  const std::size_t from = mark();
  compileFailed(static_cast<unsigned>(text.find(L"ENDIF")), localErrorTypeSYNTAXexpectedSemicolon);
  settle(L"-c", text, from, 4);
  const auto place = take();
  ASSERT_TRUE(place);
  EXPECT_EQ(std::make_pair(place->line, place->column), std::make_pair(6u, 6u));
}

}  // namespace

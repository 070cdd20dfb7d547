// The place a failed run names in its closing line: the end of the statement that lacks a
// ";", the first note the failed program left (not one of another program's), the
// scanner's note in its own text, and the innermost program that fixed a place.
#include <gtest/gtest.h>

#include <optional>
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

TEST(FailurePlace, TheFirstNoteOfTheFailedProgramIsItsPlace) {
  reset();
  std::size_t from = mark();
  // Innermost first: a body of another program (source 2) is skipped for the call in this one.
  failedAt(2, 9, 9, L"");
  failedAt(1, 4, 7, L"NOSUCH");
  failedAt(1, 2, 1, L"");
  runFailed(L"", 1, from);
  settle(L"p.prg", 10);
  auto place = take();
  ASSERT_TRUE(place);
  EXPECT_EQ(place->file, L"p.prg");
  EXPECT_EQ(std::make_pair(place->line, place->column), std::make_pair(14u, 7u));
  EXPECT_EQ(place->subject, L"NOSUCH");
  // Nothing of this program: the file alone.
  from = mark();
  failedAt(2, 3, 3, L"");
  runFailed(L"", 1, from);
  settle(L"p.prg");
  place = take();
  ASSERT_TRUE(place);
  EXPECT_EQ(place->line, 0u);
}

TEST(FailurePlace, TheScannersNoteBelongsToTheTextItWasLeftInAndTheInnermostStands) {
  reset();
  const std::wstring text = L"1 / 0";
  const std::wstring other = L"1 / 0";
  partFailed(text, 4);
  partFailed(text, 2, L"X");  // an outer part of the same failure
  EXPECT_FALSE(takePart(other)) << "another text, even with the same characters";
  EXPECT_FALSE(takePart(text)) << "taking clears it";
  partFailed(text, 4, L"X");
  const std::optional<part> taken = takePart(text);
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->position, 4u);
  EXPECT_EQ(taken->subject, L"X");
  // A run that starts drops a note no statement took: its text may be gone.
  partFailed(text, 4);
  mark();
  EXPECT_FALSE(takePart(text));
}

TEST(FailurePlace, TheInnermostProgramFixesThePlaceAndAnUnreadableFileIsNamed) {
  reset();
  const std::size_t outer = mark();
  const std::size_t from = mark();
  failedAt(7, 2, 1, L"");
  runFailed(L"", 7, from);
  settle(L"inner.prg");
  failedAt(6, 1, 1, L"");
  runFailed(L"", 6, outer);
  settle(L"outer.prg");
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
  compileFailed(3, static_cast<unsigned>(text.find(L"ENDIF")), localErrorTypeSYNTAXexpectedSemicolon);
  runFailed(text, 3, from);
  settle(L"-c", 4);
  const auto place = take();
  ASSERT_TRUE(place);
  EXPECT_EQ(std::make_pair(place->line, place->column), std::make_pair(6u, 6u));
}

}  // namespace

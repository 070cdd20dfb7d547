#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "core/localReturnStateType.h"

// Where a failed run stopped, for the one closing line a FILE or -c run prints on
// standard error: "prog.prg:12:5: message". The layers that report a failure leave a note
// here as the failure travels outwards; the program runner turns the notes of its run into
// a file, line and column once the run has failed.
namespace localFailurePlace {

struct place {
  std::wstring file;    // the program file, or what the entry point calls its text
  unsigned line = 0;    // from 1; 0 when only the file is known
  unsigned column = 0;  // from 1
  std::wstring detail;  // what the message is about, e.g. the file DO could not read
};

// A statement failed while it ran: where it starts in its program text (a node's position)
// and its source text. Called innermost first.
void statementFailed(unsigned position, const std::wstring& text);

// Compilation of a program text stopped at position with state.
void compileFailed(unsigned position, localReturnStateType state);

// DO could not read this file.
void fileUnreadable(const std::wstring& file);

// Where the notes of a run begin; the runner passes it back to settle.
std::size_t mark();

// After the run of `text` from `file` failed: fixes the place from the notes since `mark`,
// unless a run inside it fixed one already. `lineOffset` is added to the line (a text
// that starts further down in what the user wrote).
void settle(const std::wstring& file, const std::wstring& text, std::size_t mark, unsigned lineOffset = 0);

// The fixed place, if any (with an empty file when only a detail is known), and a clean
// slate for the next run.
std::optional<place> take();

// Forgets everything; called before each independent run.
void reset();

// For a compile failure at `position`: the place to name. For a missing ";" that is the
// end of the statement that lacks it (the compiler stops at the next token, which may be
// lines further down); otherwise the position itself. Returns a position in text.
unsigned compilePosition(const std::wstring& text, unsigned position, localReturnStateType state);

// Line (from 1) and column (from 1) of a position in text.
void lineAndColumn(const std::wstring& text, unsigned position, unsigned& line, unsigned& column);

}  // namespace localFailurePlace

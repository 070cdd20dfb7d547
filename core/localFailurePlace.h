#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/localReturnStateType.h"

// Where a failed run stopped, for the one closing line a FILE or -c run prints on
// standard error: "prog.prg:12:5: message NAME". The parts that fail leave a note here as
// the failure travels outwards, innermost first: the scanner where in its text it failed,
// a statement or an instruction the line and column of that part in its program. The
// program runner turns the first note of its own program into the place once its run has
// failed; whoever ran the text names the file.
namespace localFailurePlace {

struct place {
  std::wstring file;     // the program file, or what the entry point calls its text
  unsigned line = 0;     // from 1; 0 when only the file is known
  unsigned column = 0;   // from 1
  std::wstring detail;   // what the message is about, e.g. the file DO could not read
  std::wstring subject;  // the unknown variable or function the message is about
};

// The scanner failed at position of text (an operand, an operator, a divisor, a call);
// subject names an unknown variable or function. The first such note stands until a
// statement takes it: the innermost part that failed.
void partFailed(const std::wstring& text, unsigned position, std::wstring_view subject = {});

// The scanner's note, if it was left in text; taking it clears it whatever text it was in.
struct part {
  unsigned position = 0;
  std::wstring subject;
};
std::optional<part> takePart(const std::wstring& text);
// Drops the scanner's note; before scanning a text made for the occasion, whose address
// an earlier, gone text may have had.
void forgetPart();

// A statement or an instruction of the program numbered source failed at line and column.
void failedAt(std::uint32_t source, unsigned line, unsigned column, const std::wstring& subject);

// Compilation of the program numbered source stopped at position with state.
void compileFailed(std::uint32_t source, unsigned position, localReturnStateType state);

// DO could not read this file.
void fileUnreadable(const std::wstring& file);

// Where the notes of a run begin; the runner passes it back to runFailed. Drops the
// scanner's note.
std::size_t mark();

// The run of `text`, the program numbered source, failed: its place is the first note
// since `mark` that belongs to it, unless a run inside it fixed one already.
void runFailed(const std::wstring& text, std::uint32_t source, std::size_t mark);

// Names the file of the place the last failed run fixed; lineOffset is added to its line
// (a text that starts further down in what the user wrote). Without a fixed place the
// place is the file alone.
void settle(const std::wstring& file, unsigned lineOffset = 0);

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

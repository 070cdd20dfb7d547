#include "core/localFailurePlace.h"

#include <algorithm>
#include <vector>

namespace localFailurePlace {

namespace {

struct note {
  std::uint32_t source = 0;
  bool compile = false;
  unsigned position = 0;  // a compile note's
  localReturnStateType state = localErrorTypeOK;
  unsigned line = 0;  // a run-time note's
  unsigned column = 0;
  std::wstring subject;
};

// The notes stop growing at this count: a failure deep in recursion passes through
// thousands of statements, and the innermost ones are those that name the place.
constexpr std::size_t noteLimit = 4096;

std::vector<note> notes;
std::optional<place> fixed;
bool named = false;
std::wstring pendingDetail;

// The scanner's note: the text it was in (compared by address only, never read), where,
// and about what.
struct scannerNote {
  const std::wstring* text = nullptr;
  unsigned position = 0;
  std::wstring subject;
};
scannerNote scanned;

bool isLineEnd(wchar_t c) { return c == L'\n'; }

std::size_t lineStartOf(const std::wstring& text, std::size_t position) {
  const std::size_t feed = position == 0 ? std::wstring::npos : text.rfind(L'\n', position - 1);
  return feed == std::wstring::npos ? 0 : feed + 1;
}

// The end of the code on the line [start, end): strings ('...' or "...") are stepped over
// so that a "//" inside one starts no comment; trailing blanks are not code.
std::size_t codeEndOfLine(const std::wstring& text, std::size_t start, std::size_t end) {
  std::size_t codeEnd = start;
  std::size_t i = start;
  while (i < end) {
    const wchar_t c = text[i];
    if (c == L'/' && i + 1 < end && text[i + 1] == L'/') break;
    if (c == L'\'' || c == L'"') {
      const std::size_t close = text.find(c, i + 1);
      i = close == std::wstring::npos || close >= end ? end : close + 1;
      codeEnd = i;
      continue;
    }
    ++i;
    if (c != L' ' && c != L'\t' && c != L'\r') codeEnd = i;
  }
  return codeEnd;
}

void add(note&& made) {
  if (notes.size() < noteLimit) notes.push_back(std::move(made));
}

}  // namespace

void partFailed(const std::wstring& text, unsigned position, std::wstring_view subject) {
  if (scanned.text != nullptr) return;
  scanned.text = &text;
  scanned.position = position;
  scanned.subject.assign(subject);
}

std::optional<part> takePart(const std::wstring& text) {
  std::optional<part> found;
  if (scanned.text == &text) found = part{scanned.position, std::move(scanned.subject)};
  scanned = scannerNote{};
  return found;
}

void failedAt(std::uint32_t source, unsigned line, unsigned column, const std::wstring& subject) {
  note made;
  made.source = source;
  made.line = line;
  made.column = column;
  made.subject = subject;
  add(std::move(made));
}

void compileFailed(std::uint32_t source, unsigned position, localReturnStateType state) {
  note made;
  made.source = source;
  made.compile = true;
  made.position = position;
  made.state = state;
  add(std::move(made));
}

void fileUnreadable(const std::wstring& file) {
  if (!fixed) pendingDetail = file;
}

std::size_t mark() {
  // A note the scanner left in a text that is gone (an expression a debugger evaluated)
  // must not be taken for one in a text made later at the same address.
  forgetPart();
  return notes.size();
}

void forgetPart() { scanned = scannerNote{}; }

void runFailed(const std::wstring& text, std::uint32_t source, std::size_t from) {
  if (fixed) return;
  place found;
  found.detail = pendingDetail;
  for (std::size_t i = from; i < notes.size(); ++i) {
    const note& failed = notes[i];
    if (failed.source != source) continue;  // a function of another program: its call names the place
    if (failed.compile) {
      lineAndColumn(text, compilePosition(text, failed.position, failed.state), found.line, found.column);
    } else {
      if (failed.line == 0) continue;
      found.line = failed.line;
      found.column = failed.column;
      found.subject = failed.subject;
    }
    break;
  }
  fixed = found;
  named = false;
}

void settle(const std::wstring& file, unsigned lineOffset) {
  if (fixed && named) return;
  if (!fixed) fixed = place{std::wstring(), 0, 0, pendingDetail, std::wstring()};
  fixed->file = file;
  if (fixed->line > 0) fixed->line += lineOffset;
  named = true;
}

std::optional<place> take() {
  std::optional<place> result = fixed;
  if (result && !named) result->file.clear();
  if (!result && !pendingDetail.empty()) result = place{std::wstring(), 0, 0, pendingDetail, std::wstring()};
  reset();
  return result;
}

void reset() {
  notes.clear();
  fixed.reset();
  named = false;
  pendingDetail.clear();
  scanned = scannerNote{};
}

unsigned compilePosition(const std::wstring& text, unsigned position, localReturnStateType state) {
  const std::size_t stop = std::min<std::size_t>(position, text.size());
  if (state != localErrorTypeSYNTAXexpectedSemicolon) return static_cast<unsigned>(stop);
  // Back from where the compiler stopped to the last code before it: the ";" belongs there.
  std::size_t end = stop;
  for (;;) {
    const std::size_t start = lineStartOf(text, end);
    const std::size_t codeEnd = codeEndOfLine(text, start, end);
    if (codeEnd > start) return static_cast<unsigned>(codeEnd);
    if (start == 0) return static_cast<unsigned>(stop);
    end = start - 1;  // the previous line, without its line feed
  }
}

void lineAndColumn(const std::wstring& text, unsigned position, unsigned& line, unsigned& column) {
  const std::size_t at = std::min<std::size_t>(position, text.size());
  line = 1 + static_cast<unsigned>(std::count_if(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at),
                                                 isLineEnd));
  column = 1 + static_cast<unsigned>(at - lineStartOf(text, at));
}

}  // namespace localFailurePlace

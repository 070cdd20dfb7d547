#include "core/localFailurePlace.h"

#include <algorithm>
#include <vector>

namespace localFailurePlace {

namespace {

struct note {
  bool compile = false;
  unsigned position = 0;
  localReturnStateType state = localErrorTypeOK;
  std::wstring text;
};

// The notes stop growing at this count: a failure deep in recursion passes through
// thousands of statements, and the innermost ones are those that name the place.
constexpr std::size_t noteLimit = 4096;

std::vector<note> notes;
std::optional<place> fixed;
std::wstring pendingDetail;

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

// A statement's text stands at its position: after the statement's first words at most
// (the name and "=" of an assignment, a keyword), not past the end of the statement.
bool standsAt(const std::wstring& text, unsigned position, const std::wstring& statement) {
  if (statement.empty() || position >= text.size()) return false;
  const std::size_t found = text.find(statement, position);
  if (found == std::wstring::npos || found - position > 256) return false;
  return text.find(L';', position) >= found;
}

// A node that keeps no position (a call statement, a command, a WHILE): its text when it
// occurs exactly once in the program.
std::optional<unsigned> onlyOccurrence(const std::wstring& text, std::wstring statement) {
  if (statement.size() > 2 && statement.front() == L'(' && statement.back() == L')')
    statement = statement.substr(1, statement.size() - 2);  // a loop condition is kept in brackets
  if (statement.empty()) return std::nullopt;
  const std::size_t first = text.find(statement);
  if (first == std::wstring::npos || text.find(statement, first + 1) != std::wstring::npos) return std::nullopt;
  return static_cast<unsigned>(first);
}

std::optional<unsigned> runtimePosition(const std::wstring& text, const note& failed) {
  if (standsAt(text, failed.position, failed.text)) return failed.position;
  if (failed.position == 0) return onlyOccurrence(text, failed.text);
  return std::nullopt;
}

}  // namespace

void statementFailed(unsigned position, const std::wstring& text) {
  if (notes.size() >= noteLimit) return;
  notes.push_back(note{false, position, localErrorTypeOK, text});
}

void compileFailed(unsigned position, localReturnStateType state) {
  if (notes.size() >= noteLimit) return;
  notes.push_back(note{true, position, state, std::wstring()});
}

void fileUnreadable(const std::wstring& file) {
  if (!fixed) pendingDetail = file;
}

std::size_t mark() { return notes.size(); }

void settle(const std::wstring& file, const std::wstring& text, std::size_t from, unsigned lineOffset) {
  if (fixed) return;
  place found;
  found.file = file;
  found.detail = pendingDetail;
  for (std::size_t i = from; i < notes.size(); ++i) {
    std::optional<unsigned> position;
    if (notes[i].compile) {
      position = compilePosition(text, notes[i].position, notes[i].state);
    } else {
      position = runtimePosition(text, notes[i]);
    }
    if (!position) continue;
    lineAndColumn(text, *position, found.line, found.column);
    found.line += lineOffset;
    break;
  }
  fixed = found;
}

std::optional<place> take() {
  std::optional<place> result = fixed;
  if (!result && !pendingDetail.empty()) result = place{std::wstring(), 0, 0, pendingDetail};
  reset();
  return result;
}

void reset() {
  notes.clear();
  fixed.reset();
  pendingDetail.clear();
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

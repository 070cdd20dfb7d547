#include "app/localScriptFailure.h"

#include <fstream>
#include <iterator>

#include "app/localFailureHints.h"
#include "text/localString.h"
#include "text/localUtf8.h"

namespace localScriptFailure {

namespace {

std::string bytesOf(const std::wstring& text) { return localString::wstringToStdStringMultibyte(text); }

// A failure names a line of a file that was just run; a file grown huge since is not read.
constexpr std::streamsize lineSearchLimit = std::streamsize{64} << 20;

// The most characters of a source line shown under a failure.
constexpr std::size_t shownWidth = 160;

}  // namespace

std::string closingLine(const localFailurePlace::place& place, const std::string& message) {
  std::string line = bytesOf(place.file) + ":";
  if (place.line > 0) line += std::to_string(place.line) + ":" + std::to_string(place.column) + ":";
  line += " ";
  if (!place.detail.empty()) line += bytesOf(place.detail) + ": ";
  line += message;
  if (!place.subject.empty()) line += " " + bytesOf(place.subject);
  return line + "\n";
}

std::string sourceAndCaret(const std::wstring& sourceLine, unsigned column) {
  std::wstring line = sourceLine;
  while (!line.empty() && (line.back() == L'\r' || line.back() == L'\n')) line.pop_back();
  // Of a very long line only a stretch around the column is shown, marked by "...".
  if (line.size() > shownWidth) {
    const std::size_t at = column == 0 ? 0 : column - 1;
    const std::size_t from = at > shownWidth / 2 ? at - shownWidth / 2 : 0;
    const bool cutFront = from > 0;
    const bool cutBack = from + shownWidth < line.size();
    line = (cutFront ? L"..." : L"") + line.substr(from, shownWidth) + (cutBack ? L"..." : L"");
    column = static_cast<unsigned>(at - from + 1 + (cutFront ? 3 : 0));
  }
  std::wstring caret;
  for (std::size_t i = 0; i + 1 < column; ++i) caret.push_back(i < line.size() && line[i] == L'\t' ? L'\t' : L' ');
  caret.push_back(L'^');
  return bytesOf(line) + "\n" + bytesOf(caret) + "\n";
}

bool lineOfFile(const std::wstring& file, unsigned line, std::wstring& text) {
  if (line == 0) return false;
  std::ifstream in(bytesOf(file), std::ios::binary);
  if (!in.is_open()) return false;
  std::string content;
  content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (static_cast<std::streamsize>(content.size()) > lineSearchLimit) return false;
  std::size_t start = 0;
  for (unsigned n = 1; n < line; ++n) {
    start = content.find('\n', start);
    if (start == std::string::npos) return false;
    ++start;
  }
  std::size_t end = content.find('\n', start);
  if (end == std::string::npos) end = content.size();
  std::string bytes = content.substr(start, end - start);
  if (line == 1 && bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
  text.clear();
  std::size_t badOffset = 0;
  if (localString::utf8Mode() && localString::isValidUtf8(content) && localString::utf8ToWstring(bytes, text, badOffset))
    return true;
  text.clear();
  for (const char c : bytes) text.push_back(localString::charCp1251ToWchar(c));
  return true;
}

std::string report(const localFailurePlace::place& place, localReturnStateType state, const std::wstring* sourceLine) {
  std::string lines = closingLine(place, bytesOf(localString::returnStateAsString(state)));
  if (sourceLine == nullptr || place.line == 0) return lines;
  lines += sourceAndCaret(*sourceLine, place.column);
  const std::string hint = localFailureHints::hintFor(state, *sourceLine);
  if (!hint.empty()) lines += hint + "\n";
  return lines;
}

}  // namespace localScriptFailure

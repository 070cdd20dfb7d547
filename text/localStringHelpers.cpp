#include <algorithm>

#include "text/localString.h"

// Blanks, trimming, upper case, line arithmetic and wildcard templates on wide strings.

namespace {

bool isBlank(wchar_t c) { return c == L'\t' || c == L' ' || c == L'\n'; }

}  // namespace

namespace localString {

bool isSpaceChar(const std::wstring& text, unsigned position) {
  return position < text.size() && isBlank(text[position]);
}

wchar_t charAt(const std::wstring& text, unsigned position) {
  return position < text.size() ? text[position] : L'\0';
}

std::wstring_view trimLView(std::wstring_view text) {
  std::size_t first = 0;
  while (first < text.size() && isBlank(text[first])) ++first;
  return text.substr(first);
}

std::wstring_view trimRView(std::wstring_view text) {
  std::size_t end = text.size();
  while (end > 0 && isBlank(text[end - 1])) --end;
  return text.substr(0, end);
}

std::wstring_view rightView(std::wstring_view text, unsigned count) {
  if (text.size() < count) return text;
  return text.substr(text.size() - count);
}

std::wstring trimL(const std::wstring& text) { return std::wstring(trimLView(text)); }
std::wstring trimR(const std::wstring& text) { return std::wstring(trimRView(text)); }

std::wstring wstringToUpper(const std::wstring& text) {
  std::wstring out(text);
  std::transform(out.begin(), out.end(), out.begin(), wcharToUpper);
  return out;
}

namespace {
// The one line end the language knows; the scanners ask for it at every blank they skip.
const wchar_t lineFeed = L'\n';
}  // namespace

std::wstring newLineMarker() { return std::wstring(1, lineFeed); }

bool isNewLineMarker(const std::wstring& text, const unsigned& position) {
  return position < text.size() && text[position] == lineFeed;
}

std::wstring getLineFromPos(const std::wstring& text, unsigned position) {
  if (position >= text.size()) return {};
  const std::size_t end = text.find(L'\n', position);
  return text.substr(position, end == std::wstring::npos ? std::wstring::npos : end - position);
}

unsigned getLineNumberByPos(const std::wstring& text, unsigned position, unsigned& lineStart) {
  // A position past the end is reported as the last character's line.
  std::size_t pos = position;
  if (pos >= text.size()) pos = text.empty() ? 0 : text.size() - 1;
  unsigned line = 1;
  lineStart = 0;
  while (lineStart < text.size()) {
    const std::size_t feed = text.find(L'\n', lineStart);
    if (feed == std::wstring::npos || pos < feed) break;
    // The line feed itself belongs to the following line.
    lineStart = static_cast<unsigned>(feed + 1);
    ++line;
  }
  return line;
}

bool wordCorrespondsToTemplate(const std::wstring& word, const std::wstring& pattern) {
  const std::size_t longer = std::max(word.size(), pattern.size());
  for (std::size_t i = 0;; ++i) {
    if (i >= longer) return true;
    if (i < pattern.size() && pattern[i] == L'*') return true;
    if (i >= pattern.size() || i >= word.size()) return false;
    if (pattern[i] != L'?' && pattern[i] != word[i]) return false;
  }
}

}  // namespace localString

#include "check/localCheckTokens.h"

#include "text/localString.h"

namespace localCheck {

namespace {

bool isLetter(wchar_t c) {
  return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_' || (c >= 0x400 && c <= 0x4FF);
}
bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

bool isNameChar(wchar_t c) { return isLetter(c) || isDigit(c); }

tokenizedText tokenize(const std::wstring& text) {
  tokenizedText result;
  result.comments.resize(2);
  unsigned line = 1;
  std::size_t lineStart = 0;
  std::size_t i = 0;
  const auto column = [&](std::size_t at) { return static_cast<unsigned>(at - lineStart + 1); };
  const auto add = [&](tokenKind kind, std::size_t start, std::size_t end) {
    token t;
    t.kind = kind;
    t.text = text.substr(start, end - start);
    if (kind == tokenKind::name) t.upper = localString::wstringToUpper(t.text);
    t.line = line;
    t.column = column(start);
    t.endColumn = column(end);
    result.tokens.push_back(std::move(t));
  };
  while (i < text.size()) {
    const wchar_t c = text[i];
    if (c == L'\n') {
      ++line;
      lineStart = ++i;
      if (result.comments.size() <= line) result.comments.resize(line + 1);
      continue;
    }
    if (c == L' ' || c == L'\t' || c == L'\r') {
      ++i;
      continue;
    }
    if (c == L'/' && i + 1 < text.size() && text[i + 1] == L'/') {
      std::size_t end = text.find(L'\n', i);
      if (end == std::wstring::npos) end = text.size();
      result.comments[line] += text.substr(i + 2, end - i - 2);
      i = end;
      continue;
    }
    const std::size_t start = i;
    if (c == L'\'' || c == L'"') {
      // A string ends at its closing quote or, unclosed, at the end of its line.
      std::size_t end = text.find(c, i + 1);
      const std::size_t feed = text.find(L'\n', i + 1);
      if (end == std::wstring::npos || (feed != std::wstring::npos && feed < end)) end = feed == std::wstring::npos ? text.size() - 1 : feed - 1;
      i = end + 1;
      add(tokenKind::string, start, i);
    } else if (isDigit(c)) {
      while (i < text.size() && (isDigit(text[i]) || text[i] == L'.')) ++i;
      add(tokenKind::number, start, i);
    } else if (isLetter(c)) {
      while (i < text.size() && isNameChar(text[i])) ++i;
      add(tokenKind::name, start, i);
    } else {
      ++i;
      add(tokenKind::symbol, start, i);
    }
  }
  return result;
}

}  // namespace localCheck

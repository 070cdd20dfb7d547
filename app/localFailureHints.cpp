#include "app/localFailureHints.h"

#include <cwctype>

#include "shell/localShellCommands.h"
#include "text/localString.h"

namespace localFailureHints {

namespace {

bool isNameChar(wchar_t c) { return c == L'_' || std::iswalnum(static_cast<wint_t>(c)) || (c >= 0x400 && c <= 0x4FF); }

bool isSyntaxState(localReturnStateType state) {
  return state >= localErrorTypeSYNTAX && state <= localErrorTypeSYNTAXexpectedTO;
}

// The line without its comment and with every string literal blanked, so that words
// inside quotes or after "//" are not taken for code.
std::wstring codeOf(const std::wstring& line) {
  std::wstring code;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const wchar_t c = line[i];
    if (c == L'/' && i + 1 < line.size() && line[i + 1] == L'/') break;
    if (c == L'\'' || c == L'"') {
      const std::size_t close = line.find(c, i + 1);
      const std::size_t end = close == std::wstring::npos ? line.size() : close + 1;
      code.append(end - i, L' ');
      i = end - 1;
      continue;
    }
    code.push_back(c);
  }
  return code;
}

// "t.NEWCOLUMN('a')" standing alone: a name, one or more ".member", then "(".
bool isMethodCallStatement(const std::wstring& code) {
  std::size_t i = code.find_first_not_of(L" \t");
  if (i == std::wstring::npos || !isNameChar(code[i]) || std::iswdigit(static_cast<wint_t>(code[i]))) return false;
  while (i < code.size() && isNameChar(code[i])) ++i;
  bool member = false;
  while (i < code.size() && code[i] == L'.') {
    const std::size_t start = ++i;
    while (i < code.size() && isNameChar(code[i])) ++i;
    if (i == start) return false;
    member = true;
  }
  while (i < code.size() && (code[i] == L' ' || code[i] == L'\t')) ++i;
  return member && i < code.size() && code[i] == L'(';
}

bool holdsWord(const std::wstring& code, const std::wstring& upperWord) {
  const std::wstring upper = localString::wstringToUpper(code);
  for (std::size_t at = upper.find(upperWord); at != std::wstring::npos; at = upper.find(upperWord, at + 1)) {
    const bool startsWord = at == 0 || !isNameChar(upper[at - 1]);
    const std::size_t end = at + upperWord.size();
    if (startsWord && (end >= upper.size() || !isNameChar(upper[end]))) return true;
  }
  return false;
}

// "run = 0": the first word is a console command, and "=" follows it.
std::wstring commandWordAssigned(const std::wstring& code) {
  std::size_t i = code.find_first_not_of(L" \t");
  if (i == std::wstring::npos) return std::wstring();
  const std::size_t start = i;
  while (i < code.size() && isNameChar(code[i])) ++i;
  const std::wstring word = code.substr(start, i - start);
  const std::size_t next = code.find_first_not_of(L" \t", i);
  if (word.empty() || next == std::wstring::npos || code[next] != L'=') return std::wstring();
  return localShellCommands::isCommandWord(localString::wstringToUpper(word)) ? word : std::wstring();
}

std::wstring trimmedStatement(const std::wstring& line) {
  const std::wstring code = codeOf(line);
  const std::size_t first = code.find_first_not_of(L" \t");
  std::size_t last = code.find_last_not_of(L" \t;\r");
  if (first == std::wstring::npos || last == std::wstring::npos) return std::wstring();
  return line.substr(first, last + 1 - first);
}

}  // namespace

std::string hintFor(localReturnStateType state, const std::wstring& sourceLine) {
  if (!isSyntaxState(state)) return std::string();
  const std::wstring code = codeOf(sourceLine);
  if (holdsWord(code, L"AND") || holdsWord(code, L"OR") || holdsWord(code, L"И") || holdsWord(code, L"ИЛИ"))
    return "hint: the language has no AND or OR; nest the conditions instead: "
           "IF a > 1 THEN IF b > 1 THEN ... ENDIF; ENDIF; (see \"AND and OR by nesting\" in the reference's recipes.md)";
  const std::wstring word = commandWordAssigned(code);
  if (!word.empty())
    return "hint: " + localString::wstringToStdStringMultibyte(word) +
           " is a console command word, which a program file runs as the command; give the variable another name";
  if (state == localErrorTypeSYNTAX && isMethodCallStatement(code))
    return "hint: a method call is not a statement in a program; assign its result: r = " +
           localString::wstringToStdStringMultibyte(trimmedStatement(sourceLine)) + ";";
  return std::string();
}

}  // namespace localFailureHints

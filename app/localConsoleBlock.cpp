#include "app/localConsoleBlock.h"

#include <array>
#include <string_view>

#include "interp/localInterpretatorUTF8.h"
#include "text/localString.h"

namespace localConsoleBlock {

namespace {

constexpr std::array<std::wstring_view, 10> openers = {L"IF",       L"ЕСЛИ",     L"WHILE",     L"ПОКА",
                                                       L"FOR",      L"ДЛЯ",      L"FUNCTION",  L"ФУНКЦИЯ",
                                                       L"PROCEDURE", L"ПРОЦЕДУРА"};
constexpr std::array<std::wstring_view, 8> closers = {L"ENDIF",        L"КОНЕЦЕСЛИ",      L"ENDDO",
                                                      L"КОНЕЦЦИКЛА",   L"ENDFUNCTION",    L"КОНЕЦФУНКЦИИ",
                                                      L"ENDPROCEDURE", L"КОНЕЦПРОЦЕДУРЫ"};
// Words after which a new statement starts on the same line.
constexpr std::array<std::wstring_view, 6> statementLeads = {L"THEN", L"ТОГДА", L"DO", L"ЦИКЛ", L"ELSE", L"ИНАЧЕ"};

template <std::size_t size>
bool among(const std::wstring& word, const std::array<std::wstring_view, size>& words) {
  for (const std::wstring_view candidate : words)
    if (word == candidate) return true;
  return false;
}

// The upper-cased word at position (empty when none), the position after it.
std::wstring upperWordAt(const std::wstring& text, unsigned& position) {
  return localString::wstringToUpper(std::wstring(localInterpretatorUTF8::scanStringGetWordView(text, position)));
}

bool assignmentFollows(const std::wstring& text, unsigned position) {
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  return localString::charAt(text, position) == L'=';
}

}  // namespace

bool opensBlock(const std::wstring& line) {
  unsigned position = 0;
  localInterpretatorUTF8::scanStringSkipVoidChars(line, position);
  return among(upperWordAt(line, position), openers) && !assignmentFollows(line, position);
}

int depthChange(const std::wstring& line) {
  int change = 0;
  bool statementStart = true;
  unsigned position = 0;
  for (;;) {
    localInterpretatorUTF8::scanStringSkipVoidChars(line, position);
    if (position >= line.size()) return change;
    const wchar_t c = line[position];
    if (c == L'\'' || c == L'"') {
      const std::size_t close = line.find(c, position + 1);
      position = close == std::wstring::npos ? static_cast<unsigned>(line.size()) : static_cast<unsigned>(close + 1);
      statementStart = false;
      continue;
    }
    const std::wstring word = upperWordAt(line, position);
    if (word.empty()) {
      statementStart = c == L';';
      ++position;
      continue;
    }
    if (statementStart && among(word, openers) && !assignmentFollows(line, position)) ++change;
    if (statementStart && among(word, closers)) --change;
    statementStart = among(word, statementLeads);
  }
}

std::wstring programText(const std::wstring& lines) {
  std::wstring text = lines;
  const std::size_t last = text.find_last_not_of(L" \t\n");
  if (last == std::wstring::npos || text[last] == L';') return text;
  // The ";" goes on a line of its own: the last line may end in a comment.
  unsigned position = 0;
  std::wstring lastWord;
  for (;;) {
    localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
    if (position >= text.size()) break;
    const std::wstring word = upperWordAt(text, position);
    if (word.empty()) {
      lastWord.clear();
      ++position;
    } else {
      lastWord = word;
    }
  }
  if (among(lastWord, closers)) text += L"\n;";
  return text;
}

}  // namespace localConsoleBlock

#include "check/localCheck.h"

#include <algorithm>
#include <iostream>
#include <memory>

#include "check/localCheckRules.h"
#include "check/localCheckTokens.h"
#include "check/localIgnoredText.h"
#include "context/localContextUTF8.h"
#include "core/localDiagnostics.h"
#include "core/localFailurePlace.h"
#include "core/localValueDescription.h"
#include "interp/localInterpretatorUTF8.h"
#include "program/localOperatorCompiled.h"
#include "shell/localShellCommands.h"
#include "text/localString.h"

namespace localCheck {

namespace {

// While the compiler runs in check-only mode it still writes trace lines and a few
// messages (LOAD CLASS announces itself): none of that may reach the caller's streams.
class quietScope {
 public:
  quietScope() : output_(std::cout.rdbuf(nullptr)), diagnostics_(localDiscardDiagnostics()) {}
  ~quietScope() {
    std::cout.clear();
    std::cout.rdbuf(output_);
    localSetDiagnostics(diagnostics_);
  }
  quietScope(const quietScope&) = delete;
  quietScope& operator=(const quietScope&) = delete;

 private:
  std::streambuf* output_;
  std::ostream* diagnostics_;
};

const std::vector<warningKind> kinds = {
    {"ignored-parameters", "a function or procedure declares parameters: calls pass them no values"},
    {"return-value", "RETURN with an expression: no value comes back, a call gives 0"},
    {"call-arguments", "arguments passed to a function of the file: they are evaluated, not passed"},
    {"operator-binding", "a - b + c or a / b * c without brackets: binds as a - (b + c), a / (b * c)"},
    {"sort-numbers", "SORT by a column that holds numbers: it orders by the printed text"},
    {"command-word", "a console command word assigned as a variable in a program file"},
    {"undeclared-call", "a call of a function or procedure declared nowhere in the file"},
    {"ignored-text", "text after a console line's statement, which the console ignores"},
};

// The names a comment on the line silences: "// nowarn: sort-numbers, return-value".
bool silenced(const tokenizedText& tokens, const diagnostic& d) {
  if (d.line >= tokens.comments.size()) return false;
  const std::wstring& comment = tokens.comments[d.line];
  const std::size_t marker = comment.find(L"nowarn:");
  if (marker == std::wstring::npos) return false;
  const std::wstring names = comment.substr(marker + 7);
  const std::wstring name(d.name.begin(), d.name.end());
  for (std::size_t at = names.find(name); at != std::wstring::npos; at = names.find(name, at + 1)) {
    const std::size_t end = at + name.size();
    const bool startsName = at == 0 || names[at - 1] == L' ' || names[at - 1] == L',' || names[at - 1] == L'\t';
    if (startsName && (end >= names.size() || !(isNameChar(names[end]) || names[end] == L'-'))) return true;
  }
  return false;
}

diagnostic errorAt(const std::wstring& text, unsigned position, localReturnStateType state) {
  diagnostic d;
  d.level = severity::error;
  d.name = "error";
  d.message = localString::returnStateAsString(state);
  localFailurePlace::lineAndColumn(text, position, d.line, d.column);
  // The error covers the word it stands on, or one character.
  std::size_t end = position;
  while (end < text.size() && isNameChar(text[end])) ++end;
  d.endColumn = d.column + static_cast<unsigned>(std::max<std::size_t>(end - position, 1));
  return d;
}

bool checkExpression(localReturnStateType& state, const std::wstring& line, unsigned& position,
                     localContextUTF8& context) {
  localValueDescription scratch;
  return localInterpretatorUTF8::scanStringGetExpressionAndEvaluete(state, line, position, scratch, &context, true);
}

// Reads a console line's statement without running it, as the compiler reads a
// statement: `position` is left where the statement ends.
bool checkConsoleLine(localReturnStateType& state, const std::wstring& line, unsigned& position,
                      localContextUTF8& context) {
  localInterpretatorUTF8::scanStringSkipVoidChars(line, position);
  const unsigned start = position;
  if (localString::charAt(line, position) == L'?') {
    ++position;
    return checkExpression(state, line, position, context);
  }
  const std::wstring_view word = localInterpretatorUTF8::scanStringGetWordView(line, position);
  const unsigned afterWord = position;
  position = start;
  if (!localInterpretatorUTF8::scanStringGetOperatorAndExec(state, line, position, &context, true)) return false;
  if (position != start && position != afterWord) return true;  // a console command and its rest
  position = afterWord;
  localInterpretatorUTF8::scanStringSkipVoidChars(line, position);
  if (word.empty()) return true;
  if (localString::charAt(line, position) == L'(' || localString::charAt(line, position) == L'.') {
    position = start;
    return checkExpression(state, line, position, context);
  }
  if (localString::charAt(line, position) != L'=') return true;
  ++position;
  return checkExpression(state, line, position, context);
}

// The lines of blocks (IF ... ENDIF and the like) are compiled as a whole when they run;
// the lines between them are read as statements all the same.
bool isBlockLine(const std::wstring& line) {
  static const wchar_t* const words[] = {
      L"IF", L"ЕСЛИ", L"FOR", L"ДЛЯ", L"WHILE", L"ПОКА", L"FUNCTION", L"ФУНКЦИЯ", L"PROCEDURE", L"ПРОЦЕДУРА",
      L"ELSE", L"ИНАЧЕ", L"ELSEIF", L"ИНАЧЕЕСЛИ", L"ENDIF", L"КОНЕЦЕСЛИ", L"ENDDO", L"КОНЕЦЦИКЛА", L"ENDFUNCTION",
      L"КОНЕЦФУНКЦИИ", L"ENDPROCEDURE", L"КОНЕЦПРОЦЕДУРЫ", L"RETURN", L"ВОЗВРАТ"};
  unsigned position = 0;
  localInterpretatorUTF8::scanStringSkipVoidChars(line, position);
  const std::wstring word =
      localString::wstringToUpper(std::wstring(localInterpretatorUTF8::scanStringGetWordView(line, position)));
  return std::any_of(std::begin(words), std::end(words), [&](const wchar_t* w) { return word == w; });
}

void sortAndFilter(const tokenizedText& tokens, std::vector<diagnostic>& found) {
  found.erase(std::remove_if(found.begin(), found.end(),
                             [&](const diagnostic& d) { return d.level == severity::warning && silenced(tokens, d); }),
              found.end());
  std::stable_sort(found.begin(), found.end(), [](const diagnostic& a, const diagnostic& b) {
    return a.line != b.line ? a.line < b.line : a.column < b.column;
  });
}

}  // namespace

const std::vector<warningKind>& warningKinds() { return kinds; }

std::vector<diagnostic> checkProgram(const std::wstring& source) {
  std::vector<diagnostic> found;
  std::wstring text = source;
  // A first "#!" line is no statement; blank it and keep the numbers of the other lines.
  if (text.compare(0, 2, L"#!") == 0) {
    const std::size_t end = std::min(text.find(L'\n'), text.size());
    std::fill(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end), L' ');
  }
  const quietScope quiet;
  // A context of its own: compiling registers the file's functions, and nothing of the
  // caller's may change.
  auto context = std::make_unique<localContextUTF8>();
  localReturnStateType state = localErrorTypeOK;
  unsigned position = 0;
  auto root = std::make_unique<localOperatorCompiled>(&localOperatorCompiled::execute);
  localOperatorCompiled* block = root.get();
  const bool compiled = localInterpretatorUTF8::textCompile(state, text, position, context.get(), block);
  if (!compiled || state != localErrorTypeOK) {
    // A closing keyword met at the top level leaves its signal, as when the program runs.
    if (state == localErrorTypeOK || state <= localErrorTypeQUIT) state = localErrorTypeSYNTAX;
    found.push_back(errorAt(text, localFailurePlace::compilePosition(text, position, state), state));
  }
  const tokenizedText tokens = tokenize(text);
  const programFacts facts = gatherFacts(tokens, *context);
  findIgnoredParameters(facts, found);
  findReturnValues(facts, found);
  findCallArguments(facts, found);
  findOperatorBinding(facts, found);
  findSortByNumbers(facts, found);
  findCommandWords(facts, found);
  findUndeclaredCalls(facts, found);
  sortAndFilter(tokens, found);
  return found;
}

std::vector<diagnostic> checkConsoleLines(const std::wstring& text) {
  std::vector<diagnostic> found;
  const quietScope quiet;
  auto context = std::make_unique<localContextUTF8>();
  const tokenizedText tokens = tokenize(text);
  unsigned lineNumber = 0;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    const std::wstring line = text.substr(start, end - start);
    ++lineNumber;
    start = end + 1;
    if (line.find_first_not_of(L" \t\r") == std::wstring::npos || isBlockLine(line)) continue;
    localReturnStateType state = localErrorTypeOK;
    unsigned position = 0;
    if (!checkConsoleLine(state, line, position, *context)) {
      if (state == localErrorTypeOK || state <= localErrorTypeQUIT) continue;  // block words and QUIT
      diagnostic d = errorAt(line, position, state);
      d.line = lineNumber;
      found.push_back(d);
      continue;
    }
    const std::wstring ignored = localIgnoredText(line, position);
    if (ignored.empty()) continue;
    diagnostic d;
    d.line = lineNumber;
    d.column = static_cast<unsigned>(line.size() - ignored.size() + 1);
    d.endColumn = static_cast<unsigned>(line.size() + 1);
    d.name = "ignored-text";
    d.message = L"ignored after the statement: " + ignored;
    found.push_back(d);
  }
  const programFacts facts = gatherFacts(tokens, *context);
  findOperatorBinding(facts, found);
  sortAndFilter(tokens, found);
  return found;
}

}  // namespace localCheck

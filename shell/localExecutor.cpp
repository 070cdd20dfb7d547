#include <iostream>
#include <memory>

#include "context/localContextUTF8.h"
#include "core/localTrace.h"
#include "interp/localInterpretatorUTF8.h"
#include "shell/localShellCommands.h"
#include "text/localString.h"

using localShellCommands::charAt;

namespace {

const char* const operationName = "scanStringGetOperatorAndExec";


// `? expression`: evaluate and print the text form of the value.
bool printExpression(localReturnStateType& state, const std::wstring& text, unsigned& position,
                     localContextUTF8* context) {
  ++position;
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  localValueDescription value;  // the number 0
  if (!localInterpretatorUTF8::scanStringGetExpressionAndEvaluete(state, text, position, value, context, false)) {
    localTrace(L"ERROR!!! func: ", operationName, 1855);
    return false;
  }
  value.COUT();
  return true;
}

// `name = expression`. The variable is created (holding 0) before the expression is
// evaluated, so `y = y + 1` works on a new name; it stays even when the expression fails.
bool assignExpression(localReturnStateType& state, const std::wstring& text, unsigned& position,
                      localContextUTF8* context, const std::wstring& name) {
  if (context == nullptr) {
    state = localErrorTypeCONTEXTmissing;
    return false;
  }
  if (context->varGetPointer(name) == nullptr) context->varSetValueNum(name, 0);
  ++position;
  if (!localInterpretatorUTF8::scanStringGetExpressionAndStore(state, text, position, context, name)) {
    localTrace(L"Syntax ERROR in line lineNumber!!! func: ", operationName, 1897);
    state = localErrorTypeSYNTAX;
    return false;
  }
  return true;
}

}  // namespace

bool localInterpretatorUTF8::wordCorrespondsTo(const std::wstring& word, const std::wstring& keyword) {
  return word.size() >= 4 && word.size() <= keyword.size() && keyword.compare(0, word.size(), word) == 0;
}

std::wstring localInterpretatorUTF8::scanStringGetFilenameToken(localReturnStateType& state,
                                                                const std::wstring& text,
                                                                unsigned& position) {
  state = localErrorTypeOK;
  scanStringSkipVoidChars(text, position);
  if (position >= text.size()) return {};
  if (text[position] == L'"') {
    localValueDescription literal;
    if (!scanStringGetStringTokenAndEvaluete(text, position, literal)) {
      state = localErrorTypeSYNTAX;
      return {};
    }
    return literal.getStr();
  }
  std::wstring name;
  while (position < text.size()) {
    const wchar_t c = text[position];
    if (c == L' ' || c == L'\t' || localString::isNewLineMarker(text, position)) {
      ++position;  // the separator belongs to the name token
      break;
    }
    name.push_back(c);
    ++position;
  }
  return name;
}

namespace {

// The commands, by their upper-cased first word with the abbreviations the executor
// accepts: the one list that both runs a line and tells the console what a command is.
enum class commandWord { none, doFile, help, clear, dir, display, load, modify, quit, run };

commandWord commandWordOf(const std::wstring& upper) {
  const auto wordCorrespondsTo = &localInterpretatorUTF8::wordCorrespondsTo;
  if (upper == L"DO") return commandWord::doFile;
  if (wordCorrespondsTo(upper, L"HELP")) return commandWord::help;
  if (wordCorrespondsTo(upper, L"CLEAR")) return commandWord::clear;
  if (upper == L"DIR" || wordCorrespondsTo(upper, L"DIRECTORY")) return commandWord::dir;
  if (wordCorrespondsTo(upper, L"DISPLAY")) return commandWord::display;
  if (wordCorrespondsTo(upper, L"LOAD")) return commandWord::load;
  if (wordCorrespondsTo(upper, L"MODIFY")) return commandWord::modify;
  if (wordCorrespondsTo(upper, L"QUIT")) return commandWord::quit;
  if (upper == L"RUN") return commandWord::run;
  return commandWord::none;
}

}  // namespace

bool localShellCommands::isCommandWord(const std::wstring& upper) { return commandWordOf(upper) != commandWord::none; }

bool localInterpretatorUTF8::scanStringGetOperatorAndExec(localReturnStateType& state,
                                                          const std::wstring& text, unsigned& position,
                                                          localContextUTF8* context, bool checkOnly) {
  using namespace localShellCommands;
  const unsigned start = position;
  scanStringSkipVoidChars(text, position);
  const unsigned firstNonBlank = position;

  if (!checkOnly && charAt(text, position) == L'?') return printExpression(state, text, position, context);

  const std::wstring word = scanStringGetWordToken(text, position);
  const std::wstring upper = localString::wstringToUpper(word);
  scanStringSkipVoidChars(text, position);

  if (!checkOnly && charAt(text, position) == L'=')
    return assignExpression(state, text, position, context, word);

  switch (commandWordOf(upper)) {
    case commandWord::doFile:
      return commandDo(state, text, position, context, checkOnly);
    case commandWord::help:
      if (!checkOnly) help();
      return true;
    case commandWord::clear:
      return commandClear(state, text, position, context, checkOnly);
    case commandWord::dir:
      return commandDir(checkOnly);
    case commandWord::display:
      return commandDisplay(state, text, position, context, checkOnly);
    case commandWord::load:
      return commandLoad(state, text, position, context, checkOnly);
    case commandWord::modify:
      // No blank skipping here: commandModify skips the blanks before the file name.
      if (!wordCorrespondsTo(readUpperWord(text, position), L"COMMAND")) {
        state = localErrorTypeSYNTAX;
        return false;
      }
      return commandModify(state, text, position, checkOnly);
    case commandWord::quit:
      if (!checkOnly) state = localErrorTypeQUIT;
      return true;
    case commandWord::run:
      return commandRun(state, text, position, context, checkOnly);
    case commandWord::none:
      break;
  }

  // Not a command: the compiler treats it as an ordinary statement, the console
  // evaluates it for its effects (a function or procedure call).
  if (checkOnly) {
    position = start;
    return true;
  }
  position = firstNonBlank;
  localValueDescription dropped;
  return scanStringGetExpressionAndEvaluete(state, text, position, dropped, context, false);
}

#include <iostream>
#include <memory>

#include "context/localContextUTF8.h"
#include "core/localInterrupt.h"
#include "interp/localInterpretatorUTF8.h"
#include "shell/localShellCommands.h"
#include "text/localString.h"

// Commands that clear, list and extend the context: CLEAR MEMORY, DISPLAY ..., LOAD ...

namespace localShellCommands {

namespace {

bool syntaxError(localReturnStateType& state) {
  state = localErrorTypeSYNTAX;
  return false;
}

bool contextMissing(localReturnStateType& state) {
  state = localErrorTypeCONTEXTmissing;
  return false;
}

// LOAD CLASS <template>: load the class through the context's CLASSLOAD function,
// then list the classes.
bool loadClass(localReturnStateType& state, const std::wstring& text, unsigned& position,
               localContextUTF8* context, bool checkOnly) {
  const std::wstring name = scanNameTemplate(text, position);
  std::cout << "Пытаемся загрузить класс  \n";
  if (checkOnly) return true;
  if (context == nullptr) return contextMissing(state);

  localOwnedValueList arguments;
  arguments.add(localValueDescription::New(name));
  localValueDescription result;
  const std::string nameBytes = localString::wstringToStdStringMultibyte(name);
  std::cout << "Пытаемся загрузить класс [" << nameBytes << "] \n";
  const bool loaded = context->funcExec(state, L"CLASSLOAD", arguments.get(), &result);
  if (!loaded) return false;
  std::cout << "Класс [" << nameBytes << "] загружен!\n";
  context->dispClas(name);
  return !localInterruptStopsHere(state, "scanStringGetOperatorAndExec", 1962);
}

// The shared course of a command that acts on the context: in check-only mode nothing
// happens, without a context the command fails, otherwise the action runs. A listing
// cut short by Ctrl-C makes the command fail.
template <class Action>
bool actOnContext(localReturnStateType& state, localContextUTF8* context, bool checkOnly, Action action) {
  if (checkOnly) return true;
  if (context == nullptr) return contextMissing(state);
  action(*context);
  return !localInterruptStopsHere(state, "scanStringGetOperatorAndExec", 1962);
}

// DISPLAY CONTEXT and LOAD CONTEXT: the summary of functions, variables and classes.
bool displayContext(localReturnStateType& state, localContextUTF8* context, bool checkOnly) {
  return actOnContext(state, context, checkOnly, [](localContextUTF8& target) { target.dispCont(); });
}

}  // namespace

std::wstring scanNameTemplate(const std::wstring& text, unsigned& position) {
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  std::wstring pattern;
  for (;;) {
    pattern += localInterpretatorUTF8::scanStringGetWordToken(text, position);
    const wchar_t c = charAt(text, position);
    if (c != L'*' && c != L'?') break;
    pattern.push_back(c);
    ++position;
  }
  return pattern;
}

bool commandClear(localReturnStateType& state, const std::wstring& text, unsigned& position,
                  localContextUTF8* context, bool checkOnly) {
  // Whatever follows MEMORY (a template in the help text) is ignored: all variables go.
  const std::wstring second = readUpperWord(text, position);
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  if (!localInterpretatorUTF8::wordCorrespondsTo(second, L"MEMORY")) return syntaxError(state);
  return actOnContext(state, context, checkOnly, [](localContextUTF8& target) { target.cleaMemo(); });
}

bool commandDisplay(localReturnStateType& state, const std::wstring& text, unsigned& position,
                    localContextUTF8* context, bool checkOnly) {
  const std::wstring second = readUpperWord(text, position);
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  if (localInterpretatorUTF8::wordCorrespondsTo(second, L"FUNCTION")) {
    // The rest of the line is the template; it is not consumed.
    return actOnContext(state, context, checkOnly, [&](localContextUTF8& target) {
      target.dispFunc(position < text.size() ? text.substr(position) : std::wstring());
    });
  }
  if (localInterpretatorUTF8::wordCorrespondsTo(second, L"MEMORY")) {
    const std::wstring pattern = scanNameTemplate(text, position);
    return actOnContext(state, context, checkOnly, [&](localContextUTF8& target) { target.dispMemo(pattern); });
  }
  if (localInterpretatorUTF8::wordCorrespondsTo(second, L"CLASS"))
    return actOnContext(state, context, checkOnly, [](localContextUTF8& target) { target.dispClas(L""); });
  if (localInterpretatorUTF8::wordCorrespondsTo(second, L"CONTEXT"))
    return displayContext(state, context, checkOnly);
  return syntaxError(state);
}

bool commandLoad(localReturnStateType& state, const std::wstring& text, unsigned& position,
                 localContextUTF8* context, bool checkOnly) {
  const std::wstring second = readUpperWord(text, position);
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  if (localInterpretatorUTF8::wordCorrespondsTo(second, L"CLASS"))
    return loadClass(state, text, position, context, checkOnly);
  if (localInterpretatorUTF8::wordCorrespondsTo(second, L"CONTEXT"))
    return displayContext(state, context, checkOnly);
  return syntaxError(state);
}

}  // namespace localShellCommands

#include <iostream>

#include "core/localDiagnostics.h"
#include "core/localFailurePlace.h"
#include "core/localFileReader.h"
#include "core/localTrace.h"
#include "interp/localInterpretatorUTF8.h"
#include "program/localDebugHook.h"
#include "shell/localShellCommands.h"
#include "text/localString.h"

namespace localShellCommands {

// DO <file>: read a program file and run it. The work is done on a local state; on
// failure its code is handed to the caller, so the console reports the real cause
// (a missing name, an unreadable file, or what failed in the program).
bool commandDo(localReturnStateType& state, const std::wstring& text, unsigned& position,
               localContextUTF8* context, bool checkOnly) {
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  localReturnStateType local = localErrorTypeOK;
  const std::wstring fileName = localInterpretatorUTF8::scanStringGetFilenameToken(local, text, position);
  if (fileName.empty()) {
    state = localErrorTypeSYNTAX;
    return false;
  }
  if (checkOnly) return true;
  return runProgramFile(state, fileName, context);
}

bool runProgramFile(localReturnStateType& state, const std::wstring& fileName, localContextUTF8* context,
                    programSource source) {
  if (context == nullptr) {
    state = localErrorTypeCONTEXTmissing;
    return false;
  }
  localReturnStateType local = localErrorTypeOK;
  std::wstring program;
  if (!localString::readFromFile(local, fileName, program)) {
    localFailurePlace::fileUnreadable(fileName);
    localDiagnostics() << "Error! \n";
    localTrace(localString::returnStateAsString(local) + L" func: ", "scanStringGetOperatorAndExec", 1914);
    state = local;
    return false;
  }
  if (source == programSource::commandLine) skipShebangLine(program);
  if (localDebugHook::attached()) localDebugHook::listener->programOpens(fileName, program);
  if (!localInterpretatorUTF8::textExec(local, program, context)) {
    localFailurePlace::settle(fileName);
    localTrace(localString::returnStateAsString(local) + L" func: ", "scanStringGetOperatorAndExec", 1922);
    state = local;
    return false;
  }
  return true;
}

void skipShebangLine(std::wstring& program) {
  if (program.compare(0, 2, L"#!") != 0) return;
  const std::size_t end = program.find(L'\n');
  program.erase(0, end == std::wstring::npos ? program.size() : end);
}

}  // namespace localShellCommands

#include <fstream>
#include <iostream>

#include "interp/localInterpretatorUTF8.h"
#include "platform/localSystem.h"
#include "shell/localShellCommands.h"
#include "text/localString.h"

// Commands handed to the operating system: DIR, MODIFY COMMAND and RUN. The command
// lines are those of the command processor's `start`, with an empty window title.

namespace localShellCommands {

namespace {
const std::string startPrefix = "start \"\" ";
}  // namespace

bool commandDir(bool checkOnly) {
  if (!checkOnly) localSystem(startPrefix + "dir /OG");
  return true;
}

// MODIFY COMMAND <file>: the rest of the line is the file name (blanks allowed); a file
// that does not exist is created holding one line end before the editor starts.
bool commandModify(localReturnStateType& state, const std::wstring& text, unsigned& position,
                   bool checkOnly) {
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  const std::wstring name = localString::trimR(position < text.size() ? text.substr(position) : std::wstring());
  if (name.empty()) {
    state = localErrorTypeSYNTAX;
    return false;
  }
  if (checkOnly) return true;

  const std::string fileName = localString::wstringToStdStringMultibyte(name);
  std::cout << "filename = [" << fileName << "] i = " << position << "\n";
  std::ifstream existing(fileName);
  if (existing.is_open()) {
    existing.close();
  } else {
    std::ofstream created(fileName, std::ios::app);
    created << "\n";
  }
  localSystem(startPrefix + "wordpad.exe " + fileName);
  return true;
}

// RUN [word | "string expression"]: run an external command line.
bool commandRun(localReturnStateType& state, const std::wstring& text, unsigned& position,
                localContextUTF8* context, bool checkOnly) {
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  std::wstring argument;
  if (charAt(text, position) == L'"') {
    localValueDescription value;
    if (!localInterpretatorUTF8::scanStringGetExpressionAndEvaluete(state, text, position, value, context,
                                                                    checkOnly))
      return false;
    argument = localString::trimR(value.getStrRef());
  } else {
    argument = localInterpretatorUTF8::scanStringGetWordToken(text, position);
  }
  if (checkOnly) return true;
  localInterpretatorUTF8::scanStringSkipVoidChars(text, position);
  localSystem(startPrefix + localString::wstringToStdStringMultibyte(argument));
  return true;
}

}  // namespace localShellCommands

#pragma once
// The console's debugger: `DEBUG <file>` at the prompt and `localinterp --debug FILE`. It
// runs the program under the debugger core, stops before the first statement, and reads
// the debugger's commands at a prompt of its own from the console's input.
#include <string>

#include "app/localConsole.h"
#include "app/localConsoleEncoding.h"
#include "core/localReturnStateType.h"

class localContextUTF8;

namespace localDebugConsole {

extern const char* const prompt;

// Whether a console line is the DEBUG command (not an assignment to, or a call of,
// something named DEBUG).
bool isDebugLine(const std::wstring& line);

// Runs a DEBUG line as a console line: a missing file name is a syntax error, a program
// that fails fails the line as DO's does.
localLineOutcome runLine(localContextUTF8& context, localConsoleInput& input, localConsoleEncoding encoding,
                         const std::wstring& line);

// Debugs the program file (commandLine: a first "#!" line is skipped).
bool debugProgram(localReturnStateType& state, localContextUTF8& context, localConsoleInput& input,
                  localConsoleEncoding encoding, const std::wstring& file, bool commandLine);

}  // namespace localDebugConsole

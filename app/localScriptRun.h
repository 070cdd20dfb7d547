#pragma once
#include <functional>
#include <string>

#include "app/localConsoleEncoding.h"
#include "core/localReturnStateType.h"

class localContextUTF8;

// FILE, -c TEXT and --check FILE: runs that a script or an editor starts. What the program
// prints goes to standard output; trace lines and failures go to standard error, and a
// failure ends with one line in the form compilers use: "prog.prg:12:5: message".
namespace localScriptRun {

// Runs FILE as DO would (a first "#!" line skipped). Returns the exit status.
int runFile(localContextUTF8& context, localConsoleEncoding encoding, const std::string& file);
// The same with another way of running the program file of that name (the debugger).
int runFile(localConsoleEncoding encoding, const std::string& file,
            const std::function<bool(localReturnStateType&, const std::wstring&)>& run);

// Runs TEXT as console lines, one per line; `quit` is set after QUIT. Returns the exit status.
int runCommands(localContextUTF8& context, localConsoleEncoding encoding, const std::string& text, bool& quit);

// Compiles FILE without running it; prints nothing but a failure. Returns the exit status.
// --check FILE (listCode false) and --dump-code FILE (listCode true: the compiled code of
// the program and of its functions goes to standard output).
int checkFile(localContextUTF8& context, localConsoleEncoding encoding, const std::string& file, bool listCode);

// The text of command-line bytes: UTF-8 when they are, else in the console's encoding.
bool argumentText(localConsoleEncoding encoding, const std::string& bytes, std::wstring& text);

}  // namespace localScriptRun

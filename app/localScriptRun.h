#pragma once
#include <functional>
#include <string>

#include "app/localConsoleEncoding.h"
#include "core/localReturnStateType.h"

class localContextUTF8;

// FILE, -c TEXT and --check FILE: runs that a script or an editor starts. What the program
// prints goes to standard output; standard error gets only a failure, in the form compilers
// use ("prog.prg:12:5: message", the source line, a caret, a hint), and with --trace the
// trace lines before it.
namespace localScriptRun {

// Runs FILE as DO would (a first "#!" line skipped). Returns the exit status.
int runFile(localContextUTF8& context, localConsoleEncoding encoding, const std::string& file);
// The same with another way of running the program file of that name (the debugger).
int runFile(localConsoleEncoding encoding, const std::string& file,
            const std::function<bool(localReturnStateType&, const std::wstring&)>& run);

// Runs TEXT as console lines, one per line; `quit` is set after QUIT. Returns the exit status.
int runCommands(localContextUTF8& context, localConsoleEncoding encoding, const std::string& text, bool& quit);

// --check FILE: compiles FILE without running it and prints its failure and warnings on
// standard error, one line each. Returns the exit status: 1 on a failure, and with
// `strict` on a warning too.
int checkFile(localConsoleEncoding encoding, const std::string& file, bool strict);

// --check -c TEXT: the same for console lines.
int checkCommands(localConsoleEncoding encoding, const std::string& text, bool strict);

// --dump-code FILE: compiles FILE and lists the compiled code of the program and of its
// functions on standard output; a failure is reported as --check reports it.
int dumpCode(localContextUTF8& context, localConsoleEncoding encoding, const std::string& file);

// The text of command-line bytes: UTF-8 when they are, else in the console's encoding.
bool argumentText(localConsoleEncoding encoding, const std::string& bytes, std::wstring& text);

}  // namespace localScriptRun

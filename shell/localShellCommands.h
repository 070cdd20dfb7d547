#pragma once
#include <string>

#include "core/localReturnStateType.h"
#include "interp/localWordReader.h"
#include "text/localString.h"

class localContextUTF8;

// The console commands behind localInterpretatorUTF8::scanStringGetOperatorAndExec.
// Each is called with the position right after its first word (and the blanks that
// follow it) and leaves the position where the command ends. In check-only mode a
// command only scans its operands: it prints, creates and starts nothing (LOAD CLASS
// still prints its first line) and leaves the state untouched unless the scan fails.
namespace localShellCommands {

using localString::charAt;

// Word characters and the wildcards * and ?, after leading void characters (NU*, *).
std::wstring scanNameTemplate(const std::wstring& text, unsigned& position);

// Whether an upper-cased first word makes a console line a command (DO, HELP, CLEAR,
// DIR, DISPLAY, LOAD, MODIFY, QUIT, RUN, with the abbreviations the executor accepts),
// unless "=" follows it.
bool isCommandWord(const std::wstring& upperWord);

bool commandDo(localReturnStateType& state, const std::wstring& text, unsigned& position,
               localContextUTF8* context, bool checkOnly);
// Who names a program file: DO, or the command line, whose FILE may begin with a "#!"
// line for the system that starts it.
enum class programSource { doCommand, commandLine };
// The work of DO once the file name is known; also what `localinterp FILE` runs.
bool runProgramFile(localReturnStateType& state, const std::wstring& fileName, localContextUTF8* context,
                    programSource source = programSource::doCommand);
// Empties a first line that begins with "#!", keeping its line end, so that the other
// lines keep their numbers.
void skipShebangLine(std::wstring& program);
bool commandClear(localReturnStateType& state, const std::wstring& text, unsigned& position,
                  localContextUTF8* context, bool checkOnly);
bool commandDisplay(localReturnStateType& state, const std::wstring& text, unsigned& position,
                    localContextUTF8* context, bool checkOnly);
bool commandLoad(localReturnStateType& state, const std::wstring& text, unsigned& position,
                 localContextUTF8* context, bool checkOnly);
bool commandDir(bool checkOnly);
bool commandModify(localReturnStateType& state, const std::wstring& text, unsigned& position,
                   bool checkOnly);
bool commandRun(localReturnStateType& state, const std::wstring& text, unsigned& position,
                localContextUTF8* context, bool checkOnly);

}  // namespace localShellCommands

#pragma once
#include <functional>
#include <string>

// Stand-in for the Windows command processor behind the runtime's `system` call.
// The interpreter hands it exactly these command lines:
//   start "" dir /OG              directory listing, folders first
//   start "" wordpad.exe NAME     open NAME in the user's editor
//   start "" COMMAND              run COMMAND (an empty COMMAND opens a shell)
// Its result is not looked at by the interpreter.
int localSystem(const std::string& commandLine);

// Tests replace the stand-in with a recorder; an empty function restores it.
void localSetSystemHook(std::function<int(const std::string&)> hook);

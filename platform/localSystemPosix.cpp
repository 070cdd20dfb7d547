#include <unistd.h>

#include <cstdlib>
#include <iostream>

#include "platform/localSystemParts.h"

// The editor and external commands on this machine: both go through /bin/sh.

namespace localPlatform {

namespace {

std::string environmentOr(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::string(value) : std::string(fallback);
}

}  // namespace

int openEditor(const std::string& fileName) {
  if (!isatty(STDIN_FILENO)) {
    std::cerr << "localinterp: no terminal, the editor is not started for " << fileName << "\n";
    return 0;
  }
  const std::string editor = environmentOr("VISUAL", environmentOr("EDITOR", "vi").c_str());
  // The editor may carry its own options ("code -w"); the file name travels as $1.
  return runShellCommand(editor + " \"$1\"", {fileName}, true);
}

int runCommand(const std::string& command) {
  const bool terminal = isatty(STDIN_FILENO) != 0;
  if (command.find_first_not_of(" \t") == std::string::npos) {
    // An empty command opens an interactive shell, which needs a terminal.
    if (!terminal) return 0;
    return runShellCommand("exec \"$1\"", {environmentOr("SHELL", "/bin/sh")}, true);
  }
  return runShellCommand(command, {}, terminal);
}

}  // namespace localPlatform

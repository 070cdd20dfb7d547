#include "platform/localSystem.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <utility>

#include "platform/localSystemParts.h"

// Stand-in for the command processor: it understands the `start "" ...` lines the
// interpreter produces and does what a user of this machine expects from them.

namespace {

std::function<int(const std::string&)>& systemHook() {
  static std::function<int(const std::string&)> hook;
  return hook;
}

std::string environmentOr(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::string(value) : std::string(fallback);
}

int openEditor(const std::string& fileName) {
  if (!isatty(STDIN_FILENO)) {
    std::cerr << "localinterp: no terminal, the editor is not started for " << fileName << "\n";
    return 0;
  }
  const std::string editor = environmentOr("VISUAL", environmentOr("EDITOR", "vi").c_str());
  // The editor may carry its own options ("code -w"); the file name travels as $1.
  return localPlatform::runShellCommand(editor + " \"$1\"", {fileName}, true);
}

}  // namespace

int localSystem(const std::string& commandLine) {
  if (systemHook()) return systemHook()(commandLine);

  static const std::string start = "start \"\" ";
  std::string command = commandLine;
  if (command.compare(0, start.size(), start) == 0) command.erase(0, start.size());

  if (command == "dir /OG") {
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    if (error) {
      std::cout << "dir: " << error.message() << "\n";
      return 1;
    }
    return localPlatform::listDirectory(std::cout, here);
  }
  static const std::string editor = "wordpad.exe ";
  if (command.compare(0, editor.size(), editor) == 0) return openEditor(command.substr(editor.size()));

  const bool terminal = isatty(STDIN_FILENO) != 0;
  if (command.find_first_not_of(" \t") == std::string::npos) {
    // An empty command opens an interactive shell, which needs a terminal.
    if (!terminal) return 0;
    return localPlatform::runShellCommand("exec \"$1\"", {environmentOr("SHELL", "/bin/sh")}, true);
  }
  return localPlatform::runShellCommand(command, {}, terminal);
}

void localSetSystemHook(std::function<int(const std::string&)> hook) { systemHook() = std::move(hook); }

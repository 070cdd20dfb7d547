#include "platform/localSystem.h"

#include <filesystem>
#include <iostream>
#include <utility>

#include "platform/localSystemParts.h"

// Stand-in for the command processor: it understands the `start "" ...` lines the
// interpreter produces and hands each to the part of this platform that does it.

namespace {

std::function<int(const std::string&)>& systemHook() {
  static std::function<int(const std::string&)> hook;
  return hook;
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
  if (command.compare(0, editor.size(), editor) == 0) return localPlatform::openEditor(command.substr(editor.size()));
  return localPlatform::runCommand(command);
}

void localSetSystemHook(std::function<int(const std::string&)> hook) { systemHook() = std::move(hook); }

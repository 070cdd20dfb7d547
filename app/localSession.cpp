#include "app/localSession.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>

#include "app/localConsole.h"
#include "app/localLineEditor.h"
#include "context/localContextUTF8.h"
#include "core/localInterrupt.h"
#include "core/localKeepAlive.h"
#include "shell/localShellCommands.h"
#include "text/localString.h"
#include "text/localUtf8.h"

namespace {

using namespace localCommandLine;

// A file the user named that cannot be read is a usage error, reported the way
// command-line tools report it, before anything runs.
bool readable(const std::string& file) {
  std::error_code error;
  if (std::filesystem::is_directory(file, error)) {
    std::cerr << "localinterp: " << file << ": Is a directory\n";
    return false;
  }
  std::ifstream probe(file, std::ios::binary);
  if (!probe.is_open()) {
    std::cerr << "localinterp: cannot open " << file << ": " << std::strerror(errno) << "\n";
    return false;
  }
  return true;
}

// Text from the command line is in the locale's encoding, which on this system is
// UTF-8, whatever the console speaks; CP866 bytes are taken as such in CP866 mode.
bool argumentText(localConsoleEncoding encoding, const std::string& bytes, std::wstring& text) {
  std::size_t badOffset = 0;
  if (localString::utf8ToWstring(bytes, text, badOffset)) return true;
  return localConsoleDecodeLine(encoding, bytes, text);
}

int runFile(localContextUTF8& context, localConsoleEncoding encoding, const std::string& file) {
  std::wstring name;
  if (!readable(file) || !argumentText(encoding, file, name)) return exitUsage;
  const localLineOutcome outcome = localConsoleRunGuarded(
      [&](localReturnStateType& state) { return localShellCommands::runProgramFile(state, name, &context); });
  return outcome.succeeded ? exitSuccess : exitFailure;
}

// Runs TEXT line by line as the console would; stops after QUIT.
int runCommands(localContextUTF8& context, localConsoleEncoding encoding, const std::string& text,
                bool& quit) {
  int status = exitSuccess;
  std::size_t start = 0;
  // A line end at the very end of TEXT closes its last line; it opens no empty one.
  const std::size_t size = !text.empty() && text.back() == '\n' ? text.size() - 1 : text.size();
  while (start <= size && !quit) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos || end > size) end = size;
    std::string bytes = text.substr(start, end - start);
    start = end + 1;
    const std::size_t last = bytes.find_last_not_of(' ');
    bytes.erase(last == std::string::npos ? 0 : last + 1);
    std::wstring line;
    if (!argumentText(encoding, bytes, line)) {
      status = exitFailure;
      continue;
    }
    const localLineOutcome outcome = localConsoleRunLine(context, line);
    if (!outcome.succeeded) status = exitFailure;
    quit = outcome.quit;
  }
  return status;
}

}  // namespace

int localSessionRun(const options& options, localConsoleEncoding encoding, bool lineEditing) {
  // The run's one context lasts as long as the process: destroying it at the end would
  // only free memory, which the system takes back at exit anyway.
  localContextUTF8& context = *localKeepAlive(std::make_unique<localContextUTF8>());
  localInterruptInstall();
  int status = exitSuccess;
  bool quit = false;
  if (options.hasFile) {
    status = runFile(context, encoding, options.file);
    if (status == exitUsage) return status;
  }
  for (const std::string& text : options.commands) {
    if (quit) break;
    if (runCommands(context, encoding, text, quit) != exitSuccess) status = exitFailure;
  }
  const bool console = (!options.hasFile && options.commands.empty()) || options.interactive;
  if (!console || quit) {
    std::cout.flush();
    return status;
  }
  std::unique_ptr<localConsoleInput> input;
  if (lineEditing) input = localMakeLineEditor(context);
  if (!input)
    input = std::make_unique<localStreamInput>(std::cin, isatty(STDIN_FILENO) && isatty(STDOUT_FILENO));
  localConsoleLoop(context, *input, encoding);
  return exitSuccess;
}

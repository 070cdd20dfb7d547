#include "app/localSession.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>

#include "app/localConsole.h"
#include "app/localDebugConsole.h"
#include "app/localLineEditor.h"
#include "app/localScriptRun.h"
#include "context/localContextUTF8.h"
#include "core/localDiagnostics.h"
#include "core/localInterrupt.h"
#include "core/localKeepAlive.h"

namespace {

using namespace localCommandLine;

// While FILE, -c or --check run, trace lines are dropped, or with --trace written to
// standard error; the console keeps everything on standard output, as it always did.
class scriptDiagnostics {
 public:
  explicit scriptDiagnostics(bool trace) {
    if (trace) {
      localSetDiagnostics(&std::cerr);
    } else {
      localDiscardDiagnostics();
    }
  }
  ~scriptDiagnostics() { localSetDiagnostics(nullptr); }
  scriptDiagnostics(const scriptDiagnostics&) = delete;
  scriptDiagnostics& operator=(const scriptDiagnostics&) = delete;
};

// The console's input: a line editor on a terminal when it edits lines, else the stream.
std::unique_ptr<localConsoleInput> consoleInput(localContextUTF8& context, bool lineEditing) {
  std::unique_ptr<localConsoleInput> input;
  if (lineEditing) input = localMakeLineEditor(context);
  if (!input) input = std::make_unique<localStreamInput>(std::cin, isatty(STDIN_FILENO) && isatty(STDOUT_FILENO));
  return input;
}

// FILE and -c, in that order; stops after QUIT.
int runScripts(const options& options, localContextUTF8& context, localConsoleEncoding encoding, bool lineEditing,
               bool& quit) {
  scriptDiagnostics diagnostics(options.trace);
  if (options.dumpCode) return localScriptRun::dumpCode(context, encoding, options.file);
  if (options.check && options.hasFile) return localScriptRun::checkFile(encoding, options.file, options.strict);
  if (options.check) {
    int status = exitSuccess;
    for (const std::string& text : options.commands)
      status = std::max(status, localScriptRun::checkCommands(encoding, text, options.strict));
    return status;
  }
  int status = exitSuccess;
  if (options.debug) {
    const std::unique_ptr<localConsoleInput> input = consoleInput(context, lineEditing);
    status = localScriptRun::runFile(encoding, options.file,
                                     [&](localReturnStateType& state, const std::wstring& name) {
                                       return localDebugConsole::debugProgram(state, context, *input, encoding,
                                                                              name, true);
                                     });
  } else if (options.hasFile) {
    status = localScriptRun::runFile(context, encoding, options.file);
    if (status == exitUsage || status == exitInterrupted) return status;
  }
  for (const std::string& text : options.commands) {
    if (quit) break;
    const int commandStatus = localScriptRun::runCommands(context, encoding, text, quit);
    if (commandStatus == exitInterrupted) return commandStatus;
    if (commandStatus != exitSuccess) status = exitFailure;
  }
  return status;
}

}  // namespace

int localSessionRun(const options& options, localConsoleEncoding encoding, bool lineEditing) {
  // The run's one context lasts as long as the process: destroying it at the end would
  // only free memory, which the system takes back at exit anyway.
  localContextUTF8& context = *localKeepAlive(std::make_unique<localContextUTF8>());
  localInterruptInstall();
  bool quit = false;
  const bool scripts = options.hasFile || !options.commands.empty();
  int status = scripts ? runScripts(options, context, encoding, lineEditing, quit) : exitSuccess;
  if (status == exitUsage || status == exitInterrupted || options.check || options.dumpCode) return status;
  const bool console = !scripts || options.interactive;
  if (!console || quit) {
    std::cout.flush();
    return status;
  }
  const std::unique_ptr<localConsoleInput> input = consoleInput(context, lineEditing);
  const bool failed = localConsoleLoop(context, *input, encoding);
  // Fed by a pipe, the console is a script: a failed line makes the run fail.
  if (failed && !isatty(STDIN_FILENO)) status = exitFailure;
  return status;
}

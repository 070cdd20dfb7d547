#include <malloc.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <cstddef>
#include <iostream>
#include <ostream>
#include <string>
#include <vector>

#include "app/coutMainBufferClass.h"
#include "app/localCommandLine.h"
#include "app/localConsoleEncoding.h"
#include "app/localDebugAdapter.h"
#include "app/localSession.h"
#include "core/localTrace.h"
#include "lsp/localLspServer.h"
#include "protocol/localDescriptorOutput.h"

#ifndef LOCALINTERP_VERSION
#define LOCALINTERP_VERSION "unknown"
#endif

namespace {

struct sessionRun {
  const localCommandLine::options* options;
  localConsoleEncoding encoding;
  bool lineEditing;
  int status;
};

// --lsp: the protocol has standard output to itself; whatever else would print there
// (a trace line) goes to /dev/null instead of into the stream of messages.
int runLanguageServer() {
  const int protocol = localDescriptorOutput::takeStandardOutput();
  if (protocol < 0) {
    std::cerr << "localinterp: cannot set up standard output for --lsp\n";
    return localCommandLine::exitFailure;
  }
  std::signal(SIGPIPE, SIG_IGN);  // an editor that has gone ends the server at the end of input
  localDescriptorOutput buffer(protocol);
  std::ostream output(&buffer);
  return localLspServer::serve(std::cin, output);
}

void* runSession(void* argument) {
  auto* run = static_cast<sessionRun*>(argument);
  // Ctrl-C is for the thread that reads the console and runs its lines (the language
  // server installs no handler: Ctrl-C ends it; the debug adapter's pauses the program).
  sigset_t interrupt;
  sigemptyset(&interrupt);
  sigaddset(&interrupt, SIGINT);
  pthread_sigmask(SIG_UNBLOCK, &interrupt, nullptr);
  if (run->options->lsp) {
    run->status = runLanguageServer();
    return nullptr;
  }
  if (run->options->dap) {
    run->status = localDebugAdapterRun();
    return nullptr;
  }
  run->status = localSessionRun(*run->options, run->encoding, run->lineEditing);
  return nullptr;
}

// User functions may recurse deeply and every level of the interpreter is several
// frames deep, so the session runs on one worker thread with a large stack. When the
// system refuses such a stack, a smaller one is tried, and at last the main thread.
// The main thread keeps Ctrl-C blocked while it waits, so that the signal reaches the
// worker and interrupts what it is doing there.
void runOnBigStack(sessionRun& run) {
  sigset_t interrupt;
  sigemptyset(&interrupt);
  sigaddset(&interrupt, SIGINT);
  sigset_t previous;
  pthread_sigmask(SIG_BLOCK, &interrupt, &previous);
  constexpr std::size_t stackSizes[] = {std::size_t{1} << 30, std::size_t{256} << 20, std::size_t{64} << 20};
  for (const std::size_t size : stackSizes) {
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0) break;
    pthread_t worker;
    const bool started = pthread_attr_setstacksize(&attributes, size) == 0 &&
                         pthread_create(&worker, &attributes, runSession, &run) == 0;
    pthread_attr_destroy(&attributes);
    if (started) {
      pthread_join(worker, nullptr);
      pthread_sigmask(SIG_SETMASK, &previous, nullptr);
      return;
    }
  }
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  runSession(&run);
}

// The console's worker thread allocates from its own malloc arena, which glibc shrinks
// (one madvise system call) whenever a freed block leaves more than the trim threshold
// free at its top, and large blocks are mapped and unmapped one by one. A loop that
// copies a long text would pay a system call per pass: keep freed memory for reuse.
void keepFreedMemory() {
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
}

}  // namespace

int main(int argc, char** argv) {
  keepFreedMemory();
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
  const localCommandLine::options options = localCommandLine::parse(arguments);
  if (!options.error.empty()) {
    std::cerr << "localinterp: " << options.error << "\n\n" << localCommandLine::usage(LOCALINTERP_VERSION);
    return localCommandLine::exitUsage;
  }
  if (options.help) {
    std::cout << localCommandLine::usage(LOCALINTERP_VERSION);
    return localCommandLine::exitSuccess;
  }
  if (options.version) {
    std::cout << "localinterp " << LOCALINTERP_VERSION << "\n";
    return localCommandLine::exitSuccess;
  }

  if (options.lsp || options.dap) {
    // Deep programs compile deeply nested: the servers run on the large stack too.
    sessionRun run{&options, localConsoleEncoding::utf8, false, 0};
    runOnBigStack(run);
    return run.status;
  }

  const bool inputTerminal = isatty(STDIN_FILENO) != 0;
  const bool outputTerminal = isatty(STDOUT_FILENO) != 0;
  const bool terminal = inputTerminal && outputTerminal;
  // FILE and -c follow the locale wherever their output goes, as script interpreters do.
  // The console alone asks the locale only on a terminal: loading it costs time that
  // piped sessions, which stay CP866, need not spend.
  const bool script = options.hasFile || !options.commands.empty();
  const bool askLocale = options.encoding == localCommandLine::encodingChoice::automatic && (terminal || script);
  const localConsoleEncoding encoding = localChooseEncoding(options.encoding, inputTerminal, outputTerminal,
                                                            askLocale ? localLocaleCharset() : "", script);
  const bool utf8Locale = localApplyEncoding(encoding);
  // Line editing reads characters in the locale's encoding, so it serves a UTF-8 console.
  sessionRun run{&options, encoding, terminal && encoding == localConsoleEncoding::utf8 && utf8Locale, 0};

  // The start-up line belongs to the console; running FILE or -c prints only their output.
  // Written before the console buffer is installed, so it reaches the console unchanged.
  if (!script) localTrace(L"func: ", "main", 603, "main");
  if (encoding == localConsoleEncoding::utf8) {
    // Everything printed is already UTF-8: standard output takes it as it is.
    runOnBigStack(run);
  } else {
    // Both streams speak CP866: diagnostics of FILE and -c go to standard error.
    coutMainBufferClass buffer;
    coutMainBufferClass errorBuffer(std::cerr.rdbuf());
    std::streambuf* previous = std::cout.rdbuf(&buffer);
    std::streambuf* previousError = std::cerr.rdbuf(&errorBuffer);
    runOnBigStack(run);
    std::cout.flush();
    std::cerr.flush();
    std::cout.rdbuf(previous);
    std::cerr.rdbuf(previousError);
  }
  std::cout.flush();
  return run.status;
}

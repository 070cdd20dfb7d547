// The interpreter's entry points in the browser build. The page's worker calls them:
// webStart once, then webRunLine for every console line (the Run button sends `DO FILE`).
// Output goes to the page in batches; the page's Stop button stores into a word of the
// shared memory that a watcher thread waits on, and the watcher asks the running line
// to stop exactly as Ctrl-C does in a terminal.
#include <emscripten/emscripten.h>
#include <emscripten/threading.h>
#include <pthread.h>

#include <cmath>
#include <cstdint>
#include <iostream>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "app/localConsole.h"
#include "app/localConsoleBlock.h"
#include "app/localConsoleEncoding.h"
#include "app/localScriptRun.h"
#include "context/localContextUTF8.h"
#include "core/localDiagnostics.h"
#include "core/localInterrupt.h"
#include "core/localTrace.h"
#include "text/localString.h"

namespace {

// Posts bytes to the page with the places where the channel changes: pairs of offset
// and channel (0 what programs print, 1 the system's diagnostics).
EM_JS(void, localWebPostOutput, (const char* bytes, int size, const std::int32_t* marks, int markCount), {
  const chunk = HEAPU8.slice(bytes, bytes + size);
  const places = Array.from(HEAP32.subarray(marks >> 2, (marks >> 2) + 2 * markCount));
  postMessage({type: 'out', bytes: chunk, marks: places}, [chunk.buffer]);
});

// Collects what the interpreter prints and posts it to the page: at once after a quiet
// spell, otherwise in batches, so that a loop printing many lines does not send a message
// per line. The console pane shows diagnostics (trace lines, failures) apart from what
// programs print, in the order they came.
class pageOutput {
 public:
  void put(std::int32_t channel, const char* text, std::size_t count) {
    if (count == 0) return;
    if (marks_.empty() || marks_.back() != channel) {
      marks_.push_back(static_cast<std::int32_t>(pending_.size()));
      marks_.push_back(channel);
    }
    pending_.insert(pending_.end(), text, text + count);
    if (text[count - 1] == '\n' &&
        (pending_.size() >= batchBytes || emscripten_get_now() - lastPost_ >= batchMilliseconds))
      post();
  }
  void post() {
    if (pending_.empty()) return;
    localWebPostOutput(pending_.data(), static_cast<int>(pending_.size()), marks_.data(),
                       static_cast<int>(marks_.size() / 2));
    pending_.clear();
    marks_.clear();
    lastPost_ = emscripten_get_now();
  }

 private:
  static constexpr std::size_t batchBytes = 64 * 1024;
  static constexpr double batchMilliseconds = 30;

  std::vector<char> pending_;
  std::vector<std::int32_t> marks_;
  double lastPost_ = 0;
};

// One channel of the page's output as a stream buffer, unbuffered: every character goes
// to pageOutput at once, so the two channels keep their order.
class pageChannel : public std::streambuf {
 public:
  pageChannel(pageOutput& output, std::int32_t channel) : output_(output), channel_(channel) {}

 protected:
  int overflow(int c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char byte = static_cast<char>(c);
    output_.put(channel_, &byte, 1);
    return c;
  }
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    output_.put(channel_, text, static_cast<std::size_t>(count));
    return count;
  }
  int sync() override {
    output_.post();
    return 0;
  }

 private:
  pageOutput& output_;
  std::int32_t channel_;
};

// The page stores a nonzero value here and wakes the watcher (Atomics.notify).
alignas(4) std::int32_t stopWord = 0;

void* watchStops(void*) {
  for (;;) {
    emscripten_futex_wait(&stopWord, 0, INFINITY);
    if (__atomic_exchange_n(&stopWord, 0, __ATOMIC_SEQ_CST) != 0) localInterruptRequest();
  }
  return nullptr;
}

struct session {
  pageOutput output;
  pageChannel printed{output, 0};
  pageChannel diagnostics{output, 1};
  std::ostream diagnosticStream{&diagnostics};
  std::unique_ptr<localContextUTF8> context;
  // A block typed at the prompt (IF ... ENDIF and the like) while its lines are collected.
  std::wstring block;
  int blockDepth = 0;
};

enum lineResult { lineDone = 0, lineQuit = 1, lineContinues = 2 };

// One decoded console line: run it, or collect it into the block it opens or continues,
// which runs as DO runs a program text once it closes (as the terminal console does).
lineResult runOrCollect(session& current, const std::wstring& line) {
  if (current.block.empty() && !localConsoleBlock::opensBlock(line))
    return localConsoleRunLine(*current.context, line).quit ? lineQuit : lineDone;
  if (!current.block.empty()) current.block += L'\n';
  current.block += line;
  current.blockDepth += localConsoleBlock::depthChange(line);
  if (current.blockDepth > 0) return lineContinues;
  const std::wstring lines = std::move(current.block);
  current.block.clear();
  current.blockDepth = 0;
  return localConsoleRunBlock(*current.context, lines).quit ? lineQuit : lineDone;
}

session& theSession() {
  static session instance;
  return instance;
}

// Runs work, reporting a throw that escaped the console's own handlers. The console
// catches std::exception (a text too long for memory) and reports it as an internal
// error; with WebAssembly exceptions in this toolchain such a throw from the C++ library
// does not match that handler, so it arrives here. It is reported the same way, and the
// session goes on: every destructor has run on the way out.
template <class Work>
void runReportingThrows(Work&& work) {
  try {
    work();
  } catch (...) {
    localInterruptLineEnds();
    localDiagnostics() << "Error "
                       << localString::wstringToStdStringMultibyte(localString::returnStateAsString(localErrorTypeCODE))
                       << "\n";
  }
  std::cout.flush();
}

// Drops trace lines while it lives, as a script run from a terminal does.
class quietDiagnostics {
 public:
  quietDiagnostics() : previous_(localDiscardDiagnostics()) {}
  ~quietDiagnostics() { localSetDiagnostics(previous_); }
  quietDiagnostics(const quietDiagnostics&) = delete;
  quietDiagnostics& operator=(const quietDiagnostics&) = delete;

 private:
  std::ostream* previous_;
};

}  // namespace

extern "C" {

// Starts the session: UTF-8 console, one context, the stop watcher. Returns the address
// of the stop word in the module's memory.
EMSCRIPTEN_KEEPALIVE std::int32_t* webStart() {
  session& current = theSession();
  localApplyEncoding(localConsoleEncoding::utf8);
  std::cout.rdbuf(&current.printed);
  // What a script run reports of a failure goes to standard error: shown as diagnostics.
  std::cerr.rdbuf(&current.diagnostics);
  localSetDiagnostics(&current.diagnosticStream);
  current.context = std::make_unique<localContextUTF8>();
  pthread_t watcher;
  if (pthread_create(&watcher, nullptr, watchStops, nullptr) == 0) pthread_detach(watcher);
  // The console's start-up line, as a terminal session prints it.
  localTrace(L"func: ", "main", 603, "main");
  std::cout.flush();
  return &stopWord;
}

// Runs one console line (UTF-8). Returns 0 when it ran, 1 when it ended the session
// (QUIT), 2 when it opened or continued a block that wants more lines.
EMSCRIPTEN_KEEPALIVE int webRunLine(const char* utf8) {
  session& current = theSession();
  std::string bytes = utf8;
  const std::size_t end = bytes.find_last_not_of(' ');
  bytes.erase(end == std::string::npos ? 0 : end + 1);
  lineResult result = lineDone;
  runReportingThrows([&] {
    std::wstring line;
    if (localConsoleDecodeLine(localConsoleEncoding::utf8, bytes, line)) result = runOrCollect(current, line);
  });
  return result;
}

// The Run button: runs a file of the in-memory directory (UTF-8 name) as a script run
// from a terminal does: quiet (no trace lines) while it goes well, and a failure reported
// as "FILE:LINE:COL: message" with the source line, a caret and perhaps a hint. The
// session keeps what the program defined. Returns 0 when the program succeeded.
EMSCRIPTEN_KEEPALIVE int webRunFile(const char* utf8Name) {
  int status = 1;
  runReportingThrows([&] {
    // Trace lines are dropped for the run, and back (also on a throw) before it is reported.
    const quietDiagnostics quiet;
    status = localScriptRun::runFile(*theSession().context, localConsoleEncoding::utf8, utf8Name);
  });
  return status;
}

// Drops the lines of a block being collected, as Ctrl-C at the terminal's prompt does.
EMSCRIPTEN_KEEPALIVE void webDiscardBlock() {
  theSession().block.clear();
  theSession().blockDepth = 0;
}

}  // extern "C"

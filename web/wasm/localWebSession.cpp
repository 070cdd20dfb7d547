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
#include <streambuf>
#include <string>
#include <vector>

#include "app/localConsole.h"
#include "app/localConsoleEncoding.h"
#include "context/localContextUTF8.h"
#include "core/localInterrupt.h"
#include "core/localTrace.h"
#include "text/localString.h"

namespace {

EM_JS(void, localWebPostOutput, (const char* bytes, int size), {
  const chunk = HEAPU8.slice(bytes, bytes + size);
  postMessage({type: 'out', bytes: chunk}, [chunk.buffer]);
});

// Collects what the interpreter prints and posts it to the page: at once after a quiet
// spell, otherwise in batches, so that a loop printing many lines does not send a message
// per line. The page decodes the UTF-8 bytes as they come.
class pageOutputBuffer : public std::streambuf {
 public:
  void post() {
    if (pending_.empty()) return;
    localWebPostOutput(pending_.data(), static_cast<int>(pending_.size()));
    pending_.clear();
    lastPost_ = emscripten_get_now();
  }

 protected:
  int overflow(int c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    pending_.push_back(static_cast<char>(c));
    if (c == '\n') postWhenDue();
    return c;
  }
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    pending_.insert(pending_.end(), text, text + count);
    if (count > 0 && text[count - 1] == '\n') postWhenDue();
    return count;
  }
  int sync() override {
    post();
    return 0;
  }

 private:
  static constexpr std::size_t batchBytes = 64 * 1024;
  static constexpr double batchMilliseconds = 30;

  void postWhenDue() {
    if (pending_.size() >= batchBytes || emscripten_get_now() - lastPost_ >= batchMilliseconds) post();
  }

  std::vector<char> pending_;
  double lastPost_ = 0;
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
  pageOutputBuffer output;
  std::unique_ptr<localContextUTF8> context;
};

session& theSession() {
  static session instance;
  return instance;
}

}  // namespace

extern "C" {

// Starts the session: UTF-8 console, one context, the stop watcher. Returns the address
// of the stop word in the module's memory.
EMSCRIPTEN_KEEPALIVE std::int32_t* webStart() {
  session& current = theSession();
  localApplyEncoding(localConsoleEncoding::utf8);
  std::cout.rdbuf(&current.output);
  current.context = std::make_unique<localContextUTF8>();
  pthread_t watcher;
  if (pthread_create(&watcher, nullptr, watchStops, nullptr) == 0) pthread_detach(watcher);
  // The console's start-up line, as a terminal session prints it.
  localTrace(L"func: ", "main", 603, "main");
  std::cout.flush();
  return &stopWord;
}

// Runs one console line (UTF-8). Returns 1 when the line ended the session (QUIT).
EMSCRIPTEN_KEEPALIVE int webRunLine(const char* utf8) {
  session& current = theSession();
  std::string bytes = utf8;
  const std::size_t end = bytes.find_last_not_of(' ');
  bytes.erase(end == std::string::npos ? 0 : end + 1);
  std::wstring line;
  bool quit = false;
  try {
    if (localConsoleDecodeLine(localConsoleEncoding::utf8, bytes, line))
      quit = localConsoleRunLine(*current.context, line).quit;
  } catch (...) {
    // The console catches std::exception (a text too long for memory) and reports it as
    // an internal error; with WebAssembly exceptions in this toolchain such a throw from
    // the C++ library does not match that handler, so it arrives here. It is reported
    // the same way, and the session goes on: every destructor has run on the way out.
    localInterruptLineEnds();
    std::cout << "Error "
              << localString::wstringToStdStringMultibyte(localString::returnStateAsString(localErrorTypeCODE))
              << "\n";
  }
  std::cout.flush();
  return quit ? 1 : 0;
}

}  // extern "C"

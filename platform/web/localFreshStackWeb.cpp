#include <emscripten/emscripten.h>

#include <cstdint>
#include <exception>

#include "platform/localFreshStack.h"

// A task runs through an exported entry that WebAssembly.promising wraps: the wrapper
// runs it on a stack of its own. The task never suspends, so it has finished when the
// wrapper returns its promise. A failure of the browser itself inside (the new stack
// overflowing too) leaves the task unfinished: the session cannot go on, the page is
// told so and this worker waits to be replaced.

namespace {

struct freshStackCall {
  void (*task)(void*);
  void* closure;
  std::exception_ptr failure;
  bool finished = false;
};

EM_JS(int, localWebCallOnFreshStack, (int entry, freshStackCall* call), {
  if (typeof WebAssembly.promising !== 'function') return 0;
  if (!Module.freshStackEntry) Module.freshStackEntry = WebAssembly.promising(wasmTable.get(entry));
  Module.freshStackEntry(call).catch(() => {});
  return 1;
});

EM_JS(void, localWebSessionLost, (), {
  postMessage({type: 'failed', text: 'the program nested deeper than the browser allows'});
  Atomics.wait(new Int32Array(new SharedArrayBuffer(4)), 0, 0);
});

void freshStackEntry(freshStackCall* call) {
  try {
    call->task(call->closure);
  } catch (...) {
    call->failure = std::current_exception();
  }
  call->finished = true;
}

}  // namespace

namespace localPlatform {

void runOnFreshStack(void (*task)(void*), void* closure) {
  freshStackCall call{task, closure, nullptr};
  // A function's address in WebAssembly is its index in the table of functions.
  const int entry = static_cast<int>(reinterpret_cast<std::uintptr_t>(&freshStackEntry));
  if (!localWebCallOnFreshStack(entry, &call)) {
    task(closure);
    return;
  }
  if (!call.finished) localWebSessionLost();
  if (call.failure) std::rethrow_exception(call.failure);
}

}  // namespace localPlatform

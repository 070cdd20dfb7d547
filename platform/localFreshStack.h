#pragma once
// Deep recursion on a platform whose stack is small. A browser gives the worker that
// runs the interpreter about half a megabyte of machine stack, enough for some 800
// nested calls of user functions where a terminal allows 2500. There, every
// localFreshStackEvery levels of nesting (calls, DO inside programs, brackets), the next
// level goes on on a stack of its own (a WebAssembly stack switch), so that the
// interpreter's own depth limits speak first.
// Elsewhere localOnFreshStack just calls its function.
#include <type_traits>

#ifdef __EMSCRIPTEN__
namespace localPlatform {

inline constexpr unsigned localFreshStackEvery = 128;

// Runs task(closure) on a new stack and returns when it has returned; where the browser
// cannot switch stacks it runs it in place. An exception the task throws arrives here.
void runOnFreshStack(void (*task)(void*), void* closure);

}  // namespace localPlatform

// Runs f() on a fresh stack and gives its result (a bool: whether the call succeeded).
template <class F>
bool localOnFreshStack(F&& f) {
  struct frame {
    std::remove_reference_t<F>* function;
    bool result;
  } call{&f, false};
  localPlatform::runOnFreshStack([](void* closure) {
    frame& self = *static_cast<frame*>(closure);
    self.result = (*self.function)();
  }, &call);
  return call.result;
}
#endif

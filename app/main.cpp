#include <pthread.h>

#include <cstddef>
#include <iostream>

#include "app/coutMainBufferClass.h"
#include "core/localTrace.h"
#include "interp/localInterpretatorUTF8.h"

namespace {

void* runConsole(void*) {
  localInterpretatorUTF8::console();
  return nullptr;
}

// User functions may recurse deeply and every level of the interpreter is several
// frames deep, so the console runs on one worker thread with a large stack. When the
// system refuses such a stack, a smaller one is tried, and at last the main thread.
void runConsoleOnBigStack() {
  constexpr std::size_t stackSizes[] = {std::size_t{1} << 30, std::size_t{256} << 20, std::size_t{64} << 20};
  for (const std::size_t size : stackSizes) {
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0) break;
    pthread_t worker;
    const bool started = pthread_attr_setstacksize(&attributes, size) == 0 &&
                         pthread_create(&worker, &attributes, runConsole, nullptr) == 0;
    pthread_attr_destroy(&attributes);
    if (started) {
      pthread_join(worker, nullptr);
      return;
    }
  }
  runConsole(nullptr);
}

}  // namespace

int main() {
  // Written before the console buffer is installed, so it reaches the console unchanged.
  localTrace(L"func: ", "main", 603, "main");
  {
    coutMainBufferClass buffer;
    std::streambuf* previous = std::cout.rdbuf(&buffer);
    runConsoleOnBigStack();
    std::cout.flush();
    std::cout.rdbuf(previous);
  }
  std::cout.flush();
  return 0;
}

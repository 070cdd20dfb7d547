#include <malloc.h>
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

// The console's worker thread allocates from its own malloc arena, which glibc shrinks
// (one madvise system call) whenever a freed block leaves more than the trim threshold
// free at its top, and large blocks are mapped and unmapped one by one. A loop that
// copies a long text would pay a system call per pass: keep freed memory for reuse.
void keepFreedMemory() {
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
}

}  // namespace

int main() {
  keepFreedMemory();
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

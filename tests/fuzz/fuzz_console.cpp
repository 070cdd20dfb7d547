// Console sessions: the input is the bytes a user types (CP866), one line per line feed,
// all run on one context as the console loop runs them, up to QUIT or the last line.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzzSupport::initialize(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (fuzzSupport::mayWriteOutsideScratch(data, size)) return -1;
  const std::string input(reinterpret_cast<const char*>(data), size);
  fuzzSupport::Session session;
  std::size_t start = 0;
  while (start < input.size()) {
    std::size_t end = input.find('\n', start);
    if (end == std::string::npos) end = input.size();
    if (!session.runLine(input.substr(start, end - start))) break;
    start = end + 1;
  }
  return 0;
}

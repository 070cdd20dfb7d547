// Program files: the input is a program text (CP1251, as DO reads it), written to the
// scratch directory and run with DO, so reading, compiling and running are all reached.
// The program may run itself again with DO main.prg.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzzSupport::initialize(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (fuzzSupport::mayWriteOutsideScratch(data, size)) return -1;
  fuzzSupport::Session session;
  fuzzSupport::writeScratchFile("main.prg", data, size);
  session.runLine("DO main.prg");
  return 0;
}

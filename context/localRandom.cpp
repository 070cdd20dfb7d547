#include "context/localRandom.h"

namespace {
std::uint32_t randomState = 1;
}

void localRandomSeed(std::uint32_t seed) { randomState = seed; }

int localRandomNext() {
  // Unsigned arithmetic wraps modulo 2^32 by definition.
  randomState = randomState * 214013u + 2531011u;
  return static_cast<int>((randomState >> 16) & 0x7FFFu);
}

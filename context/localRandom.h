#pragma once
#include <cstdint>

// The pseudo-random generator behind RAND: a linear congruential generator with the
// classic constants, giving whole numbers from 0 to 32767 whatever the host's rand()
// range is. One generator per process.
void localRandomSeed(std::uint32_t seed);
int localRandomNext();

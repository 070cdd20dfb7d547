#pragma once
#include <cstdint>

// Conversions of script numbers (doubles) to machine integers. Every input, NaN and
// infinities included, has a defined result; no conversion is out of range.

// Truncates toward zero; NaN and anything outside the 32-bit signed range after
// truncation give -2147483648. Numbers in range convert inline.
std::int32_t localTruncateToInt32OutOfRange(double number);
[[gnu::always_inline]] inline std::int32_t localTruncateToInt32(double number) {
  if (number > -2147483649.0 && number < 2147483648.0) return static_cast<std::int32_t>(number);
  return localTruncateToInt32OutOfRange(number);
}

// Truncates toward zero and takes the result modulo 2^32 as an unsigned count, so -1
// gives 4294967295. NaN and infinities give 0. Numbers already in range (line numbers,
// loop counters) convert inline; the rest take the out-of-line way.
std::uint32_t localTruncateToUint32ModuloOutOfRange(double number);
[[gnu::always_inline]] inline std::uint32_t localTruncateToUint32Modulo(double number) {
  if (number >= 0.0 && number < 4294967296.0) return static_cast<std::uint32_t>(number);
  return localTruncateToUint32ModuloOutOfRange(number);
}

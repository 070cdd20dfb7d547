#pragma once
#include <cstdint>

// Conversions of script numbers (doubles) to machine integers. Every input, NaN and
// infinities included, has a defined result; no conversion is out of range.

// Truncates toward zero; NaN and anything outside the 32-bit signed range after
// truncation give -2147483648.
std::int32_t localTruncateToInt32(double number);

// Truncates toward zero and takes the result modulo 2^32 as an unsigned count, so -1
// gives 4294967295. NaN and infinities give 0.
std::uint32_t localTruncateToUint32Modulo(double number);

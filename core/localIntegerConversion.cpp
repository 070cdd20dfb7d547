#include "core/localIntegerConversion.h"

#include <cmath>

std::int32_t localTruncateToInt32OutOfRange(double number) {
  if (std::isnan(number)) return INT32_MIN;
  const double truncated = std::trunc(number);
  if (truncated < -2147483648.0 || truncated > 2147483647.0) return INT32_MIN;
  return static_cast<std::int32_t>(truncated);
}

std::uint32_t localTruncateToUint32ModuloOutOfRange(double number) {
  if (!std::isfinite(number)) return 0;
  constexpr double modulus = 4294967296.0;
  // fmod is exact, so the remainder is a whole number in (-2^32, 2^32).
  double remainder = std::fmod(std::trunc(number), modulus);
  if (remainder < 0) remainder += modulus;
  return static_cast<std::uint32_t>(remainder);
}

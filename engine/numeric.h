#pragma once
// Conversions of input-derived doubles to integers that never reach
// undefined behaviour: non-finite and out-of-range values saturate.

#include <cmath>
#include <cstdint>
#include <limits>

namespace kavor {

inline int32_t saturate_to_int32(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

inline int32_t saturate_to_int32(int64_t v) {
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

inline int64_t saturate_to_int64(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 9.2e18) return std::numeric_limits<int64_t>::max();
  if (v <= -9.2e18) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(v);
}

// Truncation toward zero.
inline int32_t trunc_to_int32(double v) { return saturate_to_int32(v); }

// Rounding half away from zero: floor(v + 0.5) at 0 or above, ceil(v - 0.5) below.
inline double round_half_away(double v) { return v >= 0 ? std::floor(v + 0.5) : std::ceil(v - 0.5); }
inline int32_t round_to_int32(double v) {
  // In range, truncating v + 0.5 (or v - 0.5 below 0) in 64 bits is that
  // floor (or ceil) exactly and much cheaper; NaN fails both tests.
  if (v > -2147483648.0 && v < 2147483647.0)
    return saturate_to_int32(v >= 0 ? static_cast<int64_t>(v + 0.5) : static_cast<int64_t>(v - 0.5));
  return saturate_to_int32(round_half_away(v));
}

// v * num / den for den >= 1, truncated toward zero, exact for any 64-bit
// operands. The device mapping does this for every point, so the common
// sizes take cheap paths: a product below 2^52 divides exactly in doubles
// (the quotient is at least 1/|product| from the next integer, more than a
// rounding step), a 64-bit product in integers, the rest in 128 bits.
inline __int128 scale_toward_zero(int64_t v, int64_t num, int64_t den) {
  constexpr int64_t kExactInDouble = int64_t{1} << 52;
  int64_t product;
  if (__builtin_mul_overflow(v, num, &product)) return __int128{v} * num / den;
  if (product > -kExactInDouble && product < kExactInDouble)
    return static_cast<int64_t>(static_cast<double>(product) / static_cast<double>(den));
  return product / den;
}

}  // namespace kavor

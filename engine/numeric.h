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
inline int32_t round_to_int32(double v) { return saturate_to_int32(round_half_away(v)); }

}  // namespace kavor

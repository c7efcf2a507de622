#pragma once
// Storing a double as single precision: the nearest float, halves to even,
// and an infinity of its sign beyond the float range. The language leaves a
// finite value outside the range undefined, so the range is tested here.

#include <cmath>
#include <limits>

namespace runtime {

static_assert(std::numeric_limits<float>::is_iec559, "single precision must be IEEE 754");

inline float to_single(double value) {
  // Half a unit in the last place above the largest float: from here on the
  // nearest float is the infinity (the tie goes up, to the even neighbour).
  constexpr double kOverflow = 0x1.ffffffp127;
  if (std::fabs(value) >= kOverflow) {
    return std::signbit(value) ? -std::numeric_limits<float>::infinity()
                               : std::numeric_limits<float>::infinity();
  }
  return static_cast<float>(value);  // NaN stays NaN
}

}  // namespace runtime

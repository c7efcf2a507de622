#pragma once
// Conversions of floating values to integers: the nearest integer, and of two
// equally near ones the even one. Out of range or NaN raises Overflow; never
// undefined behaviour.

#include <cmath>
#include <cstdint>
#include <optional>

#include "platform/runtime/runtime_error.h"

namespace runtime {

// Rounds with the current mode, which the program never changes from
// round-to-nearest-even.
inline double round_half_even(double value) { return std::nearbyint(value); }

inline std::int16_t to_int16(double value) {
  const double r = round_half_even(value);
  if (!(r >= -32768.0 && r <= 32767.0)) raise_overflow();  // NaN fails too
  return static_cast<std::int16_t>(r);
}

// The nearest 32-bit integer, or nothing when it is out of range or NaN: for
// callers that skip what does not fit instead of stopping.
inline std::optional<std::int32_t> nearest_int32(double value) {
  const double r = round_half_even(value);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) return std::nullopt;
  return static_cast<std::int32_t>(r);
}

inline std::int32_t to_int32(double value) {
  const std::optional<std::int32_t> r = nearest_int32(value);
  if (!r) raise_overflow();
  return *r;
}

// 32-bit integer arithmetic that raises Overflow instead of wrapping.
inline std::int32_t checked_add(std::int32_t a, std::int32_t b) {
  std::int32_t r;
  if (__builtin_add_overflow(a, b, &r)) raise_overflow();
  return r;
}
inline std::int32_t checked_sub(std::int32_t a, std::int32_t b) {
  std::int32_t r;
  if (__builtin_sub_overflow(a, b, &r)) raise_overflow();
  return r;
}
inline std::int32_t checked_mul(std::int32_t a, std::int32_t b) {
  std::int32_t r;
  if (__builtin_mul_overflow(a, b, &r)) raise_overflow();
  return r;
}

}  // namespace runtime

#pragma once
// Conversions of floating values to integers: the nearest integer, and of two
// equally near ones the even one. Out of range or NaN raises Overflow; never
// undefined behaviour.

#include <emmintrin.h>

#include <cstdint>
#include <optional>

#include "platform/runtime/runtime_error.h"

namespace runtime {

// The nearest 32-bit integer, or nothing when it is out of range or NaN: for
// callers that skip what does not fit instead of stopping. The range test
// comes first, on the unrounded value: 2147483647.5 rounds to the even
// 2147483648, which does not fit, while -2147483648.5 rounds to
// -2147483648, which does. Inside it the processor's conversion rounds with
// the current mode, which the program never changes from nearest-even.
inline std::optional<std::int32_t> nearest_int32(double value) {
  if (!(value >= -2147483648.5 && value < 2147483647.5)) return std::nullopt;  // NaN fails too
  return _mm_cvtsd_si32(_mm_set_sd(value));
}

// The same for 16-bit integers.
inline std::optional<std::int16_t> nearest_int16(double value) {
  if (!(value >= -32768.5 && value < 32767.5)) return std::nullopt;
  return static_cast<std::int16_t>(_mm_cvtsd_si32(_mm_set_sd(value)));
}

inline std::int16_t to_int16(double value) {
  const std::optional<std::int16_t> r = nearest_int16(value);
  if (!r) raise_overflow();
  return *r;
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

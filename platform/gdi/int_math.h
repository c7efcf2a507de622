#pragma once
// Exact integer helpers for the rasterisers. Products of two coordinate
// differences reach 2^65, so the wide cases use 128-bit integers; nothing in
// the pixel layer rounds through floating point.

#include <cstdint>

namespace gdi::detail {

__extension__ typedef __int128 i128;

// Division rounding towards minus and plus infinity; the divisor must be > 0.
// Plain '/' truncates towards zero, which is wrong for negative numerators.
template <class T>
constexpr T floor_div(T n, T d) {
  T q = n / d;
  if (n % d < 0) --q;
  return q;
}
template <class T>
constexpr T ceil_div(T n, T d) {
  T q = n / d;
  if (n % d > 0) ++q;
  return q;
}

template <class T>
constexpr T abs_value(T v) {
  return v < 0 ? -v : v;
}

}  // namespace gdi::detail

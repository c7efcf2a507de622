#pragma once
// Slow, per-pixel statements of the pixel rules, written independently of
// the incremental rasterisers they check, plus shared test helpers.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <random>

#include "platform/gdi/surface.h"

namespace gdi_test {

__extension__ typedef __int128 i128;
using std::int64_t;

// Even-odd: centre (x, y) is covered when an odd number of edges active on
// row y cross it at or left of x, i.e. xa + (y-ya)(xb-xa)/(yb-ya) <= x.
// Any array of points with x and y members will do.
template <class Poly>
bool covered(const Poly& poly, int64_t x, int64_t y) {
  bool in = false;
  const std::size_t n = std::size(poly);
  for (std::size_t k = 0; k < n; ++k) {
    int64_t xa = poly[k].x, ya = poly[k].y, xb = poly[(k + 1) % n].x, yb = poly[(k + 1) % n].y;
    if (ya > yb) std::swap(xa, xb), std::swap(ya, yb);
    if (y >= ya && y < yb && i128{y - ya} * (xb - xa) <= i128{x - xa} * (yb - ya)) in = !in;
  }
  return in;
}

// Whether the line from (x0,y0) to (x1,y1) draws pixel (x, y): step i along
// the major axis lands on the minor coordinate nearest the line's, t = b0 +
// i * db / n, and where t lies exactly half-way, on the smaller one (the
// upper row, the left column), as gdi32 does: ceil(t - 1/2).
inline bool on_line(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int64_t x, int64_t y) {
  if (std::abs(x1 - x0) < std::abs(y1 - y0)) return on_line(y0, x0, y1, x1, y, x);
  const int64_t n = std::abs(x1 - x0), db = y1 - y0;
  const int64_t i = x1 > x0 ? x - x0 : x0 - x;
  if (n == 0 || i < 0 || i >= n) return false;
  // ceil(p / q) for q > 0, with p = 2 * i * db - n and q = 2 * n.
  const i128 p = i128{2} * i * db - n, q = i128{2} * n;
  const i128 ceiling = p >= 0 ? (p + q - 1) / q : -((-p) / q);
  return y == y0 + static_cast<int64_t>(ceiling);
}

// Coordinates that mix the surface's neighbourhood with extremes.
inline int32_t random_coord(std::mt19937& rng, int size) {
  switch (rng() % 4) {
    case 0: return static_cast<int32_t>(rng() % (size + 20)) - 10;
    case 1: return static_cast<int32_t>(rng() % 4001) - 2000;
    case 2: return rng() % 2 ? INT32_MAX - static_cast<int32_t>(rng() % 8)
                             : INT32_MIN + static_cast<int32_t>(rng() % 8);
    default: return static_cast<int32_t>(rng());
  }
}

// Every pixel of s against want(x, y).
template <class Want>
::testing::AssertionResult image_is(const gdi::Surface& s, Want want) {
  for (int i = 0; i < s.width() * s.height(); ++i) {
    const int x = i % s.width(), y = i / s.width();
    if (s.pixel(x, y) != want(x, y)) {
      return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is 0x" << std::hex
                                           << s.pixel(x, y) << ", want 0x" << want(x, y);
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace gdi_test

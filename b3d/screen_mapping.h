#pragma once
// Where a corner of the table lands on a drawing area, and which way a
// triangle faces there. Shared by the renderers.

#include <emmintrin.h>

#include <cstdint>
#include <optional>

#include "b3d/triangle_table.h"
#include "platform/gdi/gdi_types.h"
#include "platform/runtime/convert.h"
#include "platform/toolkit/picture_box.h"

namespace b3d {

// Table coordinates are relative to the centre of the drawing area, y down,
// like the screen's; mapping only moves the origin to the top-left corner.
class ScreenMapping {
 public:
  // Read once per call, after the target's scale has been set to pixels.
  explicit ScreenMapping(const toolkit::PictureBox& target)
      : cx_(target.ScaleWidth() / 2), cy_(target.ScaleHeight() / 2) {}

  // The pixel column of table x and the pixel row of table y: each
  // single-precision sum taken to the nearest 32-bit integer. Nothing when a
  // sum does not fit.
  std::optional<std::int32_t> column(float x) const { return runtime::nearest_int32(x + cx_); }
  std::optional<std::int32_t> row(float y) const { return runtime::nearest_int32(y + cy_); }

  // The pixel of table corner (x, y); nothing when either sum does not fit.
  std::optional<gdi::POINT> map(float x, float y) const {
    const std::optional<std::int32_t> sx = column(x);
    const std::optional<std::int32_t> sy = row(y);
    if (!sx || !sy) return std::nullopt;
    return gdi::POINT{*sx, *sy};
  }

  // The pixels of a row's three corners (its view x and y), as map() gives
  // them one by one; false when any of them does not fit. The six sums are
  // taken four and two at a time: the same single-precision sums, and the
  // same conversion, nearest with ties to even, whose range in single
  // precision is [-2^31, 2^31).
  bool corners(const float* row, gdi::POINT corner[3]) const {
    const __m128 centre = _mm_set_ps(cy_, cx_, cy_, cx_);
    // Each corner's x and y lie side by side: one 8-byte load a corner.
    const auto pair = [row](int column) {
      return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + column));
    };
    const __m128 ab = _mm_add_ps(
        _mm_castsi128_ps(_mm_unpacklo_epi64(pair(kViewX1), pair(kViewX2))), centre);
    const __m128 c = _mm_add_ps(_mm_castsi128_ps(pair(kViewX3)), centre);
    const __m128 low = _mm_set1_ps(-2147483648.0f);
    const __m128 high = _mm_set1_ps(2147483648.0f);
    // Lanes in range, one bit each; NaN fails both comparisons.
    const auto in_range = [&](__m128 v) {
      return _mm_movemask_ps(_mm_and_ps(_mm_cmpge_ps(v, low), _mm_cmplt_ps(v, high)));
    };
    if (in_range(ab) != 15 || (in_range(c) & 3) != 3) return false;
    alignas(16) std::int32_t pixels[8];
    _mm_store_si128(reinterpret_cast<__m128i*>(pixels), _mm_cvtps_epi32(ab));
    _mm_store_si128(reinterpret_cast<__m128i*>(pixels + 4), _mm_cvtps_epi32(c));
    for (int k = 0; k < 3; ++k) corner[k] = {pixels[2 * k], pixels[2 * k + 1]};
    return true;
  }

 private:
  float cx_;
  float cy_;
};

// e = (P0.y − P2.y)(P1.x − P0.x) − (P0.x − P2.x)(P1.y − P0.y), minus the cross
// product of the two edges from P0. Negative means the corners run clockwise
// on the screen: a back face. Every step must fit 32-bit integers, as the
// value is defined in them; nothing when one does not.
inline std::optional<std::int32_t> back_face_value(gdi::POINT p0, gdi::POINT p1, gdi::POINT p2) {
  // Corners within 2^14 of the origin, as every picture's are: differences
  // within 2^15, products within 2^30, nothing can overflow.
  const auto near = [](std::int32_t v) { return static_cast<std::uint32_t>(v) + 0x4000u < 0x8000u; };
  if (near(p0.x) && near(p0.y) && near(p1.x) && near(p1.y) && near(p2.x) && near(p2.y)) {
    return (p0.y - p2.y) * (p1.x - p0.x) - (p0.x - p2.x) * (p1.y - p0.y);
  }
  const auto fits = [](std::int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; };
  const std::int64_t a = std::int64_t{p0.y} - p2.y;
  const std::int64_t b = std::int64_t{p1.x} - p0.x;
  const std::int64_t c = std::int64_t{p0.x} - p2.x;
  const std::int64_t d = std::int64_t{p1.y} - p0.y;
  if (!fits(a) || !fits(b) || !fits(c) || !fits(d)) return std::nullopt;
  const std::int64_t ab = a * b;
  const std::int64_t cd = c * d;
  if (!fits(ab) || !fits(cd) || !fits(ab - cd)) return std::nullopt;
  return static_cast<std::int32_t>(ab - cd);
}

}  // namespace b3d

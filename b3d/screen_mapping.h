#pragma once
// Where a corner of the table lands on a drawing area, and which way a
// triangle faces there. Shared by the renderers.

#include <cstdint>
#include <optional>

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

 private:
  float cx_;
  float cy_;
};

// e = (P0.y − P2.y)(P1.x − P0.x) − (P0.x − P2.x)(P1.y − P0.y), minus the cross
// product of the two edges from P0. Negative means the corners run clockwise
// on the screen: a back face. Every step must fit 32-bit integers, as the
// value is defined in them; nothing when one does not.
inline std::optional<std::int32_t> back_face_value(gdi::POINT p0, gdi::POINT p1, gdi::POINT p2) {
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

#include "b3d/shaded_triangle.h"

#include <algorithm>
#include <optional>

#include "b3d/shade_factor.h"
#include "b3d/triangle_table.h"
#include "platform/gdi/polygon.h"
#include "platform/runtime/convert.h"
#include "platform/runtime/single.h"

namespace b3d {

namespace {

using Kind = ShadedTriangle::Kind;

Corner corner(const float* row, int k) {
  return {row[kViewX1 + 3 * k], row[kViewY1 + 3 * k], row[kViewZ1 + 3 * k]};
}

}  // namespace

ShadedTriangle shaded_triangle(const float* row, const ScreenMapping& screen,
                               const ShadedOptions& options) {
  const Variants& v = *options.variants;
  ShadedTriangle t;
  t.kind = Kind::Dependent;
  if (!screen.corners(row, t.corner)) return t;
  if (options.culling) {
    const auto e = back_face_value(t.corner[0], t.corner[1], t.corner[2]);
    if (!e) return t;
    if (*e < 0) {
      t.kind = Kind::Culled;
      return t;
    }
  }

  // Without shading the shade is the zero the renderer starts from: every
  // step below takes zero to zero.
  float shade = 0;
  if (options.shading) {
    shade = ShadeFactor(corner(row, 0), corner(row, 1), corner(row, 2), v.shade_rule) *
            v.shade_scale;
  }
  if (v.shade_level) {
    const auto tenths = runtime::nearest_int32(shade * 10);
    if (!tenths) return t;
    t.level = *tenths / 10;
    shade = runtime::to_single(static_cast<double>(t.level) * 100);
  }

  if (options.gradient == 1) {
    const auto channel = runtime::nearest_int16(shade);
    if (!channel) return t;
    t.channel = *channel;
    t.kind = Kind::Gradient;
  } else if (options.gradient == 0) {
    const auto grey = runtime::nearest_int32(shade / 120);
    if (!grey || *grey < 0 || *grey > 255) return t;
    t.grey = *grey;
    t.kind = Kind::Polygon;
  } else {
    t.kind = Kind::Undrawn;
  }
  return t;
}

void draw_shaded_triangle(gdi::HDC target, const ShadedTriangle& t, const ShadedOptions& options,
                          const gdi::Band& band) {
  if (t.kind == Kind::Gradient) {
    // All three corners carry the one channel value, so the gradient is flat
    // in the value's high byte, on the polygon's pixels.
    const int grey = static_cast<gdi::COLOR16>(t.channel) >> 8;
    gdi::FillTriangle(target, t.corner, gdi::RGB(grey, grey, grey), band);
  } else if (t.kind == Kind::Polygon) {
    const gdi::COLORREF grey = gdi::RGB(t.grey, t.grey, t.grey);
    gdi::Polygon(target, t.corner, 3, {grey, grey, options.filled_polygons}, band);
  }
}

}  // namespace b3d

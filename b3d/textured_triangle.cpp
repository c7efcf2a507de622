#include "b3d/textured_triangle.h"

#include <algorithm>

#include "b3d/texture_placement.h"
#include "b3d/triangle_table.h"
#include "platform/gdi/plg_blt.h"
#include "platform/gdi/transparent_blt.h"
#include "platform/runtime/convert.h"

namespace b3d {

namespace {

// The rectangle copied to the target: the triangle's bounds cut to the
// drawing area, in whole pixels. Nothing when a value does not fit 32 bits.
std::optional<TexturedTriangle::Copy> copy_rect(Bounds b, float width, float height) {
  if (b.MinX < 0) b.MinX = 0;
  if (b.MinY < 0) b.MinY = 0;
  if (b.MaxX > width) b.MaxX = width;
  if (b.MaxY > height) b.MaxY = height;
  const auto x = runtime::nearest_int32(b.MinX);
  const auto y = runtime::nearest_int32(b.MinY);
  const auto w = runtime::nearest_int32(b.MaxX - b.MinX);
  const auto h = runtime::nearest_int32(b.MaxY - b.MinY);
  if (!x || !y || !w || !h) return std::nullopt;
  // A triangle wholly outside the area gives a negative width or height,
  // and nothing is copied.
  return TexturedTriangle::Copy{*x, *y, *w, *h};
}

}  // namespace

std::optional<TexturedTriangle> textured_triangle(const float* row, const ScreenMapping& screen,
                                                  const TexturedOptions& options) {
  // Every way out returns this one object, so that the triangle is made
  // where the caller keeps it rather than made here and copied.
  std::optional<TexturedTriangle> made;
  // A corner or product that does not fit 32 bits loses that triangle only.
  gdi::POINT s[3];
  if (!screen.corners(row, s)) return made;
  if (options.culling) {
    const std::optional<std::int32_t> e = back_face_value(s[0], s[1], s[2]);
    if (!e || *e < 0) return made;
  }

  TexturedTriangle& t = made.emplace();
  t.placement[0] = s[1];
  t.placement[1] = s[2];
  t.placement[2] = s[0];
  if (options.cut_each) {
    t.far_corner = far_corner(s[0], s[1], s[2]);
    // Without its cut the triangle is warped and no more.
    if (!t.far_corner) return made;
  }
  t.copy = copy_rect(TriangleBounds(s[1], s[2], s[0]), options.width, options.height);
  return made;
}

void textured_rows(const TexturedTriangle& t, std::int64_t& top, std::int64_t& bottom) {
  // The warp covers the parallelogram on the placement, whose fourth corner
  // is the far corner; the cut lies inside it and the copy inside the
  // triangle.
  const std::int64_t fourth =
      std::int64_t{t.placement[1].y} + t.placement[2].y - t.placement[0].y;
  top = std::min<std::int64_t>({t.placement[0].y, t.placement[1].y, t.placement[2].y, fourth});
  bottom = std::max<std::int64_t>({t.placement[0].y, t.placement[1].y, t.placement[2].y, fourth});
}

void draw_textured_triangle(const TexturedTriangle& t, const TexturedOptions& options,
                            const gdi::Band& band) {
  gdi::PlgBlt(options.work, t.placement, options.source, 0, 0, options.source_width,
              options.source_height, band);
  if (t.far_corner) {
    const gdi::POINT beyond[3] = {t.placement[2], t.placement[1], *t.far_corner};
    gdi::Polygon(options.work, beyond, 3, options.work_style, band);
  }
  if (t.copy) {
    const TexturedTriangle::Copy& r = *t.copy;
    gdi::GdiTransparentBlt(options.target, r.x, r.y, r.width, r.height, options.work, r.x, r.y,
                           r.width, r.height, KeyColour, band);
  }
}

}  // namespace b3d

// DrawTextured: the texture on every triangle, from row 0, in three drawing
// calls: the whole texture warped onto a parallelogram on the work surface
// Picture3, the half beyond the triangle painted transparent, and the
// triangle's bounding rectangle copied to Picture1 without the transparent
// pixels. Textures are not shaded.

#include <cstdint>
#include <optional>

#include "b3d/b3d.h"
#include "b3d/screen_mapping.h"
#include "b3d/texture_placement.h"
#include "platform/gdi/plg_blt.h"
#include "platform/gdi/polygon.h"
#include "platform/gdi/transparent_blt.h"

namespace b3d {

namespace {

// The rectangle copied to the target: the triangle's bounds cut to the
// drawing area, in whole pixels. Nothing when a value does not fit 32 bits.
struct CopyRect {
  std::int32_t x, y, width, height;
};

std::optional<CopyRect> copy_rect(Bounds b, float width, float height) {
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
  return CopyRect{*x, *y, *w, *h};
}

}  // namespace

void B3D::DrawTextured(toolkit::PictureBox& target) {
  target.ScaleMode = toolkit::kScalePixels;
  target.AutoRedraw = true;
  if (!TriangleTable) return;

  // Nothing can run while the call does, so the options and sizes read once
  // are those of every triangle.
  const bool culling = c_.Check5.Value() == 1;
  const float width = target.ScaleWidth();
  const float height = target.ScaleHeight();
  const gdi::HDC work = c_.Picture3.hDC();
  // The oldest way warps the whole of Picture2, which shows the texture at
  // its top-left corner on its own blue: the blue parts come out transparent,
  // and the texture covers only part of each triangle. Every triangle is then
  // cut on its own, as there is no cut texture to rely on.
  const bool staged = v_.texture_source == TextureSource::StagedInPicture2;
  bool texture_staged = false;
  toolkit::PictureBox& source = staged ? c_.Picture2 : c_.Picture5;
  const std::int32_t source_width = runtime::nearest_int32(source.ScaleWidth()).value_or(0);
  const std::int32_t source_height = runtime::nearest_int32(source.ScaleHeight()).value_or(0);
  const int correct = staged ? 0 : c_.Check19.Value();

  const ScreenMapping screen(target);
  const Table& table = *TriangleTable;
  for (int i = 0; i <= table.upper_row(); ++i) {
    const float* row = table.row(i);
    // A corner or product that does not fit 32 bits loses that triangle only.
    const std::optional<gdi::POINT> s1 = screen.map(row[kViewX1], row[kViewY1]);
    const std::optional<gdi::POINT> s2 = screen.map(row[kViewX2], row[kViewY2]);
    const std::optional<gdi::POINT> s3 = screen.map(row[kViewX3], row[kViewY3]);
    if (!s1 || !s2 || !s3) continue;
    if (culling) {
      const std::optional<std::int32_t> e = back_face_value(*s1, *s2, *s3);
      if (!e || *e < 0) continue;
    }

    // "Correct" cuts the texture itself, once for the whole run, at the first
    // triangle that is drawn: then no triangle needs a cut of its own.
    if (TextureCut == 0 && correct == 1) {
      const gdi::POINT half[3] = {
          {source_width, 0}, {source_width, source_height}, {0, source_height}};
      gdi::Polygon(c_.Picture5.hDC(), half, 3);
      // Picture5 is on the window: show the cut there at once rather than
      // at whatever next repaints it.
      c_.Picture5.Refresh();
      TextureCut = 1;
    }
    // The texture is staged before every warp; nothing changes it during a
    // call, so staging it at the first is the same.
    if (staged && !texture_staged) {
      c_.Picture2.set_Picture(c_.Picture5.Image());
      c_.Picture2.Refresh();
      texture_staged = true;
    }

    const gdi::POINT placement[3] = {*s2, *s3, *s1};
    gdi::PlgBlt(work, placement, source.hDC(), 0, 0, source_width, source_height, nullptr, 0, 0);

    if (correct == 0) {
      const std::optional<gdi::POINT> f = far_corner(*s1, *s2, *s3);
      if (!f) continue;
      const gdi::POINT beyond[3] = {*s1, *s3, *f};
      gdi::Polygon(work, beyond, 3);
    }

    const std::optional<CopyRect> r = copy_rect(TriangleBounds(*s2, *s3, *s1), width, height);
    if (!r) continue;
    gdi::GdiTransparentBlt(c_.Picture1.hDC(), r->x, r->y, r->width, r->height, work, r->x, r->y,
                           r->width, r->height, KeyColour);
  }
}

}  // namespace b3d

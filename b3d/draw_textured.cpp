// DrawTextured: the texture on every triangle, from row 0, in three drawing
// calls: the whole texture warped onto a parallelogram on the work surface
// Picture3, the half beyond the triangle painted transparent, and the
// triangle's bounding rectangle copied to Picture1 without the transparent
// pixels. Textures are not shaded.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "b3d/b3d.h"
#include "b3d/screen_mapping.h"
#include "b3d/textured_triangle.h"
#include "b3d/two_threads.h"
#include "platform/gdi/polygon.h"

namespace b3d {

void B3D::DrawTextured(toolkit::PictureBox& target) {
  target.ScaleMode = toolkit::kScalePixels;
  target.AutoRedraw = true;
  if (!TriangleTable) return;

  // The oldest way warps the whole of Picture2, which shows the texture at
  // its top-left corner on its own blue: the blue parts come out transparent,
  // and the texture covers only part of each triangle. Every triangle is then
  // cut on its own, as there is no cut texture to rely on.
  const bool staged = v_.texture_source == TextureSource::StagedInPicture2;
  toolkit::PictureBox& source = staged ? c_.Picture2 : c_.Picture5;
  const int correct = staged ? 0 : c_.Check19.Value();
  // Nothing can run while the call does, so the options and sizes read once
  // are those of every triangle.
  TexturedOptions options;
  options.culling = c_.Check5.Value() == 1;
  options.cut_each = correct == 0;
  options.width = target.ScaleWidth();
  options.height = target.ScaleHeight();
  options.source = source.hDC();
  options.source_width = runtime::nearest_int32(source.ScaleWidth()).value_or(0);
  options.source_height = runtime::nearest_int32(source.ScaleHeight()).value_or(0);
  options.work = c_.Picture3.hDC();
  options.work_style = gdi::polygon_style(*options.work);
  options.target = c_.Picture1.hDC();

  const ScreenMapping screen(target);
  // Two threads draw bands of the work surface and of the target, each band
  // copied from the same rows of the work surface; so both must be surfaces
  // of their own, apart from the texture.
  const bool apart = options.work != options.target && options.source != options.work &&
                     options.source != options.target;
  if (two_threads() && apart) {
    draw_textured_in_two(screen, options, correct);
    return;
  }
  const Table& table = *TriangleTable;
  bool prepared = false;
  for (int i = 0; i <= table.upper_row(); ++i) {
    const std::optional<TexturedTriangle> t = textured_triangle(table.row(i), screen, options);
    if (!t) continue;
    if (!prepared) prepare_texture(options, correct);
    prepared = true;
    draw_textured_triangle(*t, options, gdi::kAllRows);
  }
}

// The same picture from triangles prepared and drawn by two threads.
void B3D::draw_textured_in_two(const ScreenMapping& screen, const TexturedOptions& options,
                               int correct) {
  const Table& table = *TriangleTable;
  const Bands bands(options.target->height());
  std::array<bool, kPieces> any;
  share_rows(helper_, 0, table.upper_row() + 1, [&](int piece, int begin, int end) {
    textured_.clear(piece);
    bool drawn = false;  // written out once: the other thread writes next door
    prepare_ahead<std::optional<TexturedTriangle>>(
        begin, end, [&](int i) { return textured_triangle(table.row(i), screen, options); },
        [&](const std::optional<TexturedTriangle>& t) {
          if (!t) return true;
          drawn = true;
          std::int64_t top, bottom;
          textured_rows(*t, top, bottom);
          textured_.add(piece, *t, bands, top, bottom);
          return true;
        });
    any[piece] = drawn;
  });
  if (std::find(any.begin(), any.end(), true) == any.end()) return;
  // Nothing changes the texture once the first triangle has been warped, so
  // it is made ready before any is.
  prepare_texture(options, correct);
  share_bands(helper_, [&](int b) {
    textured_.for_each_in(
        b, [&](const TexturedTriangle& t) { draw_textured_triangle(t, options, bands.band(b)); });
  });
}

// What comes before the first warp of a call. "Correct" cuts the texture
// itself, once for the whole run: then no triangle needs a cut of its own.
// The oldest way shows the texture on Picture2 before every warp; nothing
// changes it during a call, so showing it before the first is the same.
void B3D::prepare_texture(const TexturedOptions& options, int correct) {
  if (TextureCut == 0 && correct == 1) {
    const gdi::POINT half[3] = {{options.source_width, 0},
                                {options.source_width, options.source_height},
                                {0, options.source_height}};
    gdi::Polygon(c_.Picture5.hDC(), half, 3);
    // Picture5 is on the window: show the cut there at once rather than at
    // whatever next repaints it.
    c_.Picture5.Refresh();
    TextureCut = 1;
  }
  if (v_.texture_source == TextureSource::StagedInPicture2) {
    c_.Picture2.set_Picture(c_.Picture5.Image());
    c_.Picture2.Refresh();
  }
}

}  // namespace b3d

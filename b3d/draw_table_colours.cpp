// DrawFilled as the editions that colour from the table draw it: every
// triangle from row 0 in the colours of its cells, as a gradient between its
// corners or as a polygon in the colour of its first cell, back faces left
// out. A value that does not fit its integer loses its triangle.

#include <cstdint>
#include <cstdlib>
#include <optional>

#include "b3d/b3d.h"
#include "b3d/screen_mapping.h"
#include "b3d/shade_factor.h"
#include "platform/gdi/gradient.h"
#include "platform/gdi/polygon.h"

namespace b3d {

namespace {

// "Z sort" makes the renderer of one edition read every column this much
// higher, where nothing is ever written.
constexpr int kZSortColumnOffset = 27;

// A colour cell as a 16-bit channel. The colour set-up stores values up to
// just below 32768, which can round to 32768, one beyond the range: that
// saturates instead of losing the triangle.
std::optional<std::int16_t> colour_channel(float cell) {
  if (cell >= 32767.5f && cell <= 32768.5f) return 32767;
  return runtime::nearest_int16(cell);
}

Corner corner(const float* view, int k) { return {view[3 * k], view[3 * k + 1], view[3 * k + 2]}; }

}  // namespace

void B3D::draw_table_colours(toolkit::PictureBox& target) {
  // Nothing can run while the call does, so the options read once are the
  // options of every triangle.
  const bool culling = c_.Check5.Value() == 1;
  const int gradient = v_.gradient_choice ? c_.Check8.Value() : 1;
  const bool shading = v_.shade_rule != ShadeRule::None && c_.Check10.Value() == 1;
  const int offset = v_.z_sort_column_offset && c_.Check6.Value() == 1 ? kZSortColumnOffset : 0;
  using GradientEntryPoint = void (*)(gdi::HDC, const gdi::TRIVERTEX*, std::uint32_t,
                                      const void*, std::uint32_t, std::uint32_t);
  GradientEntryPoint gradient_fill = gdi::GdiGradientFill;
  if (v_.gradient_entry == GradientEntry::Msimg32) gradient_fill = gdi::GradientFill;

  const Table& table = *TriangleTable;
  if (kLastColumn + offset >= table.columns()) return;
  const ScreenMapping screen(target);
  const gdi::GRADIENT_TRIANGLE mesh[1] = {{0, 1, 2}};

  for (int i = 0; i <= table.upper_row(); ++i) {
    const float* view = table.row(i) + kViewX1 + offset;
    const float* colour = table.row(i) + kColour + offset;
    const std::optional<gdi::POINT> a = screen.map(view[0], view[1]);
    const std::optional<gdi::POINT> b = screen.map(view[3], view[4]);
    const std::optional<gdi::POINT> c = screen.map(view[6], view[7]);
    if (!a || !b || !c) continue;
    if (culling) {
      const std::optional<std::int32_t> e = back_face_value(*a, *b, *c);
      if (!e || *e < 0) continue;
    }
    const gdi::POINT point[3] = {*a, *b, *c};

    if (gradient == 1) {
      // Shading divides every channel by the factor, which is +1 or -1 by
      // the side the face turns to, and 1 when it is edge-on.
      std::int32_t k = 1;
      if (shading) {
        const auto factor = runtime::nearest_int32(
            ShadeFactor(corner(view, 0), corner(view, 1), corner(view, 2), v_.shade_rule));
        if (!factor) continue;
        if (*factor != 0) k = *factor;
      }
      gdi::TRIVERTEX vertex[3] = {};
      bool fits = true;
      for (int v = 0; v < 3 && fits; ++v) {
        vertex[v].x = point[v].x;
        vertex[v].y = point[v].y;
        gdi::COLOR16* channels[3] = {&vertex[v].Red, &vertex[v].Green, &vertex[v].Blue};
        for (int ch = 0; ch < 3 && fits; ++ch) {
          const auto value = colour_channel(colour[3 * v + ch] / static_cast<float>(k));
          // A negative channel is passed on as its 16 bits.
          if (value) *channels[ch] = static_cast<gdi::COLOR16>(*value);
          fits = value.has_value();
        }
      }
      if (!fits) continue;
      gradient_fill(target.hDC(), vertex, 3, mesh, 1, gdi::GRADIENT_FILL_TRIANGLE);
    }
    if (gradient == 0) {
      // Outline and fill in the magnitude of the first red channel.
      const std::optional<std::int16_t> red = colour_channel(colour[0]);
      if (!red) continue;
      const auto flat = static_cast<gdi::COLORREF>(std::abs(std::int32_t{*red}));
      target.set_FillColor(flat);
      target.set_ForeColor(flat);
      gdi::Polygon(target.hDC(), point, 3);
    }
  }
}

}  // namespace b3d

// DrawWire: the outline of every triangle in its own pen colour.

#include <cmath>
#include <optional>

#include "b3d/b3d.h"
#include "b3d/screen_mapping.h"
#include "platform/gdi/lines.h"

namespace b3d {

void B3D::DrawWire(toolkit::PictureBox& target) {
  target.ScaleMode = toolkit::kScalePixels;
  target.AutoRedraw = true;
  target.set_FillStyle(gdi::FILL_SOLID);
  if (!TriangleTable) return;

  const ScreenMapping screen(target);
  const Table& table = *TriangleTable;
  // Row 0 is drawn like every other row.
  for (int i = 0; i <= table.upper_row(); ++i) {
    const float* row = table.row(i);
    // A value that does not fit 32 bits (a corner sent to infinity by the
    // perspective, say) loses that triangle only, never the frame.
    const std::optional<std::int32_t> colour = runtime::nearest_int32(std::fabs(row[kColour]));
    if (!colour) continue;
    // The pen is set before the back-face test, so a skipped triangle still
    // leaves its colour on the target.
    target.set_ForeColor(static_cast<gdi::COLORREF>(*colour));

    const std::optional<gdi::POINT> a = screen.map(row[kViewX1], row[kViewY1]);
    const std::optional<gdi::POINT> b = screen.map(row[kViewX2], row[kViewY2]);
    const std::optional<gdi::POINT> c = screen.map(row[kViewX3], row[kViewY3]);
    if (!a || !b || !c) continue;
    gdi::POINT points[4] = {*a, *b, *c, *a};

    if (c_.Check5.Value() == 1) {  // Culling
      const std::optional<std::int32_t> e = back_face_value(*a, *b, *c);
      if (!e || *e < 0) continue;
    }
    // "Fast lines" draws the same closed outline in one call instead of
    // four; a greyed box draws neither way. Without the choice every outline
    // is one polyline.
    if (!v_.fast_lines_choice) {
      gdi::Polyline(target.hDC(), points, 4);
      continue;
    }
    if (c_.Check9.Value() == 1) gdi::Polyline(target.hDC(), points, 4);
    if (c_.Check9.Value() == 0) {
      gdi::MoveToEx(target.hDC(), points[0].x, points[0].y, &points[3]);
      gdi::LineTo(target.hDC(), points[1].x, points[1].y);
      gdi::LineTo(target.hDC(), points[2].x, points[2].y);
      gdi::LineTo(target.hDC(), points[0].x, points[0].y);
    }
  }
}

}  // namespace b3d

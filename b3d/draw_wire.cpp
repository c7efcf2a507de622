// DrawWire: the outline of every triangle in its own pen colour.

#include <algorithm>
#include <array>
#include <cmath>
#include <new>
#include <optional>
#include <vector>

#include "b3d/b3d.h"
#include "b3d/screen_mapping.h"
#include "b3d/two_threads.h"
#include "b3d/wire_triangle.h"
#include "platform/gdi/lines.h"

namespace b3d {

WireTriangle wire_triangle(const float* row, const ScreenMapping& screen, bool culling,
                           bool drawing) {
  WireTriangle t;
  // A value that does not fit 32 bits (a corner sent to infinity by the
  // perspective, say) loses that triangle only, never the frame.
  const std::optional<std::int32_t> colour = runtime::nearest_int32(std::fabs(row[kColour]));
  if (!colour) return t;
  // The pen is set before the back-face test, so a skipped triangle still
  // leaves its colour on the target.
  t.pen = static_cast<gdi::COLORREF>(*colour);

  if (!screen.corners(row, t.corner)) return t;
  // Whether a triangle faces away goes either way at random along the
  // table, so it is worked into the flag rather than branched on.
  bool facing = true;
  if (culling) {
    const std::optional<std::int32_t> e = back_face_value(t.corner[0], t.corner[1], t.corner[2]);
    facing = e.value_or(-1) >= 0;  // a value that does not fit draws nothing
  }
  t.drawn = drawing && facing;
  return t;
}

void draw_wire_triangle(gdi::HDC target, const WireTriangle& t, const gdi::Band& band) {
  const gdi::POINT outline[4] = {t.corner[0], t.corner[1], t.corner[2], t.corner[0]};
  gdi::Polyline(target, outline, 4, *t.pen, band);
}

void B3D::DrawWire(toolkit::PictureBox& target) {
  target.ScaleMode = toolkit::kScalePixels;
  target.AutoRedraw = true;
  target.set_FillStyle(gdi::FILL_SOLID);
  if (!TriangleTable) return;

  const ScreenMapping screen(target);
  const bool culling = c_.Check5.Value() == 1;
  // "Fast lines" draws the closed outline in one polyline instead of four
  // line calls, which draw the same pixels and leave the current position at
  // the first corner; a greyed box draws neither way. Without the choice
  // every outline is one polyline.
  const int fast_lines = v_.fast_lines_choice ? c_.Check9.Value() : 1;
  const bool line_calls = fast_lines == 0;
  const bool drawing = fast_lines == 0 || fast_lines == 1;
  gdi::HDC dc = target.hDC();
  if (two_threads()) {
    draw_wire_in_two(dc, screen, culling, drawing, line_calls);
    return;
  }
  // Row 0 is drawn like every other row.
  const Table& table = *TriangleTable;
  for (int i = 0; i <= table.upper_row(); ++i) {
    const WireTriangle t = wire_triangle(table.row(i), screen, culling, drawing);
    if (t.pen) dc->pen_colour = *t.pen;
    if (!t.drawn) continue;
    draw_wire_triangle(dc, t, gdi::kAllRows);
    if (line_calls) dc->current_position = t.corner[0];
  }
}

// The same picture, pen and current position from outlines prepared and
// drawn by two threads.
void B3D::draw_wire_in_two(gdi::HDC dc, const ScreenMapping& screen, bool culling, bool drawing,
                           bool line_calls) {
  const Table& table = *TriangleTable;
  const Bands bands(dc->height());
  std::array<std::optional<gdi::COLORREF>, kPieces> last_pen;
  std::array<std::optional<gdi::POINT>, kPieces> last_position;
  share_rows(helper_, 0, table.upper_row() + 1, [&](int piece, int begin, int end) {
    wired_.clear(piece);
    // The outlines to draw, packed: each is written after the last one kept
    // and kept by counting it, so no branch asks which way it faces. They
    // are filed afterwards, long after the stores that made them.
    std::vector<WireTriangle>& drawn = outlines_[piece];
    drawn.resize(static_cast<std::size_t>(end - begin));
    std::size_t count = 0;
    std::optional<gdi::COLORREF> pen;  // kept here: the other thread writes next door
    for (int i = begin; i < end; ++i) {
      // Made in its place, not copied there: the copy's wide loads would
      // wait for the narrow stores that made the outline.
      const WireTriangle& t =
          *new (&drawn[count]) WireTriangle(wire_triangle(table.row(i), screen, culling, drawing));
      if (t.pen) pen = t.pen;
      count += t.drawn;
    }
    for (std::size_t k = 0; k < count; ++k) {
      const WireTriangle& t = drawn[k];
      const auto [top, bottom] = std::minmax({t.corner[0].y, t.corner[1].y, t.corner[2].y});
      wired_.add(piece, t, bands, top, bottom);
    }
    last_pen[piece] = pen;
    if (count > 0) last_position[piece] = drawn[count - 1].corner[0];
  });
  share_bands(helper_, [&](int b) {
    wired_.for_each_in(b, [&](const WireTriangle& t) { draw_wire_triangle(dc, t, bands.band(b)); });
  });
  for (int piece = 0; piece < kPieces; ++piece) {
    if (last_pen[piece]) dc->pen_colour = *last_pen[piece];
    if (line_calls && last_position[piece]) dc->current_position = *last_position[piece];
  }
}

}  // namespace b3d

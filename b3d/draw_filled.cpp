// DrawFilled: every triangle from row 1 as one flat grey, through a polygon
// or a gradient triangle, back faces left out, brighter the more the face
// turns towards the light at the side.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "b3d/b3d.h"
#include "b3d/screen_mapping.h"
#include "b3d/shade_factor.h"
#include "b3d/shaded_triangle.h"
#include "b3d/two_threads.h"
#include "platform/gdi/gradient.h"
#include "platform/gdi/polygon.h"
#include "platform/runtime/number.h"
#include "platform/runtime/single.h"

namespace b3d {

namespace {

Corner corner(const float* row, int k) {
  return {row[kViewX1 + 3 * k], row[kViewY1 + 3 * k], row[kViewZ1 + 3 * k]};
}

}  // namespace

void B3D::DrawFilled(toolkit::PictureBox& target) {
  target.ScaleMode = toolkit::kScalePixels;
  target.AutoRedraw = true;
  if (!TriangleTable) return;
  if (v_.fill_colours == FillColours::Table) {
    draw_table_colours(target);
  } else {
    draw_shaded(target);
  }
}

void B3D::draw_shaded(toolkit::PictureBox& target) {
  // Nothing can run while the call does, so the options read once are the
  // options of every triangle.
  ShadedOptions options;
  options.culling = c_.Check5.Value() == 1;
  options.shading = c_.Check10.Value() == 1;
  options.gradient = c_.Check8.Value();
  options.filled_polygons = target.FillStyle() == gdi::FILL_SOLID;
  options.variants = &v_;
  // Two threads can share the work unless a triangle leans on the values of
  // those before it, as the loop below lets it.
  if (two_threads() && draw_shaded_in_two(target, options)) return;

  const bool culling = options.culling;
  const bool shading = options.shading;
  const int gradient = options.gradient;

  const ScreenMapping screen(target);
  const Table& table = *TriangleTable;
  // Each step stands alone: one whose value does not fit its integer is left
  // out, and what it would have set keeps what the previous triangle left
  // there, or the zero the call began with.
  gdi::TRIVERTEX vertex[5] = {};
  gdi::GRADIENT_TRIANGLE mesh[2] = {};
  gdi::POINT point[3] = {};
  std::int32_t e = 0;
  float shade = 0;  // carried from triangle to triangle
  std::int32_t level = 0;
  std::int32_t grey = 0;
  bool any_drawn = false;

  for (int i = 1; i <= table.upper_row(); ++i) {
    const float* row = table.row(i);
    for (int k = 0; k < 3; ++k) {
      if (const auto x = screen.column(row[kViewX1 + 3 * k])) vertex[k].x = *x;
      if (const auto y = screen.row(row[kViewY1 + 3 * k])) vertex[k].y = *y;
      point[k] = {vertex[k].x, vertex[k].y};
    }
    if (culling) {
      if (const auto value = back_face_value(point[0], point[1], point[2])) e = *value;
      if (e < 0) continue;
    }

    if (shading) {
      shade = ShadeFactor(corner(row, 0), corner(row, 1), corner(row, 2), v_.shade_rule) *
              v_.shade_scale;
    }
    if (v_.shade_level) {
      // The level is the shade in tenths, rounded, then cut to whole units,
      // so 254.95 is 255. Shade goes on as a hundred times the level.
      if (const auto tenths = runtime::nearest_int32(shade * 10)) level = *tenths / 10;
      shade = runtime::to_single(static_cast<double>(level) * 100);
      any_drawn = true;
    }

    if (gradient == 1) {
      // One channel value for all three corners: the triangle comes out flat,
      // in the channel's high byte.
      if (const auto channel = runtime::nearest_int16(shade)) {
        for (int k = 0; k < 3; ++k) {
          vertex[k].Red = vertex[k].Green = vertex[k].Blue = static_cast<gdi::COLOR16>(*channel);
        }
      }
      mesh[0] = {0, 1, 2};
      gdi::GdiGradientFill(target.hDC(), vertex, v_.gradient_vertex_count, mesh, 1,
                           gdi::GRADIENT_FILL_TRIANGLE);
    }
    if (gradient == 0) {
      shade = shade / 120;
      if (const auto g = runtime::nearest_int32(shade)) grey = *g;
      // Only a grey of 0 to 255 is a colour; otherwise the fill stays.
      if (grey >= 0 && grey <= 255) target.set_FillColor(gdi::RGB(grey, grey, grey));
      target.set_ForeColor(target.FillColor());
      gdi::Polygon(target.hDC(), point, 3);
    }
  }
  // Text7 shows the level of the last triangle drawn. Nothing can read it
  // while the call runs, so it is written once, at the end.
  if (any_drawn) c_.Text7.set_Text(runtime::number_to_text(level));
}

// The same picture and the same Text7, FillColor and ForeColor as the loop
// above, from triangles prepared and drawn by two threads. False, having
// changed nothing, when a triangle needs the values of those before it.
bool B3D::draw_shaded_in_two(toolkit::PictureBox& target, const ShadedOptions& options) {
  const ScreenMapping screen(target);
  const Table& table = *TriangleTable;
  gdi::HDC dc = target.hDC();
  const Bands bands(dc->height());
  std::array<bool, kPieces> self_contained;
  std::array<std::optional<ShadedTriangle>, kPieces> last_shown;  // the last not culled
  share_rows(helper_, 1, table.upper_row() + 1, [&](int piece, int begin, int end) {
    shaded_.clear(piece);
    // Kept here and written out once: the other thread writes next door.
    std::optional<ShadedTriangle> last;
    bool whole = true;
    prepare_ahead<ShadedTriangle>(
        begin, end, [&](int i) { return shaded_triangle(table.row(i), screen, options); },
        [&](const ShadedTriangle& t) {
          whole = t.kind != ShadedTriangle::Kind::Dependent;
          if (t.kind == ShadedTriangle::Kind::Culled || !whole) return whole;
          last = t;
          if (t.kind == ShadedTriangle::Kind::Undrawn) return true;
          const auto [top, bottom] = std::minmax({t.corner[0].y, t.corner[1].y, t.corner[2].y});
          shaded_.add(piece, t, bands, top, bottom);
          return true;
        });
    self_contained[piece] = whole;
    last_shown[piece] = last;
  });
  if (std::find(self_contained.begin(), self_contained.end(), false) != self_contained.end()) {
    return false;
  }

  share_bands(helper_, [&](int b) {
    shaded_.for_each_in(b, [&](const ShadedTriangle& t) {
      draw_shaded_triangle(dc, t, options, bands.band(b));
    });
  });

  for (int piece = kPieces - 1; piece >= 0; --piece) {
    const std::optional<ShadedTriangle>& last = last_shown[piece];
    if (!last) continue;
    if (v_.shade_level) c_.Text7.set_Text(runtime::number_to_text(last->level));
    if (options.gradient == 0) {
      target.set_FillColor(gdi::RGB(last->grey, last->grey, last->grey));
      target.set_ForeColor(target.FillColor());
    }
    break;
  }
  return true;
}

}  // namespace b3d

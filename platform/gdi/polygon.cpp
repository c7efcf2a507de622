#include "platform/gdi/polygon.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/gdi/line_raster.h"
#include "platform/gdi/scan.h"
#include "platform/gdi/system_gdi.h"

namespace gdi {

PolygonStyle polygon_style(const Surface& dc) {
  return {dc.brush_colour, dc.pen_colour, dc.fill_style == FILL_SOLID};
}

void Polygon(HDC dc, const POINT* points, int count) {
  if (dc == nullptr) return;
  Polygon(dc, points, count, polygon_style(*dc), kAllRows);
}

void FillTriangle(HDC dc, const POINT* corners, COLORREF colour, const Band& band) {
  if (dc == nullptr || corners == nullptr) return;
  if (system_drawing()) {
    // gdi32 has no such call: the renderers' flat gradient triangle is what
    // it stands for, a gradient of one colour at every corner.
    const auto channel = [](unsigned byte) { return static_cast<COLOR16>(byte << 8); };
    TRIVERTEX v[3];
    for (int k = 0; k < 3; ++k) {
      v[k] = {corners[k].x, corners[k].y, channel(GetRValue(colour)), channel(GetGValue(colour)),
              channel(GetBValue(colour)), 0};
    }
    const GRADIENT_TRIANGLE mesh{0, 1, 2};
    return system::GdiGradientFill(*dc, v, 3, &mesh, 1, GRADIENT_FILL_TRIANGLE, band);
  }
  Surface& s = *dc;
  const detail::Point64 pts[3] = {
      {corners[0].x, corners[0].y}, {corners[1].x, corners[1].y}, {corners[2].x, corners[2].y}};
  detail::scan_polygon(pts, 3, detail::clip_of(s, band), [&](int y, int xb, int xe) {
    std::uint32_t* row = s.row(y);
    std::fill(row + xb, row + xe, colour);
  });
}

void Polygon(HDC dc, const POINT* points, int count, const PolygonStyle& style,
             const Band& band) {
  if (dc == nullptr || points == nullptr || count < 2) return;
  if (system_drawing()) {
    return system::Polygon(*dc, points, count, style.brush, style.pen, style.filled, band);
  }
  Surface& s = *dc;
  const detail::ClipRect clip = detail::clip_of(s, band);

  // Two points enclose nothing: only the outline there and back is drawn.
  if (count >= 3 && style.filled) {
    constexpr int kLocal = 8;
    detail::Point64 local[kLocal];
    std::vector<detail::Point64> heap;
    detail::Point64* pts = local;
    if (count > kLocal) {
      heap.resize(count);
      pts = heap.data();
    }
    for (int k = 0; k < count; ++k) pts[k] = {points[k].x, points[k].y};
    detail::scan_polygon(pts, count, clip, [&](int y, int xb, int xe) {
      std::uint32_t* row = s.row(y);
      std::fill(row + xb, row + xe, style.brush);
    });
  }

  // The outline goes over the interior, closed back to the first point; each
  // segment leaves out its end, so every corner is drawn once.
  for (int k = 0; k < count; ++k) {
    const POINT& a = points[k];
    const POINT& b = points[k + 1 == count ? 0 : k + 1];
    detail::draw_line(s, a.x, a.y, b.x, b.y, style.pen, clip);
  }
}

}  // namespace gdi

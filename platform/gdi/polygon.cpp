#include "platform/gdi/polygon.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/gdi/line_raster.h"
#include "platform/gdi/scan.h"

namespace gdi {

void Polygon(HDC dc, const POINT* points, int count) {
  if (dc == nullptr || points == nullptr || count < 2) return;
  Surface& s = *dc;

  // Two points enclose nothing: only the outline there and back is drawn.
  if (count >= 3 && s.fill_style == FILL_SOLID) {
    constexpr int kLocal = 8;
    detail::Point64 local[kLocal];
    std::vector<detail::Point64> heap;
    detail::Point64* pts = local;
    if (count > kLocal) {
      heap.resize(count);
      pts = heap.data();
    }
    for (int k = 0; k < count; ++k) pts[k] = {points[k].x, points[k].y};
    const COLORREF brush = s.brush_colour;
    detail::scan_polygon(pts, count, detail::whole_surface(s), [&](int y, int xb, int xe) {
      std::uint32_t* row = s.row(y);
      std::fill(row + xb, row + xe, brush);
    });
  }

  // The outline goes over the interior, closed back to the first point; each
  // segment leaves out its end, so every corner is drawn once.
  for (int k = 0; k < count; ++k) {
    const POINT& a = points[k];
    const POINT& b = points[k + 1 == count ? 0 : k + 1];
    detail::draw_line(s, a.x, a.y, b.x, b.y, s.pen_colour);
  }
}

}  // namespace gdi

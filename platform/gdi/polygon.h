#pragma once
// Filled polygons: the interior in the brush colour when the fill style is
// solid, then the outline in the pen colour as closed lines.

#include "platform/gdi/band.h"
#include "platform/gdi/surface.h"

namespace gdi {

void Polygon(HDC dc, const POINT* points, int count);

// What Polygon draws with: the device context's brush, pen and fill style at
// the time of a call, kept so that the polygon can be drawn later, one band
// at a time, while the context has moved on.
struct PolygonStyle {
  COLORREF brush = 0;
  COLORREF pen = 0;
  bool filled = false;
};
PolygonStyle polygon_style(const Surface& dc);

// Polygon drawn in the given style, within a band of rows.
void Polygon(HDC dc, const POINT* points, int count, const PolygonStyle& style,
             const Band& band);

// The interior of the triangle with these three corners, in one colour,
// within a band of rows: the pixels of a polygon's interior, which are also
// those of a gradient triangle, with nothing else drawn. Renderers that fill
// many small triangles in flat colours call it directly.
void FillTriangle(HDC dc, const POINT* corners, COLORREF colour, const Band& band);

}  // namespace gdi

#pragma once
// Filled polygons: the interior in the brush colour when the fill style is
// solid, then the outline in the pen colour as closed lines.

#include "platform/gdi/surface.h"

namespace gdi {

void Polygon(HDC dc, const POINT* points, int count);

}  // namespace gdi

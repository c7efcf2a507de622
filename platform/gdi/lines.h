#pragma once
// Lines in the pen colour, one pixel wide. Each segment draws its start pixel
// and leaves out its end pixel, so a closed outline touches every corner once.

#include "platform/gdi/band.h"
#include "platform/gdi/surface.h"

namespace gdi {

// Lines joining consecutive points: count - 1 segments.
void Polyline(HDC dc, const POINT* points, int count);
// The same in the given pen, within a band of rows.
void Polyline(HDC dc, const POINT* points, int count, COLORREF pen, const Band& band);
// Moves the current position to (x, y); the old one goes to *previous if given.
void MoveToEx(HDC dc, int x, int y, POINT* previous);
// A line from the current position to (x, y), which becomes the current position.
void LineTo(HDC dc, int x, int y);

}  // namespace gdi

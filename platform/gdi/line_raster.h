#pragma once
// The one-pixel line shared by Polyline, LineTo and polygon outlines.

#include "platform/gdi/scan.h"
#include "platform/gdi/surface.h"

namespace gdi::detail {

// Draws (x0, y0) and leaves out (x1, y1), only the pixels inside clip (which
// lies within the surface); a zero-length line draws nothing.
void draw_line(Surface& s, int x0, int y0, int x1, int y1, COLORREF colour,
               const ClipRect& clip);

// The same for a line whose ends both lie in the surface and in the clip.
void draw_line_inside(Surface& s, int x0, int y0, int x1, int y1, COLORREF colour);

// The closed outline of three corners that all lie in the surface and in
// the clip, as draw_line_inside draws each side, the short ones quicker.
void draw_triangle_inside(Surface& s, const POINT* corners, COLORREF colour);

}  // namespace gdi::detail

#pragma once
// One outline of the wire renderer worked out from its own row, so that the
// outlines of a table can be prepared apart, half on each of two threads, and
// drawn afterwards band by band. No outline depends on another; the pen of
// each row is set even when its outline is left out.

#include <optional>

#include "b3d/screen_mapping.h"
#include "platform/gdi/band.h"
#include "platform/gdi/surface.h"

namespace b3d {

struct WireTriangle {
  std::optional<gdi::COLORREF> pen;  // nothing when the row's colour does not fit
  bool drawn = false;                // the outline is drawn, in the pen
  gdi::POINT corner[3] = {};        // the pixels of the corners, when all three fit
};

// drawing: whether an outline that is neither culled nor unmappable is drawn
// at all ("Fast lines" greyed draws none).
WireTriangle wire_triangle(const float* row, const ScreenMapping& screen, bool culling,
                           bool drawing);

// The closed outline within a band of the target. Every pixel lies within
// the rows of the corners.
void draw_wire_triangle(gdi::HDC target, const WireTriangle& t, const gdi::Band& band);

}  // namespace b3d

#pragma once
// The parallelogram warp: the source rectangle mapped affinely onto the
// parallelogram whose upper-left, upper-right and lower-left corners are
// points[0], points[1] and points[2]. Each destination pixel inside it takes
// the texel its centre falls in; a parallelogram whose sides run along the
// axes, upright or mirrored, is stretched as gdi32 stretches a rectangle.

#include "platform/gdi/band.h"
#include "platform/gdi/surface.h"

namespace gdi {

// mask must be null (no mask); x_mask and y_mask are ignored.
void PlgBlt(HDC dst, const POINT* points, HDC src, int x_src, int y_src, int width,
            int height, const void* mask, int x_mask, int y_mask);
// The same without a mask, within a band of the destination's rows.
void PlgBlt(HDC dst, const POINT* points, HDC src, int x_src, int y_src, int width,
            int height, const Band& band);

}  // namespace gdi

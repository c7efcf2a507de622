#pragma once
// A rectangle copied 1:1 between surfaces, leaving out source pixels of the
// transparent colour.

#include "platform/gdi/band.h"
#include "platform/gdi/surface.h"

namespace gdi {

void GdiTransparentBlt(HDC dst, int x_dst, int y_dst, int width_dst, int height_dst, HDC src,
                       int x_src, int y_src, int width_src, int height_src,
                       COLORREF transparent);
// The same within a band of the destination's rows. Another band may be
// drawing meanwhile only where neither reads what the other writes.
void GdiTransparentBlt(HDC dst, int x_dst, int y_dst, int width_dst, int height_dst, HDC src,
                       int x_src, int y_src, int width_src, int height_src,
                       COLORREF transparent, const Band& band);

}  // namespace gdi

// Platforms without gdi32: our rasteriser is the only drawing, so the calls
// handed to the system are never made.
#include "platform/gdi/system_gdi.h"

namespace gdi {

namespace detail {
std::atomic<bool> system_drawing_on{false};
}  // namespace detail

bool set_system_drawing(bool) { return false; }

namespace system {
void Polyline(Surface&, const POINT*, int, COLORREF, const Band&) {}
void Polygon(Surface&, const POINT*, int, COLORREF, COLORREF, bool, const Band&) {}
void GdiGradientFill(Surface&, const TRIVERTEX*, std::uint32_t, const void*, std::uint32_t,
                     std::uint32_t, const Band&) {}
void PlgBlt(Surface&, const POINT*, const Surface&, int, int, int, int, const Band&) {}
void GdiTransparentBlt(Surface&, int, int, int, int, const Surface&, int, int, int, int, COLORREF,
                       const Band&) {}
void Cls(Surface&) {}
}  // namespace system

}  // namespace gdi

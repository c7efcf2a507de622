#pragma once
// The platform's own drawing in place of our rasteriser. On Windows,
// KELVO_GDI=system at start-up sends every drawing call to gdi32, on a
// device-independent bitmap that holds the surface's pixels; our rasteriser
// draws everywhere else, and by default on Windows too. Each drawing entry
// asks system_drawing() first and hands the call over when it is on, so
// nothing above this folder knows which of the two draws.

#include <atomic>
#include <cstdint>

#include "platform/gdi/band.h"
#include "platform/gdi/surface.h"

namespace gdi {

namespace detail {
// Set once from the environment before main; tests switch it.
extern std::atomic<bool> system_drawing_on;
}  // namespace detail

// Whether gdi32 draws. A plain load: it is asked once a drawing call.
inline bool system_drawing() {
  return detail::system_drawing_on.load(std::memory_order_relaxed);
}

// Switches gdi32's drawing on or off; false, leaving it off, where the
// platform has none.
bool set_system_drawing(bool on);

// The same calls drawn by gdi32, within a band of the destination's rows.
// One thread draws at a time; bands drawn apart give the whole picture.
namespace system {
void Polyline(Surface& dc, const POINT* points, int count, COLORREF pen, const Band& band);
void Polygon(Surface& dc, const POINT* points, int count, COLORREF brush, COLORREF pen,
             bool filled, const Band& band);
void GdiGradientFill(Surface& dc, const TRIVERTEX* vertices, std::uint32_t vertex_count,
                     const void* mesh, std::uint32_t mesh_count, std::uint32_t mode,
                     const Band& band);
void PlgBlt(Surface& dst, const POINT* points, const Surface& src, int x_src, int y_src,
            int width, int height, const Band& band);
void GdiTransparentBlt(Surface& dst, int x_dst, int y_dst, int width_dst, int height_dst,
                       const Surface& src, int x_src, int y_src, int width_src, int height_src,
                       COLORREF transparent, const Band& band);
void Cls(Surface& dc);
}  // namespace system

}  // namespace gdi

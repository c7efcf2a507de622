#pragma once
// Gradient-filled triangles: the polygon coverage, with each 16-bit colour
// channel interpolated linearly between the corners; the high byte of the
// channel is the 8-bit intensity. Only GRADIENT_FILL_TRIANGLE draws.

#include <cstdint>

#include "platform/gdi/band.h"
#include "platform/gdi/surface.h"

namespace gdi {

// gdi32's entry.
void GdiGradientFill(HDC dc, const TRIVERTEX* vertices, std::uint32_t vertex_count,
                     const void* mesh, std::uint32_t mesh_count, std::uint32_t mode);
// The same within a band of rows.
void GdiGradientFill(HDC dc, const TRIVERTEX* vertices, std::uint32_t vertex_count,
                     const void* mesh, std::uint32_t mesh_count, std::uint32_t mode,
                     const Band& band);
// msimg32's entry: the same arguments and the same triangles.
void GradientFill(HDC dc, const TRIVERTEX* vertices, std::uint32_t vertex_count,
                  const void* mesh, std::uint32_t mesh_count, std::uint32_t mode);

}  // namespace gdi

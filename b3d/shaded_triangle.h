#pragma once
// One triangle of the grey filled renderer worked out from its own row, so
// that the triangles of a table can be prepared apart, half on each of two
// threads, and drawn afterwards band by band.
//
// The renderer drawing row after row keeps a value from the triangle before
// whenever one of its own does not fit (a corner at infinity, a shade that is
// not a number). Such a triangle depends on its predecessors and is marked
// so; a table with one is drawn row after row instead.

#include <cstdint>

#include "b3d/screen_mapping.h"
#include "b3d/variants.h"
#include "platform/gdi/band.h"
#include "platform/gdi/surface.h"

namespace b3d {

// The settings of one call, read once: nothing changes them while it runs.
struct ShadedOptions {
  bool culling = false;
  bool shading = false;
  int gradient = 0;  // 1 gradient triangles, 0 polygons, anything else neither
  bool filled_polygons = false;  // the target's fill style is solid
  const Variants* variants = nullptr;
};

struct ShadedTriangle {
  enum class Kind : std::uint8_t {
    Culled,     // a back face: nothing drawn, nothing shown
    Gradient,   // a gradient triangle, one channel value at every corner
    Polygon,    // a polygon, brush and pen the grey
    Undrawn,    // shaded, but "Gradient" chooses neither way
    Dependent,  // needs the values of the triangles before
  };
  Kind kind = Kind::Culled;
  gdi::POINT corner[3] = {};
  std::int16_t channel = 0;
  std::int32_t grey = 0;
  std::int32_t level = 0;  // the shade level shown in Text7
};

ShadedTriangle shaded_triangle(const float* row, const ScreenMapping& screen,
                               const ShadedOptions& options);

// Draws a Gradient or Polygon triangle within a band of the target. Every
// pixel it draws lies within the rows of its corners.
void draw_shaded_triangle(gdi::HDC target, const ShadedTriangle& t, const ShadedOptions& options,
                          const gdi::Band& band);

}  // namespace b3d

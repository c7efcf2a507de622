#pragma once
// One triangle of the textured renderer worked out from its own row: where
// the texture is warped to, the half beyond the triangle that is painted
// transparent, and the rectangle copied to the target. No triangle depends on
// another, so the triangles of a table can be prepared apart, half on each of
// two threads, and drawn afterwards band by band.

#include <cstdint>
#include <optional>

#include "b3d/screen_mapping.h"
#include "platform/gdi/band.h"
#include "platform/gdi/polygon.h"
#include "platform/gdi/surface.h"

namespace b3d {

// The settings and surfaces of one call, read once: nothing changes them
// while it runs.
struct TexturedOptions {
  bool culling = false;
  bool cut_each = false;  // every triangle cuts its own far half
  float width = 0;        // the target's drawing area
  float height = 0;
  gdi::HDC source = nullptr;  // the texture, warped whole
  std::int32_t source_width = 0;
  std::int32_t source_height = 0;
  gdi::HDC work = nullptr;
  gdi::PolygonStyle work_style;  // what the far half is painted with
  gdi::HDC target = nullptr;
};

struct TexturedTriangle {
  struct Copy {
    std::int32_t x, y, width, height;
  };
  gdi::POINT placement[3] = {};  // the texture's upper-left, upper-right, lower-left
  std::optional<gdi::POINT> far_corner;  // set when the far half is cut
  std::optional<Copy> copy;  // nothing when a value does not fit, or a cut could not be made
};

// Nothing for a triangle left out: a corner that does not fit, or a back face.
std::optional<TexturedTriangle> textured_triangle(const float* row, const ScreenMapping& screen,
                                                  const TexturedOptions& options);

// The first and last rows the triangle's drawing can touch on any surface.
void textured_rows(const TexturedTriangle& t, std::int64_t& top, std::int64_t& bottom);

// The warp, the cut and the copy, within a band of the work surface's and the
// target's rows.
void draw_textured_triangle(const TexturedTriangle& t, const TexturedOptions& options,
                            const gdi::Band& band);

}  // namespace b3d

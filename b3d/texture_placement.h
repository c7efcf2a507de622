#pragma once
// How the texture lies on a screen triangle S1, S2, S3. Its upper-left,
// upper-right and lower-left corners go to S2, S3 and S1, so its upper-left
// half covers the triangle exactly: the top edge runs from vertex 2 to
// vertex 3, the left edge from vertex 2 to vertex 1. The lower-right half
// lands beyond the edge S1-S3, on the triangle S1, S3, F, and is cut away.

#include <algorithm>
#include <cstdint>
#include <optional>

#include "platform/gdi/gdi_types.h"

namespace b3d {

// The transparent colour of the textured renderer: pure blue. The work
// surface is cleared to it and every cut is painted in it.
inline constexpr gdi::COLORREF KeyColour = 0x00FF0000;

// A rectangle in single precision, exact for coordinates below 2^24.
struct Bounds {
  float MinX = 0;
  float MinY = 0;
  float MaxX = 0;
  float MaxY = 0;
};

// The smallest and largest x and y of three points. The renderer passes the
// placement points (S2, S3, S1): the triangle only, never the far corner.
// Here, not out of line, as every textured triangle of a frame takes it.
inline Bounds TriangleBounds(const gdi::POINT& A, const gdi::POINT& B, const gdi::POINT& C) {
  // Rounding to single precision keeps the order of values, so choosing in
  // integers and rounding the choice gives what comparing the rounded values
  // would.
  const auto single = [](std::int32_t v) { return static_cast<float>(v); };
  return {.MinX = single(std::min({A.x, B.x, C.x})),
          .MinY = single(std::min({A.y, B.y, C.y})),
          .MaxX = single(std::max({A.x, B.x, C.x})),
          .MaxY = single(std::max({A.y, B.y, C.y}))};
}

// F = S1 + S3 - S2, the image of the texture's lower-right corner, in 32-bit
// steps; nothing when a step leaves that range.
std::optional<gdi::POINT> far_corner(const gdi::POINT& s1, const gdi::POINT& s2,
                                     const gdi::POINT& s3);

}  // namespace b3d

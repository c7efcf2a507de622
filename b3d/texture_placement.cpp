#include "b3d/texture_placement.h"

#include <algorithm>
#include <cstdint>

namespace b3d {

Bounds TriangleBounds(const gdi::POINT& A, const gdi::POINT& B, const gdi::POINT& C) {
  // Rounding to single precision keeps the order of values, so choosing in
  // integers and rounding the choice gives what comparing the rounded values
  // would.
  const auto single = [](std::int32_t v) { return static_cast<float>(v); };
  return {.MinX = single(std::min({A.x, B.x, C.x})),
          .MinY = single(std::min({A.y, B.y, C.y})),
          .MaxX = single(std::max({A.x, B.x, C.x})),
          .MaxY = single(std::max({A.y, B.y, C.y}))};
}

std::optional<gdi::POINT> far_corner(const gdi::POINT& s1, const gdi::POINT& s2,
                                     const gdi::POINT& s3) {
  gdi::POINT f;
  if (__builtin_add_overflow(s1.x, s3.x, &f.x) || __builtin_sub_overflow(f.x, s2.x, &f.x) ||
      __builtin_add_overflow(s1.y, s3.y, &f.y) || __builtin_sub_overflow(f.y, s2.y, &f.y)) {
    return std::nullopt;
  }
  return f;
}

}  // namespace b3d

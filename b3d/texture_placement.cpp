#include "b3d/texture_placement.h"

namespace b3d {

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

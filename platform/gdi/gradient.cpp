#include "platform/gdi/gradient.h"

#include <algorithm>
#include <cstdint>

#include "platform/gdi/int_math.h"
#include "platform/gdi/scan.h"
#include "platform/gdi/system_gdi.h"

namespace gdi {
namespace {

using detail::ClipRect;
using detail::floor_div;
using detail::i128;
using detail::Point64;

// Per covered pixel centre p the corners weigh w_i(p) = cross(e_i, p - o_i),
// where edge e_i runs between the two other corners and o_i is its start; the
// signs are flipped for clockwise triangles so that the weights are >= 0
// inside and sum to A = |2 * area|. A 16-bit channel is
// floor(sum(w_i * c_i) / A), and the 8-bit intensity its high byte.
//
// T is int64 when every coordinate is within 2^20 (weights within 2^43,
// numerators within 2^61) and 128-bit otherwise.
template <class T>
class GradientSpans {
 public:
  GradientSpans(Surface& s, const TRIVERTEX* const v[3], bool clockwise) : s_(s) {
    for (int i = 0; i < 3; ++i) {
      const TRIVERTEX& o = *v[(i + 1) % 3];
      const TRIVERTEX& e = *v[(i + 2) % 3];
      ox_[i] = o.x;
      oy_[i] = o.y;
      ex_[i] = T{e.x} - o.x;
      ey_[i] = T{e.y} - o.y;
      if (clockwise) {
        ex_[i] = -ex_[i];
        ey_[i] = -ey_[i];
      }
      colour_[i][0] = v[i]->Red;
      colour_[i][1] = v[i]->Green;
      colour_[i][2] = v[i]->Blue;
    }
    // Each weight equals A at its own corner.
    area_ = ex_[0] * (T{v[0]->y} - oy_[0]) - ey_[0] * (T{v[0]->x} - ox_[0]);
    // One step right changes w_i by -ey_i; the channel numerators change by a
    // constant split into a quotient and a remainder in [0, A).
    for (int c = 0; c < 3; ++c) {
      T dn = 0;
      for (int i = 0; i < 3; ++i) dn -= ey_[i] * colour_[i][c];
      step_q_[c] = floor_div(dn, area_);
      step_r_[c] = dn - step_q_[c] * area_;
    }
  }

  void operator()(int y, int xb, int xe) const {
    T w[3];
    for (int i = 0; i < 3; ++i) w[i] = ex_[i] * (T{y} - oy_[i]) - ey_[i] * (T{xb} - ox_[i]);
    T value[3];
    T rem[3];
    for (int c = 0; c < 3; ++c) {
      const T num = w[0] * colour_[0][c] + w[1] * colour_[1][c] + w[2] * colour_[2][c];
      value[c] = floor_div(num, area_);
      rem[c] = num - value[c] * area_;
    }
    std::uint32_t* const row = s_.row(y);
    for (int x = xb; x < xe; ++x) {
      // Covered centres lie inside the triangle, so every channel is a convex
      // combination of the corners' and stays in [0, 65535].
      row[x] = static_cast<std::uint32_t>(value[0] >> 8) |
               static_cast<std::uint32_t>(value[1] >> 8) << 8 |
               static_cast<std::uint32_t>(value[2] >> 8) << 16;
      for (int c = 0; c < 3; ++c) {
        value[c] += step_q_[c];
        rem[c] += step_r_[c];
        if (rem[c] >= area_) {
          rem[c] -= area_;
          ++value[c];
        }
      }
    }
  }

 private:
  Surface& s_;
  T ox_[3], oy_[3], ex_[3], ey_[3];
  T colour_[3][3];  // [corner][red, green, blue]
  T area_ = 1;
  T step_q_[3], step_r_[3];
};

void fill_triangle(Surface& s, const TRIVERTEX* const v[3], const ClipRect& clip) {
  const Point64 pts[3] = {{v[0]->x, v[0]->y}, {v[1]->x, v[1]->y}, {v[2]->x, v[2]->y}};
  // Twice the signed area; the factors reach 2^32, the product 2^65.
  const i128 doubled_area =
      i128{pts[1].x - pts[0].x} * (pts[2].y - pts[0].y) -
      i128{pts[1].y - pts[0].y} * (pts[2].x - pts[0].x);
  if (doubled_area == 0) return;

  // Channels whose corners share the high byte interpolate to that same byte
  // everywhere (the floor of a convex combination stays between the corners),
  // so such triangles are filled with one colour.
  const auto byte = [&](COLOR16 TRIVERTEX::*channel) -> int {
    const int b = (v[0]->*channel) >> 8;
    return ((v[1]->*channel) >> 8) == b && ((v[2]->*channel) >> 8) == b ? b : -1;
  };
  const int r = byte(&TRIVERTEX::Red);
  const int g = byte(&TRIVERTEX::Green);
  const int b = byte(&TRIVERTEX::Blue);
  if (r >= 0 && g >= 0 && b >= 0) {
    const COLORREF colour = RGB(r, g, b);
    detail::scan_polygon(pts, 3, clip, [&](int y, int xb, int xe) {
      std::uint32_t* row = s.row(y);
      std::fill(row + xb, row + xe, colour);
    });
    return;
  }

  constexpr std::int64_t kNarrow = std::int64_t{1} << 20;
  bool narrow = clip.x0 >= -kNarrow && clip.y0 >= -kNarrow && clip.x1 <= kNarrow &&
                clip.y1 <= kNarrow;
  for (const Point64& p : pts) {
    narrow = narrow && p.x >= -kNarrow && p.x <= kNarrow && p.y >= -kNarrow && p.y <= kNarrow;
  }
  const bool clockwise = doubled_area < 0;
  if (narrow) {
    detail::scan_polygon(pts, 3, clip, GradientSpans<std::int64_t>(s, v, clockwise));
  } else {
    detail::scan_polygon(pts, 3, clip, GradientSpans<i128>(s, v, clockwise));
  }
}

}  // namespace

void GdiGradientFill(HDC dc, const TRIVERTEX* vertices, std::uint32_t vertex_count,
                     const void* mesh, std::uint32_t mesh_count, std::uint32_t mode) {
  GdiGradientFill(dc, vertices, vertex_count, mesh, mesh_count, mode, kAllRows);
}

void GdiGradientFill(HDC dc, const TRIVERTEX* vertices, std::uint32_t vertex_count,
                     const void* mesh, std::uint32_t mesh_count, std::uint32_t mode,
                     const Band& band) {
  if (dc == nullptr || vertices == nullptr || mesh == nullptr) return;
  if (system_drawing()) {
    return system::GdiGradientFill(*dc, vertices, vertex_count, mesh, mesh_count, mode, band);
  }
  if (mode != GRADIENT_FILL_TRIANGLE) return;
  const auto* triangles = static_cast<const GRADIENT_TRIANGLE*>(mesh);
  const ClipRect clip = detail::clip_of(*dc, band);
  for (std::uint32_t k = 0; k < mesh_count; ++k) {
    const GRADIENT_TRIANGLE& t = triangles[k];
    if (t.Vertex1 >= vertex_count || t.Vertex2 >= vertex_count || t.Vertex3 >= vertex_count) {
      continue;
    }
    const TRIVERTEX* const v[3] = {&vertices[t.Vertex1], &vertices[t.Vertex2],
                                   &vertices[t.Vertex3]};
    fill_triangle(*dc, v, clip);
  }
}

void GradientFill(HDC dc, const TRIVERTEX* vertices, std::uint32_t vertex_count,
                  const void* mesh, std::uint32_t mesh_count, std::uint32_t mode) {
  GdiGradientFill(dc, vertices, vertex_count, mesh, mesh_count, mode);
}

}  // namespace gdi

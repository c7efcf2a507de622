#include "platform/gdi/lines.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "platform/gdi/int_math.h"
#include "platform/gdi/line_raster.h"
#include "platform/gdi/system_gdi.h"

namespace gdi {
namespace detail {

// Whether products of two of the values, doubled, fit 64 bits: the usual
// case, a line near the surface.
bool short_line(std::int64_t a, std::int64_t b, std::int64_t c) {
  constexpr std::int64_t k30 = std::int64_t{1} << 30;
  return a < k30 && b > -k30 && b < k30 && c > -k30 && c < k30;
}

// Narrows the steps [lo, hi] to those whose minor offset q lies in [qa, qb]:
// q(i) never decreases, so they are one range, with
//   q(i) >= qa  <=>  i >= (2*n*qa - h) / (2*m)
//   q(i) <= qb  <=>  i <  (2*n*(qb+1) - h) / (2*m).
// T holds the products: 128 bits in general, as 2 * n * qa reaches 2^65.
// False when no step is left.
template <class T>
bool visible_steps(std::int64_t n, std::int64_t m, std::int64_t h, std::int64_t qa,
                   std::int64_t qb, std::int64_t& lo, std::int64_t& hi) {
  const T two_n = T{2} * n;
  const T two_m = T{2} * m;
  const T first = ceil_div(two_n * qa - h, two_m);
  const T last = ceil_div(two_n * (T{qb} + 1) - h, two_m) - 1;
  if (first > hi || last < lo) return false;
  // Both now lie within [lo, hi], so the narrowing casts are exact.
  if (first > lo) lo = static_cast<std::int64_t>(first);
  if (last < hi) hi = static_cast<std::int64_t>(last);
  return lo <= hi;
}

// The minor offset floor((2*lo*m + h) / (2*n)) of step lo, and the error
// term, the remainder.
template <class T>
void start_at(std::int64_t n, std::int64_t m, std::int64_t h, std::int64_t lo,
              std::int64_t& minor, std::int64_t& err) {
  const T num = T{2} * lo * m + h;
  minor = static_cast<std::int64_t>(num / (T{2} * n));
  err = static_cast<std::int64_t>(num % (T{2} * n));
}

// The error term's start, h of the steps below: n, less one where the minor
// coordinate rises (minor_delta > 0), so that an exact half goes to the
// smaller coordinate.
constexpr std::int64_t tie_half(std::int64_t n, std::int64_t minor_delta) {
  return minor_delta > 0 ? n - 1 : n;
}

// With n = |major delta| and m = |minor delta| (m <= n), step i = 0 .. n-1 of
// the line is the pixel
//   major = a0 + sa * i,   minor = b0 + sb * floor((2*i*m + h) / (2*n)),
// the pixel nearest the line at each step; |dx| == |dy| counts as x-major.
// Where the line passes exactly half-way between two pixels, gdi32 takes the
// one of smaller minor coordinate, the upper of two rows or the left of two
// columns, whichever way the line runs: h = n when the minor coordinate
// falls along the line (sb < 0), n - 1 when it rises. Only the steps inside
// the clip are visited.
void draw_line(Surface& s, int x0, int y0, int x1, int y1, COLORREF colour,
               const ClipRect& clip) {
  if (clip.x0 >= clip.x1 || clip.y0 >= clip.y1) return;
  const int width = s.width();
  const std::int64_t dx = std::int64_t{x1} - x0;
  const std::int64_t dy = std::int64_t{y1} - y0;
  if (dx == 0 && dy == 0) return;

  const bool x_major = abs_value(dx) >= abs_value(dy);
  const std::int64_t da = x_major ? dx : dy;
  const std::int64_t db = x_major ? dy : dx;
  const std::int64_t a0 = x_major ? x0 : y0;
  const std::int64_t b0 = x_major ? y0 : x0;
  // The clip's first and last major and minor coordinates.
  const std::int64_t a_first = x_major ? clip.x0 : clip.y0;
  const std::int64_t a_last = (x_major ? clip.x1 : clip.y1) - 1;
  const std::int64_t b_first = x_major ? clip.y0 : clip.x0;
  const std::int64_t b_last = (x_major ? clip.y1 : clip.x1) - 1;
  const std::int64_t n = abs_value(da);
  const std::int64_t m = abs_value(db);
  const int sa = da > 0 ? 1 : -1;
  const int sb = db >= 0 ? 1 : -1;
  const std::int64_t h = tie_half(n, sb);

  std::int64_t lo = 0;  // first and last visible step
  std::int64_t hi = n - 1;
  std::int64_t minor = 0;  // floor((2*lo*m + h) / (2*n))
  std::int64_t err = h;    // (2*lo*m + h) mod 2n

  // With both ends in the clip every step is, and the start is step 0.
  const bool inside = x0 >= clip.x0 && x0 < clip.x1 && y0 >= clip.y0 && y0 < clip.y1 &&
                      x1 >= clip.x0 && x1 < clip.x1 && y1 >= clip.y0 && y1 < clip.y1;
  if (!inside) {
    // Steps whose major coordinate lies in [a_first, a_last].
    if (sa > 0) {
      lo = std::max(lo, a_first - a0);
      hi = std::min(hi, a_last - a0);
    } else {
      lo = std::max(lo, a0 - a_last);
      hi = std::min(hi, a0 - a_first);
    }
    if (lo > hi) return;
    // The steps whose minor coordinate lies inside [b_first, b_last].
    const std::int64_t qa = sb > 0 ? b_first - b0 : b0 - b_last;
    const std::int64_t qb = sb > 0 ? b_last - b0 : b0 - b_first;
    if (qb < 0) return;
    if (m == 0) {
      if (qa > 0) return;
    } else if (!(short_line(n, qa, qb) ? visible_steps<std::int64_t>(n, m, h, qa, qb, lo, hi)
                                       : visible_steps<i128>(n, m, h, qa, qb, lo, hi))) {
      return;
    }
    if (short_line(n, lo, m)) {
      start_at<std::int64_t>(n, m, h, lo, minor, err);
    } else {
      start_at<i128>(n, m, h, lo, minor, err);
    }
  }

  // Walk by index, not pointer, so that the step past the last pixel never
  // forms an out-of-range pointer.
  const std::int64_t a = a0 + sa * lo;
  const std::int64_t b = b0 + sb * minor;
  const std::ptrdiff_t a_stride = x_major ? sa : static_cast<std::ptrdiff_t>(sa) * width;
  const std::ptrdiff_t b_stride = x_major ? static_cast<std::ptrdiff_t>(sb) * width : sb;
  std::ptrdiff_t index = x_major ? b * width + a : a * width + b;
  std::uint32_t* const pixels = s.row(0);
  const std::int64_t two_n = 2 * n;
  const std::int64_t two_m = 2 * m;
  for (std::int64_t k = hi - lo; k >= 0; --k) {
    pixels[index] = colour;
    index += a_stride;
    err += two_m;
    if (err >= two_n) {
      err -= two_n;
      index += b_stride;
    }
  }
}

// The same steps for a line whose ends both lie inside the clip, and so
// every step: the usual case, a short outline on the surface, which needs
// none of the clipping's set-up and fits 32-bit integers, as its ends are
// pixels of the surface. Such lines are a few pixels long and run every way,
// so nothing about them is predictable: the directions are chosen and the
// steps taken by arithmetic, without branches, and only the length decides
// when the loop ends.
void draw_line_inside(Surface& s, int x0, int y0, int x1, int y1, COLORREF colour) {
  const int dx = x1 - x0;
  const int dy = y1 - y0;
  const int adx = dx < 0 ? -dx : dx;
  const int ady = dy < 0 ? -dy : dy;
  const bool x_is_major = adx >= ady;
  const std::ptrdiff_t x_major = -static_cast<std::ptrdiff_t>(x_is_major);  // all ones or none
  const int n = x_is_major ? adx : ady;
  const int m = x_is_major ? ady : adx;
  const std::ptrdiff_t width = s.width();
  // A step along x or y, forwards or back. Along the major axis a delta of 0
  // never steps; along the minor one the sign of 0 is never used either.
  const std::ptrdiff_t x_step = static_cast<std::ptrdiff_t>(dx >= 0) * 2 - 1;
  const std::ptrdiff_t y_step = (static_cast<std::ptrdiff_t>(dy >= 0) * 2 - 1) * width;
  const std::ptrdiff_t a_stride = (x_step & x_major) | (y_step & ~x_major);
  const std::ptrdiff_t b_stride = (y_step & x_major) | (x_step & ~x_major);
  const int minor_delta = x_is_major ? dy : dx;
  std::uint32_t* const pixels = s.row(0);
  std::ptrdiff_t index = static_cast<std::ptrdiff_t>(y0) * width + x0;
  int err = n - static_cast<int>(minor_delta > 0);  // tie_half(), written without a branch
  const int two_n = 2 * n;
  const int two_m = 2 * m;
  const std::ptrdiff_t both_strides = a_stride + b_stride;
  // Each step's error waits on the last one's: an add, a subtract and a
  // select keep that chain three operations long.
  for (int k = n; k > 0; --k) {
    pixels[index] = colour;
    const int plain = err + two_m;
    const int stepped = plain - two_n;
    const bool minor = stepped >= 0;
    err = minor ? stepped : plain;
    index += minor ? both_strides : a_stride;
  }
}

namespace {

// The pixels of every side of up to kReach steps, walked by
// draw_line_inside itself once: for a side from (0, 0) to (dx, dy), the
// offsets of its pixels, and past its last one the first again.
class ShortSides {
 public:
  static constexpr int kReach = 4;

  struct Side {
    std::int8_t dx[kReach];
    std::int8_t dy[kReach];
  };

  ShortSides() {
    constexpr int kSize = 2 * kReach + 1;
    constexpr COLORREF kBack = 0, kPen = 1;
    for (int dy = -kReach; dy <= kReach; ++dy) {
      for (int dx = -kReach; dx <= kReach; ++dx) {
        // A new surface each time, not a cleared one: clearing may go to
        // the system's drawing, and the table must not depend on it.
        Surface scratch(kSize, kSize, kBack);
        draw_line_inside(scratch, kReach, kReach, kReach + dx, kReach + dy, kPen);
        Side& side = sides_[dy + kReach][dx + kReach];
        int count = 0;
        for (int y = 0; y < kSize; ++y) {
          for (int x = 0; x < kSize; ++x) {
            if (scratch.pixel(x, y) != kPen) continue;
            side.dx[count] = static_cast<std::int8_t>(x - kReach);
            side.dy[count] = static_cast<std::int8_t>(y - kReach);
            ++count;
          }
        }
        for (; count < kReach; ++count) side.dx[count] = side.dy[count] = 0;
      }
    }
  }

  // The side from a to b, which must lie within kReach steps either way.
  const Side& of(const POINT& a, const POINT& b) const {
    return sides_[b.y - a.y + kReach][b.x - a.x + kReach];
  }

 private:
  Side sides_[2 * kReach + 1][2 * kReach + 1];
};

}  // namespace

// Every side of up to kReach steps drawn as its kReach pixels from the
// table, the shorter ones with their first pixel over again: no loop whose
// end depends on the side, and none of a line's set-up. A side's first
// pixel is its own to draw when it has any; a side of no steps starts
// where the next one does, which draws it, unless all three corners are
// one point, which draws nothing. The sides are all in one colour, so the
// pixels drawn twice do not show. Longer sides are walked as lines.
void draw_triangle_inside(Surface& s, const POINT* corners, COLORREF colour) {
  static const ShortSides table;
  constexpr int kReach = ShortSides::kReach;
  const POINT& a = corners[0];
  const POINT& b = corners[1];
  const POINT& c = corners[2];
  if (a.x == b.x && a.y == b.y && b.x == c.x && b.y == c.y) return;
  const std::ptrdiff_t width = s.width();
  std::uint32_t* const pixels = s.row(0);
  const auto draw_side = [&](const POINT& from, const POINT& to) {
    if (to.x - from.x < -kReach || to.x - from.x > kReach || to.y - from.y < -kReach ||
        to.y - from.y > kReach) {
      draw_line_inside(s, from.x, from.y, to.x, to.y, colour);
      return;
    }
    const ShortSides::Side& side = table.of(from, to);
    std::uint32_t* const start = pixels + from.y * width + from.x;
    for (int k = 0; k < kReach; ++k) start[side.dy[k] * width + side.dx[k]] = colour;
  };
  draw_side(a, b);
  draw_side(b, c);
  draw_side(c, a);
}

}  // namespace detail

void Polyline(HDC dc, const POINT* points, int count) {
  if (dc == nullptr) return;
  Polyline(dc, points, count, dc->pen_colour, kAllRows);
}

void Polyline(HDC dc, const POINT* points, int count, COLORREF pen, const Band& band) {
  if (dc == nullptr || points == nullptr) return;
  if (system_drawing()) return system::Polyline(*dc, points, count, pen, band);
  const detail::ClipRect clip = detail::clip_of(*dc, band);
  const auto inside = [&clip](const POINT& p) {
    return p.x >= clip.x0 && p.x < clip.x1 && p.y >= clip.y0 && p.y < clip.y1;
  };
  // A closed outline of three corners, all inside: most are a detailed
  // model's triangles, of sides a few pixels long.
  if (count == 4 && points[3].x == points[0].x && points[3].y == points[0].y &&
      inside(points[0]) && inside(points[1]) && inside(points[2])) {
    detail::draw_triangle_inside(*dc, points, pen);
    return;
  }
  for (int k = 0; k + 1 < count; ++k) {
    const POINT& a = points[k];
    const POINT& b = points[k + 1];
    if (inside(a) && inside(b)) {
      detail::draw_line_inside(*dc, a.x, a.y, b.x, b.y, pen);
    } else {
      detail::draw_line(*dc, a.x, a.y, b.x, b.y, pen, clip);
    }
  }
}

void MoveToEx(HDC dc, int x, int y, POINT* previous) {
  if (dc == nullptr) return;
  if (previous != nullptr) *previous = dc->current_position;
  dc->current_position = {x, y};
}

void LineTo(HDC dc, int x, int y) {
  if (dc == nullptr) return;
  if (system_drawing()) {
    const POINT line[2] = {dc->current_position, {x, y}};
    system::Polyline(*dc, line, 2, dc->pen_colour, kAllRows);
    dc->current_position = {x, y};
    return;
  }
  detail::draw_line(*dc, dc->current_position.x, dc->current_position.y, x, y, dc->pen_colour,
                    detail::whole_surface(*dc));
  dc->current_position = {x, y};
}

}  // namespace gdi

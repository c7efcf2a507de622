#include "platform/gdi/plg_blt.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gdi/int_math.h"
#include "platform/gdi/scan.h"
#include "platform/gdi/system_gdi.h"

namespace gdi {
namespace {

using detail::ClipRect;
using detail::floor_div;
using detail::i128;
using detail::Point64;

// The texel ranges whose source pixels exist: [col_lo, col_hi] x [row_lo, row_hi].
struct TexelRange {
  std::int64_t col_lo, col_hi, row_lo, row_hi;
};

// With E1 = P1 - P0, E2 = P2 - P0 and D = cross(E1, E2), the pixel centre p
// has parallelogram coordinates a = cross(p - P0, E2) / D and
// b = cross(E1, p - P0) / D, and takes texel (floor(a * w), floor(b * h)),
// clamped to the source rectangle. The numerators a * w * D and b * h * D are
// stepped exactly along each span. E1 and E2 are negated for a negative D so
// that the denominator is |D|.
//
// T is int64 when the corners and the destination are within 2^20 and the
// source rectangle within 2^16 (numerators within 2^60), 128-bit otherwise.
template <class T>
class WarpSpans {
 public:
  WarpSpans(Surface& dst, const Surface& src, Point64 p0, Point64 e1, Point64 e2, T d_abs,
            int x_src, int y_src, int width, int height, const TexelRange& valid)
      : dst_(dst), src_(src.row(0)), src_width_(src.width()), x_src_(x_src), y_src_(y_src),
        width_(width), height_(height), valid_(valid), p0x_(p0.x), p0y_(p0.y), e1x_(e1.x),
        e1y_(e1.y), e2x_(e2.x), e2y_(e2.y), d_(d_abs) {
    // One step right adds w * E2.y to the first numerator and -h * E1.y to
    // the second.
    const T da = T{width} * e2y_;
    const T db = -T{height} * e1y_;
    col_step_q_ = floor_div(da, d_);
    col_step_r_ = da - col_step_q_ * d_;
    row_step_q_ = floor_div(db, d_);
    row_step_r_ = db - row_step_q_ * d_;
  }

  void operator()(int y, int xb, int xe) const {
    const T px = T{xb} - p0x_;
    const T py = T{y} - p0y_;
    const T na = T{width_} * (px * e2y_ - py * e2x_);
    const T nb = T{height_} * (e1x_ * py - e1y_ * px);
    T col = floor_div(na, d_);
    T col_rem = na - col * d_;
    T row = floor_div(nb, d_);
    T row_rem = nb - row * d_;
    std::uint32_t* const out = dst_.row(y);
    for (int x = xb; x < xe; ++x) {
      // Centres on the far edges give a == 1 or b == 1, one past the last
      // texel: the clamp keeps them on it.
      const std::int64_t c = static_cast<std::int64_t>(std::clamp<T>(col, 0, width_ - 1));
      const std::int64_t r = static_cast<std::int64_t>(std::clamp<T>(row, 0, height_ - 1));
      if (c >= valid_.col_lo && c <= valid_.col_hi && r >= valid_.row_lo && r <= valid_.row_hi) {
        out[x] = src_[(y_src_ + r) * src_width_ + (x_src_ + c)];
      }
      col += col_step_q_;
      col_rem += col_step_r_;
      if (col_rem >= d_) {
        col_rem -= d_;
        ++col;
      }
      row += row_step_q_;
      row_rem += row_step_r_;
      if (row_rem >= d_) {
        row_rem -= d_;
        ++row;
      }
    }
  }

 private:
  Surface& dst_;
  const std::uint32_t* src_;
  std::ptrdiff_t src_width_;
  std::int64_t x_src_, y_src_;
  int width_, height_;
  TexelRange valid_;
  T p0x_, p0y_, e1x_, e1y_, e2x_, e2y_;
  T d_;
  T col_step_q_, col_step_r_, row_step_q_, row_step_r_;
};

// The texel of the j-th destination pixel of an upright or mirrored warp
// along one axis, counted from the first corner's side: source length s
// over destination length d. gdi32 stretches such a warp as a rectangle, and
// these are its choices, measured: enlarged, each texel t covers the pixels
// from round(t * d / s) on, halves rounded up; shrunk, each pixel j takes
// the texels from round(j * s / d) on, and of those the first in a column
// but the last in a row.
std::int64_t upright_texel(std::int64_t j, std::int64_t s, std::int64_t d, bool along_row) {
  const i128 two_d = i128{2} * d;
  if (d >= s) return static_cast<std::int64_t>(((2 * i128{j} + 1) * s - 1) / two_d);
  if (along_row) return static_cast<std::int64_t>((2 * i128{j + 1} * s + d) / two_d) - 1;
  return static_cast<std::int64_t>((2 * i128{j} * s + d) / two_d);
}

// The destination pixels [first, last] of one axis of an upright or mirrored
// warp from corner c over length `length` of either sign, within [lo, hi),
// with their texels, which must lie in [t_lo, t_hi]: a mirrored warp is the
// mirror image of the upright one about the corner's own pixel, as gdi32
// draws it. False when none is left.
struct AxisMap {
  std::int64_t first = 0, last = -1;
  std::vector<std::int64_t> texel;  // of first .. last
};
bool upright_axis(std::int64_t c, std::int64_t length, std::int64_t size, bool along_row,
                  std::int64_t lo, std::int64_t hi, std::int64_t t_lo, std::int64_t t_hi,
                  AxisMap& map) {
  const std::int64_t d = length > 0 ? length : -length;
  const std::int64_t step = length > 0 ? 1 : -1;
  // Offsets j in [0, d) whose pixel c + step * j lies in [lo, hi).
  std::int64_t j0 = step > 0 ? lo - c : c - (hi - 1);
  std::int64_t j1 = step > 0 ? hi - 1 - c : c - lo;
  j0 = std::max<std::int64_t>(j0, 0);
  j1 = std::min<std::int64_t>(j1, d - 1);
  // Texels never decrease with j: those with a source pixel are one range.
  while (j0 <= j1 && upright_texel(j0, size, d, along_row) < t_lo) ++j0;
  while (j0 <= j1 && upright_texel(j1, size, d, along_row) > t_hi) --j1;
  if (j0 > j1) return false;
  map.first = step > 0 ? c + j0 : c - j1;
  map.last = step > 0 ? c + j1 : c - j0;
  map.texel.resize(static_cast<std::size_t>(j1 - j0 + 1));
  for (std::int64_t p = map.first; p <= map.last; ++p) {
    map.texel[static_cast<std::size_t>(p - map.first)] =
        upright_texel(step > 0 ? p - c : c - p, size, d, along_row);
  }
  return true;
}

void upright_warp(Surface& dst, const Surface& src, Point64 p0, std::int64_t across,
                  std::int64_t down, int x_src, int y_src, int width, int height,
                  const TexelRange& valid, const ClipRect& clip) {
  AxisMap columns, rows;
  if (!upright_axis(p0.x, across, width, true, clip.x0, clip.x1, valid.col_lo, valid.col_hi,
                    columns) ||
      !upright_axis(p0.y, down, height, false, clip.y0, clip.y1, valid.row_lo, valid.row_hi,
                    rows)) {
    return;
  }
  const std::uint32_t* const texels = src.row(0) + x_src;
  const std::ptrdiff_t src_width = src.width();
  for (std::int64_t y = rows.first; y <= rows.last; ++y) {
    const std::uint32_t* const from =
        texels + (y_src + rows.texel[static_cast<std::size_t>(y - rows.first)]) * src_width;
    std::uint32_t* const out = dst.row(static_cast<int>(y));
    for (std::int64_t x = columns.first; x <= columns.last; ++x) {
      out[x] = from[columns.texel[static_cast<std::size_t>(x - columns.first)]];
    }
  }
}

}  // namespace

void PlgBlt(HDC dst, const POINT* points, HDC src, int x_src, int y_src, int width, int height,
            const void* mask, int /*x_mask*/, int /*y_mask*/) {
  if (mask != nullptr) return;
  PlgBlt(dst, points, src, x_src, y_src, width, height, kAllRows);
}

void PlgBlt(HDC dst, const POINT* points, HDC src, int x_src, int y_src, int width, int height,
            const Band& band) {
  if (dst == nullptr || src == nullptr || points == nullptr) return;
  if (system_drawing()) {
    return system::PlgBlt(*dst, points, *src, x_src, y_src, width, height, band);
  }
  if (width <= 0 || height <= 0) return;

  const Point64 p0{points[0].x, points[0].y};
  const Point64 p1{points[1].x, points[1].y};
  const Point64 p2{points[2].x, points[2].y};
  const Point64 e1{p1.x - p0.x, p1.y - p0.y};
  const Point64 e2{p2.x - p0.x, p2.y - p0.y};
  const i128 d = i128{e1.x} * e2.y - i128{e1.y} * e2.x;
  if (d == 0) return;

  // Destination pixels whose texel has no source pixel stay as they are; when
  // no texel has one there is nothing to do.
  const TexelRange valid{
      std::max<std::int64_t>(0, -std::int64_t{x_src}),
      std::min<std::int64_t>(width - 1, std::int64_t{src->width()} - 1 - x_src),
      std::max<std::int64_t>(0, -std::int64_t{y_src}),
      std::min<std::int64_t>(height - 1, std::int64_t{src->height()} - 1 - y_src)};
  if (valid.col_lo > valid.col_hi || valid.row_lo > valid.row_hi) return;

  // Corners in the order P0, P1, P3, P2 around the parallelogram; P3 may leave
  // the 32-bit range.
  const Point64 corners[4] = {p0, p1, {p1.x + p2.x - p0.x, p1.y + p2.y - p0.y}, p2};
  const ClipRect clip = detail::clip_of(*dst, band);
  // gdi32 draws a warp whose sides run along the axes by rules of its own,
  // which ours follow there. Any other is drawn by the rule below, which no
  // gdi32 we can measure confirms or refutes: Wine's draws such a warp as an
  // upright strip.
  if (e1.y == 0 && e2.x == 0) {
    upright_warp(*dst, *src, p0, e1.x, e2.y, x_src, y_src, width, height, valid, clip);
    return;
  }
  const bool negative = d < 0;
  const Point64 f1 = negative ? Point64{-e1.x, -e1.y} : e1;
  const Point64 f2 = negative ? Point64{-e2.x, -e2.y} : e2;

  constexpr std::int64_t kNarrow = std::int64_t{1} << 20;
  bool narrow = clip.x1 <= kNarrow && clip.y1 <= kNarrow && width <= (1 << 16) &&
                height <= (1 << 16);
  for (const Point64& p : {p0, p1, p2}) {
    narrow = narrow && p.x >= -kNarrow && p.x <= kNarrow && p.y >= -kNarrow && p.y <= kNarrow;
  }
  const i128 d_abs = negative ? -d : d;
  if (narrow) {
    WarpSpans<std::int64_t> spans(*dst, *src, p0, f1, f2, static_cast<std::int64_t>(d_abs), x_src,
                                  y_src, width, height, valid);
    detail::scan_parallelogram(corners, clip, spans);
  } else {
    WarpSpans<i128> spans(*dst, *src, p0, f1, f2, d_abs, x_src, y_src, width, height, valid);
    detail::scan_parallelogram(corners, clip, spans);
  }
}

}  // namespace gdi

#pragma once
// Scan conversion shared by filled polygons, gradient triangles and the
// parallelogram warp, so that all of them cover exactly the same pixels.
//
// Coverage is the even-odd rule over pixel centres (integer coordinates). On
// row y an edge (xa,ya)-(xb,yb), ordered so that ya < yb, takes part when
// ya <= y < yb (horizontal edges never do) and crosses the row at
//   c = xa + (y - ya) * (xb - xa) / (yb - ya).
// The sorted crossings pair up; a pair (cl, cr) covers cl <= x < cr, that is
// ceil(cl) .. ceil(cr) - 1. Centres on left and top edges are in, on right and
// bottom edges out, so polygons sharing an edge neither overlap nor leave gaps.
//
// Each edge keeps ceil(c) with an exact quotient/remainder step per row. The
// start is computed directly at the first row inside the clip rectangle, so a
// band drawn on its own gives the same pixels as the whole picture, and rows
// or columns outside the clip cost nothing.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/gdi/band.h"
#include "platform/gdi/int_math.h"
#include "platform/gdi/surface.h"

namespace gdi::detail {

// Corners are 64-bit: the fourth corner of a parallelogram, P1 + P2 - P0, can
// leave the 32-bit range.
struct Point64 {
  std::int64_t x = 0;
  std::int64_t y = 0;
};

// Pixels [x0, x1) x [y0, y1).
struct ClipRect {
  int x0 = 0;
  int y0 = 0;
  int x1 = 0;
  int y1 = 0;
};

inline ClipRect whole_surface(const Surface& s) { return {0, 0, s.width(), s.height()}; }

// A band cut to the surface.
inline ClipRect clip_of(const Surface& s, const Band& band) {
  return {0, std::max(band.top, 0), s.width(), std::min(band.bottom, s.height())};
}

// Left unset when declared: make_scan_edge sets every field of an edge it
// keeps, and the many tiny polygons of a frame should not each pay for
// clearing edges never used.
struct ScanEdge {
  std::int64_t y_begin;  // first row inside the clip
  std::int64_t y_end;    // one past the last row inside the clip
  std::int64_t x;        // ceil of the crossing on the current row
  std::int64_t rem;      // x * dy minus the exact numerator, in [0, dy)
  std::int64_t step_q;   // dx = step_q * dy + step_r, 0 <= step_r < dy
  std::int64_t step_r;
  std::int64_t dy;

  void advance() {
    x += step_q;
    rem -= step_r;
    // The carry follows the slope's fraction, which no branch predictor
    // guesses: take it arithmetically, borrow being -1 when rem went negative.
    const std::int64_t borrow = rem >> 63;
    x -= borrow;
    rem += dy & borrow;
  }
};

// Returns false when the edge is horizontal or has no row inside the clip.
inline bool make_scan_edge(Point64 a, Point64 b, const ClipRect& clip, ScanEdge& e) {
  if (a.y == b.y) return false;
  if (a.y > b.y) std::swap(a, b);
  e.y_begin = std::max<std::int64_t>(a.y, clip.y0);
  e.y_end = std::min<std::int64_t>(b.y, clip.y1);
  if (e.y_begin >= e.y_end) return false;

  const std::int64_t dx = b.x - a.x;
  const std::int64_t dy = b.y - a.y;
  e.dy = dy;
  const std::int64_t t = e.y_begin - a.y;
  if (t == 0 && e.y_end - e.y_begin == 1) {
    // One row inside the clip, from the edge's start: the crossing is its
    // start, and the step, never taken to a row drawn, is left at zero,
    // which advance() keeps as it is. Small triangles are made of such edges.
    e.step_q = e.step_r = 0;
    e.rem = 0;
    e.x = a.x;
    return true;
  }
  e.step_q = floor_div(dx, dy);
  e.step_r = dx - e.step_q * dy;

  // ceil(t * dx / dy) at the first visible row. t * dx needs 128 bits in
  // general (both factors can pass 2^32, dx towards a parallelogram's fourth
  // corner even 2^33); int64 is exact when both fit in 31 bits.
  constexpr std::int64_t k31 = std::int64_t{1} << 31;
  std::int64_t q;
  if (t == 0) {
    // The usual case, an edge starting inside the clip: no division needed.
    q = 0;
    e.rem = 0;
  } else if (t < k31 && dx > -k31 && dx < k31) {
    const std::int64_t num = t * dx;
    q = ceil_div(num, dy);
    e.rem = q * dy - num;
  } else {
    const i128 num = static_cast<i128>(t) * dx;
    const i128 wide_q = ceil_div(num, static_cast<i128>(dy));
    e.rem = static_cast<std::int64_t>(wide_q * dy - num);
    q = static_cast<std::int64_t>(wide_q);  // between 0 and dx: fits
  }
  e.x = a.x + q;
  return true;
}

// Any number of corners: an active edge list whose crossings are sorted on
// every row. scan_polygon below sends triangles to a shorter path.
template <class SpanFn>
void scan_general_polygon(const Point64* pts, int n, const ClipRect& clip, SpanFn&& span) {
  if (pts == nullptr || n < 3 || clip.x0 >= clip.x1 || clip.y0 >= clip.y1) return;

  // Triangles and quadrilaterals, the common case, stay on the stack.
  constexpr int kLocal = 8;
  ScanEdge local_edges[kLocal];
  ScanEdge* local_active[kLocal];
  std::int64_t local_xs[kLocal];
  std::vector<ScanEdge> heap_edges;
  std::vector<ScanEdge*> heap_active;
  std::vector<std::int64_t> heap_xs;
  ScanEdge* edges = local_edges;
  ScanEdge** active = local_active;
  std::int64_t* xs = local_xs;
  if (n > kLocal) {
    heap_edges.resize(n);
    heap_active.resize(n);
    heap_xs.resize(n);
    edges = heap_edges.data();
    active = heap_active.data();
    xs = heap_xs.data();
  }

  int count = 0;
  for (int k = 0; k < n; ++k) {
    if (make_scan_edge(pts[k], pts[k + 1 == n ? 0 : k + 1], clip, edges[count])) ++count;
  }
  if (count < 2) return;
  if (n > kLocal) {
    std::sort(heap_edges.begin(), heap_edges.begin() + count,
              [](const ScanEdge& a, const ScanEdge& b) { return a.y_begin < b.y_begin; });
  } else {
    for (int i = 1; i < count; ++i) {
      const ScanEdge e = edges[i];
      int j = i;
      for (; j > 0 && edges[j - 1].y_begin > e.y_begin; --j) edges[j] = edges[j - 1];
      edges[j] = e;
    }
  }

  int next = 0;
  int n_active = 0;
  std::int64_t y = edges[0].y_begin;
  for (;;) {
    while (next < count && edges[next].y_begin == y) active[n_active++] = &edges[next++];
    if (n_active == 0) {
      if (next == count) break;
      y = edges[next].y_begin;  // skip rows between separate parts
      continue;
    }

    for (int i = 0; i < n_active; ++i) {
      // Insertion sort: the active list is short and nearly sorted.
      const std::int64_t v = active[i]->x;
      int j = i;
      for (; j > 0 && xs[j - 1] > v; --j) xs[j] = xs[j - 1];
      xs[j] = v;
    }
    // Even-odd pairs; the count is even for a closed outline, and a stray
    // last crossing is ignored rather than read past.
    for (int i = 0; i + 1 < n_active; i += 2) {
      const std::int64_t xb = std::clamp<std::int64_t>(xs[i], clip.x0, clip.x1);
      const std::int64_t xe = std::clamp<std::int64_t>(xs[i + 1], clip.x0, clip.x1);
      if (xb < xe) span(static_cast<int>(y), static_cast<int>(xb), static_cast<int>(xe));
    }

    ++y;
    int kept = 0;
    for (int i = 0; i < n_active; ++i) {
      if (active[i]->y_end == y) continue;
      active[i]->advance();
      active[kept++] = active[i];
    }
    n_active = kept;
  }
}

// Rows [short_edge.y_begin, short_edge.y_end) of a triangle, between its long
// edge and one of its short edges. The edges meet only at corners, so the
// side each keeps is known in advance and the crossings need no sorting;
// equal ceilings give an empty span.
template <class SpanFn>
void scan_triangle_half(ScanEdge& long_edge, ScanEdge& short_edge, bool long_is_right,
                        const ClipRect& clip, SpanFn& span) {
  ScanEdge& left = long_is_right ? short_edge : long_edge;
  ScanEdge& right = long_is_right ? long_edge : short_edge;
  for (std::int64_t y = short_edge.y_begin; y < short_edge.y_end; ++y) {
    const std::int64_t xb = std::clamp<std::int64_t>(left.x, clip.x0, clip.x1);
    const std::int64_t xe = std::clamp<std::int64_t>(right.x, clip.x0, clip.x1);
    if (xb < xe) span(static_cast<int>(y), static_cast<int>(xb), static_cast<int>(xe));
    left.advance();
    right.advance();
  }
}

// The same pixels as scan_general_polygon for three corners, with less work
// per triangle and per row, which is what small triangles are made of. With
// corners a, b, c sorted by y, every row has exactly two active edges: the
// long edge a-c, and a-b above b or b-c from b on.
template <class SpanFn>
void scan_triangle(const Point64* pts, const ClipRect& clip, SpanFn& span) {
  Point64 a = pts[0], b = pts[1], c = pts[2];
  if (a.y > b.y) std::swap(a, b);
  if (b.y > c.y) std::swap(b, c);
  if (a.y > b.y) std::swap(a, b);

  // Triangles beside the clip cost no division. Covered pixels lie within
  // [min x, max x) because ceil is monotonic.
  if (a.y >= clip.y1 || c.y <= clip.y0 || a.y == c.y) return;
  const std::int64_t x_min = std::min({a.x, b.x, c.x});
  const std::int64_t x_max = std::max({a.x, b.x, c.x});
  if (x_max <= clip.x0 || x_min >= clip.x1) return;

  // Whether b lies left of the long edge, which then is the right one. The
  // products reach 2^68 for a parallelogram-sized corner spread. Zero means
  // the corners are collinear: both crossings coincide on every row.
  const i128 side = i128{b.y - a.y} * (c.x - a.x) - i128{b.x - a.x} * (c.y - a.y);
  if (side == 0) return;
  const bool long_is_right = side > 0;

  ScanEdge long_edge, short_edge;
  if (!make_scan_edge(a, c, clip, long_edge)) return;
  // The long edge's rows run through both halves; after the upper one it is
  // on row max(b.y, clip.y0), where the lower half starts.
  if (make_scan_edge(a, b, clip, short_edge)) {
    scan_triangle_half(long_edge, short_edge, long_is_right, clip, span);
  }
  if (make_scan_edge(b, c, clip, short_edge)) {
    scan_triangle_half(long_edge, short_edge, long_is_right, clip, span);
  }
}

// The same spans as scan_general_polygon for the four corners of a
// parallelogram in order around it, the shape every warp fills. It is
// convex, so every row crosses exactly two edges: one on each chain of two
// edges running from the top corner round to the opposite one, the bottom.
// Nothing needs sorting, and the lower crossing starts each span.
template <class SpanFn>
void scan_parallelogram(const Point64* pts, const ClipRect& clip, SpanFn& span) {
  if (clip.x0 >= clip.x1 || clip.y0 >= clip.y1) return;
  int top = 0;
  for (int k = 1; k < 4; ++k) {
    if (pts[k].y < pts[top].y) top = k;
  }
  const Point64& bottom = pts[(top + 2) % 4];
  // Each chain's edges that have rows inside the clip, in order down; both
  // chains hold the same rows.
  ScanEdge chain[2][2];
  int length[2] = {0, 0};
  for (int c = 0; c < 2; ++c) {
    const Point64& middle = pts[(top + (c == 0 ? 1 : 3)) % 4];
    if (make_scan_edge(pts[top], middle, clip, chain[c][length[c]])) ++length[c];
    if (make_scan_edge(middle, bottom, clip, chain[c][length[c]])) ++length[c];
  }
  if (length[0] == 0 || length[1] == 0) return;

  ScanEdge* a = &chain[0][0];
  ScanEdge* b = &chain[1][0];
  for (std::int64_t y = a->y_begin;; ++y) {
    if (y == a->y_end && ++a == &chain[0][length[0]]) return;
    if (y == b->y_end && ++b == &chain[1][length[1]]) return;
    const std::int64_t xb = std::clamp<std::int64_t>(std::min(a->x, b->x), clip.x0, clip.x1);
    const std::int64_t xe = std::clamp<std::int64_t>(std::max(a->x, b->x), clip.x0, clip.x1);
    if (xb < xe) span(static_cast<int>(y), static_cast<int>(xb), static_cast<int>(xe));
    a->advance();
    b->advance();
  }
}

// Calls span(y, x_begin, x_end) for every covered run of pixels inside clip,
// rows in increasing order, x_begin < x_end.
template <class SpanFn>
void scan_polygon(const Point64* pts, int n, const ClipRect& clip, SpanFn&& span) {
  if (pts == nullptr || n < 3 || clip.x0 >= clip.x1 || clip.y0 >= clip.y1) return;
  if (n == 3) {
    scan_triangle(pts, clip, span);
  } else {
    scan_general_polygon(pts, n, clip, span);
  }
}

}  // namespace gdi::detail

#include <gtest/gtest.h>

#include <array>
#include <span>

#include "platform/gdi/gradient.h"
#include "platform/gdi/lines.h"
#include "platform/gdi/polygon.h"
#include "platform/gdi/scan.h"
#include "tests/gdi/reference.h"

namespace gdi {
namespace {

using detail::ClipRect;
using detail::Point64;
using gdi_test::covered;
using gdi_test::i128;
using gdi_test::image_is;
using gdi_test::random_coord;

constexpr COLORREF kBack = RGB(1, 2, 3);

// How often the scan converter covers each pixel of a w-wide picture.
std::vector<int> counts(const std::vector<std::vector<Point64>>& polys, int w, int h,
                        ClipRect clip) {
  std::vector<int> n(static_cast<std::size_t>(w) * h);
  for (const auto& poly : polys) {
    detail::scan_polygon(poly.data(), static_cast<int>(poly.size()), clip,
                         [&](int y, int xb, int xe) {
                           for (int x = xb; x < xe; ++x) ++n.at(y * w + x);
                         });
  }
  return n;
}

// The spans one scan produces, in order.
template <class Scan>
std::vector<std::array<int, 3>> spans_of(Scan scan) {
  std::vector<std::array<int, 3>> out;
  scan([&](int y, int xb, int xe) { out.push_back({y, xb, xe}); });
  return out;
}

TEST(Coverage, RandomPolygonsMatchReferenceInAnyBand) {
  std::mt19937 rng(11);
  constexpr int W = 19, H = 15;
  for (int k = 0; k < 3000; ++k) {
    std::vector<Point64> poly(3 + (k % 7 == 0 ? rng() % 10 : 0));
    for (Point64& p : poly) p = {random_coord(rng, W), random_coord(rng, H)};
    if (k % 5 == 0) poly[2] = poly[rng() % 2];  // degenerate
    if (k % 9 == 0) {  // a parallelogram whose fourth corner leaves the 32-bit range
      poly.resize(4);
      poly[3] = poly[2];
      poly[2] = {poly[1].x + poly[3].x - poly[0].x, poly[1].y + poly[3].y - poly[0].y};
    }
    const std::vector<int> whole = counts({poly}, W, H, {0, 0, W, H});
    for (int i = 0; i < W * H; ++i) {
      ASSERT_EQ(whole[i], covered(poly, i % W, i / W)) << k << ": " << i % W << "," << i / W;
    }
    // Bands and column ranges drawn apart give the same pixels.
    const int cx = rng() % W, cy = rng() % H;
    std::vector<int> parts = counts({poly}, W, H, {0, 0, cx, cy});
    for (const ClipRect c : {ClipRect{cx, 0, W, cy}, ClipRect{0, cy, W, H}}) {
      const std::vector<int> part = counts({poly}, W, H, c);
      for (int i = 0; i < W * H; ++i) parts[i] += part[i];
    }
    ASSERT_EQ(parts, whole) << k;
  }

  // Triangles take a shorter path than other polygons; it must give exactly
  // the general path's spans. Corners near the surface make the small
  // triangles that matter, with some at the 31-bit and 32-bit limits of the
  // start products, collinear ones, and clips from empty to beyond the edges.
  const auto corner = [&](int size) -> int64_t {
    switch (rng() % 6) {
      case 0: return random_coord(rng, size);
      case 1: return (rng() % 2 ? 1 : -1) * ((int64_t{1} << (31 + rng() % 3)) - rng() % 3);
      default: return static_cast<int64_t>(rng() % (size + 8)) - 4;
    }
  };
  for (int k = 0; k < 40000; ++k) {
    Point64 tri[3];
    for (Point64& p : tri) p = {corner(W), corner(H)};
    if (k % 11 == 0) tri[2] = {2 * tri[1].x - tri[0].x, 2 * tri[1].y - tri[0].y};  // collinear
    const int x0 = int(rng() % (W + 6)) - 3, y0 = int(rng() % (H + 6)) - 3;
    const ClipRect clip{x0, y0, x0 + int(rng() % W), y0 + int(rng() % H)};
    const auto fast = spans_of([&](auto span) { detail::scan_polygon(tri, 3, clip, span); });
    const auto general =
        spans_of([&](auto span) { detail::scan_general_polygon(tri, 3, clip, span); });
    ASSERT_EQ(fast, general) << k;
  }

  // So must the warp's parallelograms, given in order around: P0, P1, the
  // fourth corner P1 + P2 - P0, then P2. Flat ones are in too, though the
  // warp draws none.
  for (int k = 0; k < 40000; ++k) {
    const Point64 p0{corner(W), corner(H)}, p1{corner(W), corner(H)}, p2{corner(W), corner(H)};
    Point64 quad[4] = {p0, p1, {p1.x + p2.x - p0.x, p1.y + p2.y - p0.y}, p2};
    if (k % 13 == 0) quad[3] = {2 * p1.x - p0.x, 2 * p1.y - p0.y};  // flat
    if (k % 13 == 0) quad[2] = {quad[1].x + quad[3].x - p0.x, quad[1].y + quad[3].y - p0.y};
    const int x0 = int(rng() % (W + 6)) - 3, y0 = int(rng() % (H + 6)) - 3;
    const ClipRect clip{x0, y0, x0 + int(rng() % W), y0 + int(rng() % H)};
    const auto fast = spans_of([&](auto span) { detail::scan_parallelogram(quad, clip, span); });
    const auto general =
        spans_of([&](auto span) { detail::scan_general_polygon(quad, 4, clip, span); });
    ASSERT_EQ(fast, general) << k;
  }
}

TEST(FillTriangle, CoversThePolygonInteriorWithinItsBand) {
  std::mt19937 rng(23);
  constexpr int W = 21, H = 17;
  constexpr COLORREF kFill = RGB(9, 8, 7);
  Surface s(W, H, kBack);
  for (int k = 0; k < 5000; ++k) {
    POINT tri[3];
    for (POINT& p : tri) {
      p = k % 2 ? POINT{random_coord(rng, W), random_coord(rng, H)}
                : POINT{int(rng() % (W + 6)) - 3, int(rng() % (H + 6)) - 3};
    }
    const Band band = k % 3 ? Band{int(rng() % H) - 2, int(rng() % H) + 2} : kAllRows;
    s.Cls();
    FillTriangle(&s, tri, kFill, band);
    ASSERT_TRUE(image_is(s, [&](int x, int y) {
      return y >= band.top && y < band.bottom && covered(tri, x, y) ? kFill : kBack;
    })) << k;
  }
}

TEST(Coverage, SharedEdgesNeitherOverlapNorLeaveGaps) {
  // A jittered grid over [2, 30] x [3, 25] cut into triangles of both
  // windings: each centre inside is covered exactly once, none outside.
  std::mt19937 rng(5);
  constexpr int N = 5;
  for (int round = 0; round < 50; ++round) {
    Point64 g[N + 1][N + 1];
    for (int i = 0; i <= N; ++i) {
      for (int j = 0; j <= N; ++j) {
        g[i][j] = {2 + i * 28 / N + (i % N ? int(rng() % 3) - 1 : 0),
                   3 + j * 22 / N + (j % N ? int(rng() % 3) - 1 : 0)};
      }
    }
    std::vector<std::vector<Point64>> tris;
    for (int i = 0; i < N; ++i) {
      for (int j = 0; j < N; ++j) {
        tris.push_back({g[i][j], g[i + 1][j], g[i + 1][j + 1]});
        tris.push_back({g[i][j], g[i][j + 1], g[i + 1][j + 1]});
      }
    }
    const std::vector<int> n = counts(tris, 32, 28, {0, 0, 32, 28});
    for (int i = 0; i < 32 * 28; ++i) {
      const int x = i % 32, y = i / 32;
      ASSERT_EQ(n[i], x >= 2 && x < 30 && y >= 3 && y < 25) << x << "," << y;
    }
  }
}

TEST(Polygon, InteriorThenOutline) {
  // Square: the interior alone takes left and top centres, not right and
  // bottom; the outline then closes the ring.
  const std::vector<Point64> sq64 = {{2, 2}, {6, 2}, {6, 6}, {2, 6}};
  const std::vector<int> n = counts({sq64}, 9, 9, {0, 0, 9, 9});
  for (int i = 0; i < 81; ++i) EXPECT_EQ(n[i], i % 9 >= 2 && i % 9 < 6 && i / 9 >= 2 && i / 9 < 6);

  // 64 random points, self-crossing: even-odd interior, then the outline.
  std::mt19937 rng(3);
  std::vector<POINT> star(64);
  for (POINT& p : star) p = {int(rng() % 40) - 5, int(rng() % 30) - 5};
  Surface solid(30, 20, kBack), outline(30, 20, kBack), lines(30, 20, kBack);
  for (Surface* s : {&solid, &outline, &lines}) s->pen_colour = RGB(9, 9, 9);
  solid.brush_colour = RGB(7, 7, 7);
  solid.fill_style = FILL_SOLID;
  Polygon(&solid, star.data(), 64);
  Polygon(&outline, star.data(), 64);  // transparent fill
  star.push_back(star[0]);
  Polyline(&lines, star.data(), 65);
  EXPECT_EQ(outline.pixels(), lines.pixels());
  EXPECT_TRUE(image_is(solid, [&](int x, int y) {
    return lines.pixel(x, y) != kBack ? lines.pixel(x, y)
                                      : covered(star, x, y) ? RGB(7, 7, 7) : kBack;
  }));

  const POINT two[2] = {{1, 1}, {8, 4}}, there_and_back[3] = {{1, 1}, {8, 4}, {1, 1}};
  solid.Cls();
  lines.Cls();
  Polygon(&solid, two, 2);
  Polyline(&lines, there_and_back, 3);
  EXPECT_EQ(solid.pixels(), lines.pixels());
}

TEST(Gradient, FlatDegenerateAndBadInput) {
  const TRIVERTEX v[4] = {{1, 1, 25500, 25500, 25500, 0}, {12, 2, 25500, 25500, 25500, 0},
                          {3, 9, 25500, 25500, 25500, 0}, {20, 15, 0, 0, 0, 0}};
  const GRADIENT_TRIANGLE mesh[3] = {{0, 1, 1}, {0, 1, 4}, {0, 1, 2}};
  Surface s(16, 12, kBack);
  GdiGradientFill(&s, v, 4, mesh + 2, 1, GRADIENT_FILL_RECT_H);
  GdiGradientFill(&s, v, 4, mesh, 1, GRADIENT_FILL_TRIANGLE);  // degenerate
  EXPECT_EQ(s.pixels(), Surface(16, 12, kBack).pixels());
  GradientFill(&s, v, 4, mesh + 1, 2, GRADIENT_FILL_TRIANGLE);  // bad index skipped
  EXPECT_TRUE(image_is(s, [&](int x, int y) {
    return covered(std::span(v, 3), x, y) ? RGB(99, 99, 99) : kBack;  // 25500 >> 8
  }));
}

TEST(Gradient, ChannelsMatchBarycentricFormula) {
  std::mt19937 rng(17);
  Surface s(25, 21, kBack);
  for (int k = 0; k < 1500; ++k) {
    TRIVERTEX v[3];
    for (int i = 0; i < 3; ++i) {
      const bool near = k % 3 != 0;
      v[i].x = near ? int(rng() % 45) - 10 : random_coord(rng, 25);
      v[i].y = near ? int(rng() % 41) - 10 : random_coord(rng, 21);
      // Channels whose corners differ only in the low byte, in every mix, and
      // sometimes a last corner one step off.
      const auto channel = [&](bool similar, unsigned high) {
        const unsigned off = i == 2 && k % 16 >= 8 ? 0x100 : 0;
        return static_cast<COLOR16>(similar ? high + off + rng() % 256 : rng());
      };
      v[i].Red = channel(k & 1, 0x8000);
      v[i].Green = channel(k & 2, 0x1200);
      v[i].Blue = channel(k & 4, 0xFE00);
    }
    const GRADIENT_TRIANGLE mesh{0, 1, 2};
    s.Cls();
    GdiGradientFill(&s, v, 3, &mesh, 1, GRADIENT_FILL_TRIANGLE);
    const auto weight = [](const TRIVERTEX& a, const TRIVERTEX& b, i128 px, i128 py) {
      return (i128{b.x} - a.x) * (py - a.y) - (i128{b.y} - a.y) * (px - a.x);
    };
    ASSERT_TRUE(image_is(s, [&](int x, int y) {
      i128 w[3] = {weight(v[1], v[2], x, y), weight(v[2], v[0], x, y), weight(v[0], v[1], x, y)};
      const i128 area = w[0] + w[1] + w[2];
      if (area == 0 || !covered(v, x, y)) return kBack;
      const auto channel = [&](COLOR16 TRIVERTEX::*c) {
        const i128 sum = w[0] * (v[0].*c) + w[1] * (v[1].*c) + w[2] * (v[2].*c);
        return static_cast<unsigned>(sum / area) >> 8;  // same signs: floor
      };
      return RGB(channel(&TRIVERTEX::Red), channel(&TRIVERTEX::Green), channel(&TRIVERTEX::Blue));
    })) << k;
  }
}

}  // namespace
}  // namespace gdi

#include <gtest/gtest.h>

#include <random>

#include "platform/gdi/band.h"
#include "platform/gdi/lines.h"
#include "tests/gdi/reference.h"

namespace gdi {
namespace {

using gdi_test::image_is;
using gdi_test::on_line;

constexpr COLORREF kBack = RGB(1, 2, 3);
constexpr COLORREF kPen = RGB(200, 100, 50);

// Draws one line on a cleared surface and checks every pixel against the
// closed formula.
::testing::AssertionResult line_matches(Surface& s, int x0, int y0, int x1, int y1) {
  const POINT p[2] = {{x0, y0}, {x1, y1}};
  s.Cls();
  Polyline(&s, p, 2);
  return image_is(s, [&](int x, int y) { return on_line(x0, y0, x1, y1, x, y) ? kPen : kBack; });
}

TEST(Lines, MidpointStepsWithStartDrawnAndEndLeftOut) {
  Surface s(8, 4, kBack);
  s.pen_colour = kPen;
  const POINT p[2] = {{0, 0}, {5, 2}};  // y = 2x/5: rounded, 0 0 1 1 2
  Polyline(&s, p, 2);
  EXPECT_TRUE(image_is(s, [](int x, int y) {
    return (y == 0 && x <= 1) || (y == 1 && (x == 2 || x == 3)) || (y == 2 && x == 4) ? kPen
                                                                                      : kBack;
  }));
  EXPECT_TRUE(line_matches(s, 3, 1, 3, 1));  // zero length: nothing
}

TEST(Lines, ExactHalvesTakeTheUpperRowOrTheLeftColumn) {
  // Each line passes half-way between two pixels at its middle step, and
  // takes the same one whichever way it runs.
  Surface s(5, 5, kBack);
  s.pen_colour = kPen;
  const POINT ends[4][2] = {{{0, 1}, {4, 2}}, {{4, 2}, {0, 1}}, {{1, 0}, {2, 4}}, {{2, 4}, {1, 0}}};
  const POINT middle[4] = {{2, 1}, {2, 1}, {1, 2}, {1, 2}};
  for (int k = 0; k < 4; ++k) {
    s.Cls();
    Polyline(&s, ends[k], 2);
    EXPECT_EQ(s.pixel(middle[k].x, middle[k].y), kPen) << k;
    EXPECT_EQ(s.pixel(middle[k].x + (k < 2 ? 0 : 1), middle[k].y + (k < 2 ? 1 : 0)), kBack) << k;
  }
}

TEST(Lines, AllOctantsAndClippedHugeCoordinatesMatchFormula) {
  // Every slope from the centre to points up to two pixels beyond the edges.
  Surface s(19, 19, kBack);
  s.pen_colour = kPen;
  for (int x1 = -2; x1 <= 20; ++x1) {
    for (int y1 = -2; y1 <= 20; ++y1) ASSERT_TRUE(line_matches(s, 9, 9, x1, y1)) << x1 << "," << y1;
  }
  // Lines between points on, next to and just beyond the edges.
  const int near_edge[7] = {-1, 0, 1, 9, 17, 18, 19};
  for (int k = 0; k < 7 * 7 * 7 * 7; ++k) {
    const int x0 = near_edge[k % 7], y0 = near_edge[k / 7 % 7];
    const int x1 = near_edge[k / 49 % 7], y1 = near_edge[k / 343];
    ASSERT_TRUE(line_matches(s, x0, y0, x1, y1)) << x0 << "," << y0 << " " << x1 << "," << y1;
  }
  std::mt19937 rng(7);
  Surface t(23, 17, kBack);
  t.pen_colour = kPen;
  for (int k = 0; k < 4000; ++k) {
    const int x0 = gdi_test::random_coord(rng, 23), y0 = gdi_test::random_coord(rng, 17);
    const int x1 = gdi_test::random_coord(rng, 23), y1 = gdi_test::random_coord(rng, 17);
    ASSERT_TRUE(line_matches(t, x0, y0, x1, y1)) << x0 << "," << y0 << " " << x1 << "," << y1;
  }
}

TEST(Lines, PolylineEqualsMoveToLineTo) {
  const POINT tri[4] = {{2, 3}, {17, 6}, {7, 14}, {2, 3}};
  Surface a(20, 16, kBack), b(20, 16, kBack);
  a.pen_colour = b.pen_colour = kPen;
  Polyline(&a, tri, 4);
  Polyline(&a, tri, 1);  // fewer than two points: nothing
  POINT previous{};
  b.current_position = {-4, 9};
  MoveToEx(&b, tri[0].x, tri[0].y, &previous);
  EXPECT_TRUE(previous.x == -4 && previous.y == 9);
  for (int k = 1; k < 4; ++k) LineTo(&b, tri[k].x, tri[k].y);
  EXPECT_EQ(a.pixels(), b.pixels());
  EXPECT_TRUE(b.current_position.x == 2 && b.current_position.y == 3);
  for (const POINT& p : tri) EXPECT_EQ(a.pixel(p.x, p.y), kPen);  // each corner once
}

// A closed triangle's short sides are drawn from a table of their pixels:
// they must still be those of its three sides, on the whole surface and
// within a band, for sides of no steps (down to a single point, which draws
// nothing) up to past the table's reach, short and long sides mixed, and
// for corners outside, which take the sides one by one.
TEST(Lines, ClosedTrianglesMatchTheirThreeSides) {
  std::mt19937 rng(11);
  Surface s(40, 30, kBack);
  for (int k = 0; k < 8000; ++k) {
    const int reach = static_cast<int>(rng() % (k % 5 == 0 ? 20 : 8));
    const int x0 = static_cast<int>(rng() % 44) - 2, y0 = static_cast<int>(rng() % 34) - 2;
    const auto near = [&](int c) { return c + static_cast<int>(rng() % (2 * reach + 1)) - reach; };
    const POINT tri[4] = {{x0, y0}, {near(x0), near(y0)}, {near(x0), near(y0)}, {x0, y0}};
    const int top = static_cast<int>(rng() % 30);
    const Band clip = k % 3 == 0 ? kAllRows : Band{top, top + 1 + static_cast<int>(rng() % 15)};
    s.Cls();
    Polyline(&s, tri, 4, kPen, clip);
    ASSERT_TRUE(image_is(s, [&](int x, int y) {
      bool on = false;
      for (int side = 0; side < 3; ++side) {
        on = on || on_line(tri[side].x, tri[side].y, tri[side + 1].x, tri[side + 1].y, x, y);
      }
      return on && y >= clip.top && y < clip.bottom ? kPen : kBack;
    })) << k << ": " << tri[0].x << "," << tri[0].y << " " << tri[1].x << "," << tri[1].y << " "
        << tri[2].x << "," << tri[2].y;
  }
}

}  // namespace
}  // namespace gdi

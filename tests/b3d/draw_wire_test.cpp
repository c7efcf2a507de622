// The wireframe renderer: where corners land, which triangles culling hides,
// the two ways of drawing the outline, and the rows that cannot be drawn.

#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "b3d_fixture.h"
#include "platform/gdi/lines.h"

namespace {

using b3d::kColour;
using b3d::kViewX1;

// Puts screen corners (relative to the centre) into row r's view columns.
void set_corners(b3d::Table& t, int r, std::array<float, 6> xy) {
  for (int v = 0; v < 3; ++v) {
    t(r, kViewX1 + 3 * v) = xy[2 * v];
    t(r, kViewX1 + 3 * v + 1) = xy[2 * v + 1];
  }
}

// Corners counter-clockwise on the screen (front) and clockwise (back).
constexpr std::array<float, 6> kFront = {-40, -30, -40, 30, 50, 0};
constexpr std::array<float, 6> kBack = {-40, -30, 50, 0, -40, 30};

}  // namespace

class DrawWireTest : public B3DTest {
 protected:
  // The picture the outline of `xy` in `colour` makes on a fresh main view,
  // drawn straight through Polyline with the corners mapped by hand: the
  // centre of the 317 x 229 area is (158.5, 114.5), halves go to even.
  gdi::Surface outline(std::vector<std::array<float, 6>> triangles, gdi::COLORREF colour) {
    gdi::Surface expected(317, 229, gdi::RGB(192, 192, 255));
    expected.pen_colour = colour;
    for (const auto& xy : triangles) {
      gdi::POINT p[4];
      for (int v = 0; v < 3; ++v) {
        p[v] = {static_cast<int>(std::nearbyint(xy[2 * v] + 158.5f)),
                static_cast<int>(std::nearbyint(xy[2 * v + 1] + 114.5f))};
      }
      p[3] = p[0];
      gdi::Polyline(&expected, p, 4);
    }
    return expected;
  }
  void draw() {
    Picture1.Cls();
    b3d.DrawWire(Picture1);
  }
  const std::vector<std::uint32_t>& pixels() const { return Picture1.image().pixels(); }
};

TEST_F(DrawWireTest, CullingHidesClockwiseTrianglesOnly) {
  set_table(b3d::Table(2));
  set_corners(table(), 1, kFront);
  set_corners(table(), 2, kBack);
  // Row 0 is a triangle at the centre with all corners on one point (e = 0).
  draw();
  EXPECT_EQ(pixels(), outline({kFront, {0, 0, 0, 0, 0, 0}}, 0).pixels());
  EXPECT_EQ(Picture1.ScaleMode, toolkit::kScalePixels);
  EXPECT_TRUE(Picture1.AutoRedraw);

  Check5.set_Value(0);
  draw();
  EXPECT_EQ(pixels(), outline({kFront, kBack}, 0).pixels());

  // Corners on one line (e = 0) are drawn.
  Check5.set_Value(1);
  set_corners(table(), 2, {-60, 40, 0, 40, 60, 40});
  draw();
  EXPECT_EQ(pixels(), outline({kFront, {-60, 40, 0, 40, 60, 40}}, 0).pixels());
}

TEST_F(DrawWireTest, FastLinesAndFourCallsDrawTheSamePicture) {
  std::mt19937 random(11);
  std::uniform_real_distribution<float> coordinate(-200, 200);
  set_table(b3d::Table(300));
  for (int r = 0; r <= 300; ++r) {
    for (int c = kViewX1; c <= b3d::kLastColumn; ++c) table()(r, c) = coordinate(random);
    table()(r, kColour) = static_cast<float>(random() % 0x1000000) * (r % 2 ? 1 : -1);
  }
  draw();
  const auto fast = pixels();
  Check9.set_Value(0);
  draw();
  EXPECT_EQ(pixels(), fast);
  // A greyed box draws neither way; the pen is still set row by row.
  Check9.set_Value(2);
  draw();
  EXPECT_EQ(pixels(), gdi::Surface(317, 229, gdi::RGB(192, 192, 255)).pixels());
  EXPECT_EQ(Picture1.ForeColor(), static_cast<gdi::COLORREF>(std::fabs(table()(300, kColour))));
}

TEST_F(DrawWireTest, ThePenTakesTheMagnitudeOfColumnTenEvenForHiddenRows) {
  set_table(b3d::Table(2));
  set_corners(table(), 1, kFront);
  table()(1, kColour) = -255;  // pure red
  set_corners(table(), 2, kBack);
  table()(2, kColour) = 0x00FF00;
  draw();
  // Row 0 (at the centre, colour 0) draws nothing: its outline has no length.
  EXPECT_EQ(pixels(), outline({kFront}, gdi::RGB(255, 0, 0)).pixels());
  EXPECT_EQ(Picture1.ForeColor(), gdi::RGB(0, 255, 0));  // the last row's, though culled
}

TEST_F(DrawWireTest, RowsThatDoNotFitThirtyTwoBitsAreSkippedAlone) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  set_table(b3d::Table(5));
  set_corners(table(), 1, {kInf, 0, 0, 10, 10, 0});  // a corner at infinity
  set_corners(table(), 2, {std::numeric_limits<float>::quiet_NaN(), 0, 0, 1, 1, 0});
  set_corners(table(), 3, {-2e9f, 0, 2e9f, 10, 0, 2e9f});  // its back-face value overflows
  set_corners(table(), 4, kFront);
  table()(5, kColour) = 3e9f;  // no such colour
  set_corners(table(), 5, kBack);
  draw();
  const auto culled = outline({kFront, {0, 0, 0, 0, 0, 0}}, 0).pixels();
  EXPECT_EQ(pixels(), culled);

  // Without culling the value is never formed, and the huge triangle is drawn.
  Check5.set_Value(0);
  draw();
  EXPECT_NE(pixels(), culled);
}

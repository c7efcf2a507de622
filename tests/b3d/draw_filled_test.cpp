// The shade factor, and the filled renderer: shade levels, the two ways of
// filling, culling, and the steps that are left out when a value does not fit.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "b3d/shade_factor.h"
#include "b3d_fixture.h"
#include "platform/gdi/gradient.h"
#include "platform/gdi/polygon.h"

namespace {

using b3d::Corner;
using b3d::ShadeFactor;

using Triangle = std::array<Corner, 3>;

void set_triangle(b3d::Table& t, int r, const Triangle& corners) {
  for (int k = 0; k < 3; ++k) {
    t(r, b3d::kViewX1 + 3 * k) = corners[k].x;
    t(r, b3d::kViewY1 + 3 * k) = corners[k].y;
    t(r, b3d::kViewZ1 + 3 * k) = corners[k].z;
  }
}

// A 100-pixel front face whose third corner lies `depth` deep: its normal
// is (100 depth, 0, -10000), so the factor is depth^2 / (depth^2 + 10^4).
Triangle tilted(float depth) { return {{{0, 0, 0}, {0, 100, 0}, {100, 0, depth}}}; }

// The screen points of a triangle on the 317 x 229 main view, whose centre
// is (158.5, 114.5); these corners are whole, so the halves go to even.
std::array<gdi::POINT, 3> on_screen(const Triangle& t) {
  std::array<gdi::POINT, 3> p;
  for (int k = 0; k < 3; ++k) {
    p[k] = {static_cast<std::int32_t>(std::nearbyint(t[k].x + 158.5f)),
            static_cast<std::int32_t>(std::nearbyint(t[k].y + 114.5f))};
  }
  return p;
}

gdi::COLORREF grey(unsigned g) { return gdi::RGB(g, g, g); }

}  // namespace

TEST(ShadeFactor, IsTheSquaredCosineOfTheNormalWithTheHorizontal) {
  // A face in the screen plane, and faces turned to either side.
  EXPECT_EQ(ShadeFactor({0, 0, 0}, {1, 0, 0}, {0, 1, 0}), 0.0f);
  EXPECT_EQ(ShadeFactor({0, 0, 0}, {0, 1, 0}, {0, 0, 1}), 1.0f);
  EXPECT_EQ(ShadeFactor({0, 0, 0}, {0, 0, 1}, {0, 1, 0}), 1.0f);
  // A normal at 45 degrees, in the plane x + z = 0.
  EXPECT_FLOAT_EQ(ShadeFactor({0, 0, 0}, {0, 60, 0}, {60, 0, -60}), 0.5f);
  // No normal: corners on one line, or two of them equal.
  EXPECT_EQ(ShadeFactor({0, 0, 0}, {1, 1, 1}, {2, 2, 2}), 0.0f);
  EXPECT_EQ(ShadeFactor({5, 6, 7}, {5, 6, 7}, {1, 2, 3}), 0.0f);
}

class DrawFilledTest : public B3DTest {
 protected:
  void draw(std::initializer_list<Triangle> rows) {
    set_table(b3d::Table(static_cast<int>(rows.size())));
    int r = 1;
    for (const Triangle& t : rows) set_triangle(table(), r++, t);
    Picture1.Cls();
    b3d.DrawFilled(Picture1);
  }
  gdi::COLORREF pixel(int x, int y) const { return Picture1.image().pixel(x, y); }
  // A fresh main view, for drawing the expected picture by hand.
  gdi::Surface blank() const { return gdi::Surface(317, 229, Picture1.BackColor()); }
  const std::vector<std::uint32_t>& pixels() const { return Picture1.image().pixels(); }
};

TEST_F(DrawFilledTest, ShadeLevelsShowInText7AndInTheGreys) {
  struct Case {
    float depth;
    const char* level;
    unsigned gradient_grey;  // high byte of 100 x level
    unsigned polygon_grey;   // 100 x level / 120, halves to even
  };
  // 10^4 deep: 254.97 in tenths rounds to 2550, level 255; 5000 deep gives
  // 2549, level 254; 100 deep is the 45-degree face, 127.5 cut to 127.
  for (const Case& c : {Case{1e4f, "255", 99, 212}, Case{5000, "254", 99, 212},
                        Case{100, "127", 49, 106}}) {
    SCOPED_TRACE(c.depth);
    Check8.set_Value(1);
    draw({tilted(c.depth)});
    EXPECT_EQ(Text7.Text(), c.level);
    EXPECT_EQ(pixel(160, 116), grey(c.gradient_grey));

    Check8.set_Value(0);
    draw({tilted(c.depth)});
    EXPECT_EQ(Text7.Text(), c.level);
    EXPECT_EQ(pixel(160, 116), grey(c.polygon_grey));
    EXPECT_EQ(Picture1.FillColor(), grey(c.polygon_grey));
    EXPECT_EQ(Picture1.ForeColor(), grey(c.polygon_grey));
  }
  EXPECT_EQ(Picture1.ScaleMode, toolkit::kScalePixels);
  EXPECT_TRUE(Picture1.AutoRedraw);

  // Without shading every triangle is black, level 0.
  Check10.set_Value(0);
  draw({tilted(1e4f), tilted(100)});
  EXPECT_EQ(Text7.Text(), "0");
  EXPECT_EQ(pixel(160, 116), grey(0));
}

TEST_F(DrawFilledTest, GradientAndPolygonCoverTheirOwnPixels) {
  const Triangle t = tilted(1e4f);
  const auto p = on_screen(t);

  // The gradient triangle: every corner's channels at 25 500, no outline,
  // and the target's colours untouched.
  Picture1.set_FillColor(gdi::RGB(255, 0, 0));
  Picture1.set_ForeColor(gdi::RGB(0, 255, 0));
  draw({t});
  gdi::Surface expected = blank();
  gdi::TRIVERTEX v[3];
  for (int k = 0; k < 3; ++k) v[k] = {p[k].x, p[k].y, 25500, 25500, 25500, 0};
  const gdi::GRADIENT_TRIANGLE mesh{0, 1, 2};
  gdi::GdiGradientFill(&expected, v, 3, &mesh, 1, gdi::GRADIENT_FILL_TRIANGLE);
  EXPECT_EQ(pixels(), expected.pixels());
  EXPECT_EQ(Picture1.FillColor(), gdi::RGB(255, 0, 0));
  EXPECT_EQ(Picture1.ForeColor(), gdi::RGB(0, 255, 0));

  // The polygon: filled and outlined in grey 212.
  Check8.set_Value(0);
  draw({t});
  expected = blank();
  expected.brush_colour = expected.pen_colour = grey(212);
  expected.fill_style = gdi::FILL_SOLID;
  gdi::Polygon(&expected, p.data(), 3);
  EXPECT_EQ(pixels(), expected.pixels());

  // A greyed "Gradient" fills neither way, but the level is still taken.
  Check8.set_Value(2);
  Text7.set_Text("");
  draw({t});
  EXPECT_EQ(pixels(), blank().pixels());
  EXPECT_EQ(Text7.Text(), "255");
}

TEST_F(DrawFilledTest, CullingSkipsClockwiseFacesOnly) {
  const Triangle front = tilted(100);
  const Triangle back = {front[0], front[2], front[1]};
  const Triangle line = {{{-50, 0, 0}, {0, 0, 0}, {50, 0, 0}}};  // e = 0
  Check8.set_Value(0);  // polygons, whose outline shows a flat triangle

  Text7.set_Text("Text7");
  draw({back});
  EXPECT_EQ(pixels(), blank().pixels());
  EXPECT_EQ(Text7.Text(), "Text7");  // no triangle drawn, no level written

  draw({line});
  EXPECT_EQ(pixel(170, 114), grey(0));
  EXPECT_EQ(Text7.Text(), "0");

  Check5.set_Value(0);
  draw({back});
  EXPECT_EQ(pixel(160, 116), grey(106));

  // Row 0 is never drawn.
  set_table(b3d::Table(0));
  set_triangle(table(), 0, front);
  Picture1.Cls();
  b3d.DrawFilled(Picture1);
  EXPECT_EQ(pixels(), blank().pixels());
}

TEST_F(DrawFilledTest, AValueThatDoesNotFitKeepsWhatThePreviousTriangleLeft) {
  // A corner beyond 32 bits keeps the previous triangle's coordinate.
  Check10.set_Value(0);
  Check8.set_Value(0);
  const Triangle first = tilted(0);
  // Drawn with its first corner at the first triangle's x, 0.
  Triangle second = {{{0, -100, 0}, {0, -50, 0}, {50, -100, 0}}};
  const std::array<gdi::POINT, 3> kept = on_screen(second);
  second[0].x = 1e30f;
  // A clockwise sliver whose back-face value overflows: the second
  // triangle's value, a front face's, decides, and it is drawn.
  const Triangle sliver = {{{-40000, -40000, 0}, {40001, 40000, 0}, {40000, 40000, 0}}};
  draw({first, second, sliver});

  gdi::Surface expected = blank();
  expected.fill_style = gdi::FILL_SOLID;
  for (const auto& p : {on_screen(first), kept, on_screen(sliver)}) {
    gdi::Polygon(&expected, p.data(), 3);
  }
  EXPECT_EQ(pixels(), expected.pixels());

  // A shade that is not a number keeps the previous level.
  Check10.set_Value(1);
  Check8.set_Value(1);
  Triangle unknown = tilted(1e4f);
  unknown[2].z = std::numeric_limits<float>::quiet_NaN();
  draw({tilted(100), unknown});
  EXPECT_EQ(Text7.Text(), "127");
  EXPECT_EQ(pixel(160, 116), grey(49));
}

// The shade factor, and the filled renderer: shade levels, the two ways of
// filling, culling, and the steps that are left out when a value does not
// fit; then the older renderers, the grey one without levels and the one that
// colours from the table.

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

TEST(ShadeFactor, OlderRulesGiveTheSignOrTheCosineTimes255) {
  using b3d::ShadeRule;
  // Normals (1, 0, 0), (-1, 0, 0), one at 45 degrees, one in the screen plane.
  const Triangle faces[] = {{{{0, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
                            {{{0, 0, 0}, {0, 0, 1}, {0, 1, 0}}},
                            {{{0, 0, 0}, {0, 60, 0}, {60, 0, -60}}},
                            {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}}};
  const float sign[] = {1, -1, -1, 0};
  const float cosine255[] = {255, 255, std::sqrt(0.5f) * 255, 0};
  for (int i = 0; i < 4; ++i) {
    const auto& [a, b, c] = faces[i];
    EXPECT_EQ(ShadeFactor(a, b, c, ShadeRule::SignOfNx), sign[i]) << i;
    EXPECT_FLOAT_EQ(ShadeFactor(a, b, c, ShadeRule::Cosine255), cosine255[i]) << i;
  }
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

TEST_F(DrawFilledTest, TheFirstGreyRendererScalesTheFactorBy120AndLeavesText7Alone) {
  b3d::B3D grey_renderer =
      with({.shade_rule = b3d::ShadeRule::Cosine255, .shade_scale = 120, .shade_level = false});
  Text7.set_Text("Text7");
  struct Case {
    float depth;
    unsigned gradient_grey;  // high byte of |cosine| x 255 x 120
    unsigned polygon_grey;   // |cosine| x 255, halves to even
  };
  // Turned to the side: 30600 and 255. At 45 degrees: 21637.6 and 180.3.
  for (const Case& c : {Case{1e6f, 119, 255}, Case{100, 84, 180}}) {
    SCOPED_TRACE(c.depth);
    for (int gradient : {1, 0}) {
      Check8.set_Value(gradient);
      grey_renderer.TriangleTable = b3d::Table(1);
      set_triangle(*grey_renderer.TriangleTable, 1, tilted(c.depth));
      Picture1.Cls();
      grey_renderer.DrawFilled(Picture1);
      EXPECT_EQ(pixel(160, 116), grey(gradient == 1 ? c.gradient_grey : c.polygon_grey));
    }
  }
  EXPECT_EQ(Text7.Text(), "Text7");
}

class TableColoursTest : public DrawFilledTest {
 protected:
  // Rows from 0, each with its colour cells 10..18 set to `colours`.
  void draw(b3d::B3D& renderer, std::initializer_list<std::pair<Triangle, std::array<float, 9>>> rows,
            int columns = b3d::kColumns) {
    renderer.TriangleTable = b3d::Table(static_cast<int>(rows.size()) - 1, columns);
    int r = 0;
    for (const auto& [t, colours] : rows) {
      set_triangle(*renderer.TriangleTable, r, t);
      for (int k = 0; k < 9; ++k) (*renderer.TriangleTable)(r, b3d::kColour + k) = colours[k];
      ++r;
    }
    Picture1.Cls();
    renderer.DrawFilled(Picture1);
  }
  // The gradient triangle drawn by hand with the given 16-bit channels.
  static void gradient(gdi::Surface& s, const Triangle& t, std::array<std::int16_t, 9> c) {
    const auto p = on_screen(t);
    gdi::TRIVERTEX v[3];
    for (int k = 0; k < 3; ++k) {
      v[k] = {p[k].x, p[k].y, static_cast<gdi::COLOR16>(c[3 * k]),
              static_cast<gdi::COLOR16>(c[3 * k + 1]), static_cast<gdi::COLOR16>(c[3 * k + 2]), 0};
    }
    const gdi::GRADIENT_TRIANGLE mesh{0, 1, 2};
    gdi::GradientFill(&s, v, 3, &mesh, 1, gdi::GRADIENT_FILL_TRIANGLE);
  }

  b3d::B3D first = with({.fill_colours = b3d::FillColours::Table,
                         .shade_rule = b3d::ShadeRule::None,
                         .gradient_choice = false,
                         .gradient_entry = b3d::GradientEntry::Msimg32});
};

TEST_F(TableColoursTest, GradientsTakeTheCellsFromRowZeroOnAndSaturateAt32767) {
  const Triangle a = tilted(10);
  const Triangle b = {{{-100, -100, 0}, {-100, -20, 0}, {-20, -100, 0}}};
  const Triangle clockwise = {a[0], a[2], a[1]};
  // Negative cells pass as their 16 bits; one just below 32768 rounds to it
  // and is held at 32767.
  const std::array<float, 9> ca = {-100, 2000, 32767.7f, 0, -32767, 12345.5f, 500, 600, 700};
  const std::array<float, 9> cb = {30000, 0, 0, 0, 30000, 0, 0, 0, 30000};
  draw(first, {{a, ca}, {b, cb}, {clockwise, cb}});
  gdi::Surface expected = blank();
  gradient(expected, a, {-100, 2000, 32767, 0, -32767, 12346, 500, 600, 700});
  gradient(expected, b, {30000, 0, 0, 0, 30000, 0, 0, 0, 30000});
  EXPECT_EQ(pixels(), expected.pixels());

  // A corner beyond 32 bits loses its own triangle only.
  Triangle lost = b;
  lost[1].y = 1e30f;
  draw(first, {{a, ca}, {lost, cb}});
  expected = blank();
  gradient(expected, a, {-100, 2000, 32767, 0, -32767, 12346, 500, 600, 700});
  EXPECT_EQ(pixels(), expected.pixels());
}

TEST_F(TableColoursTest, PolygonsTakeTheMagnitudeOfTheFirstCell) {
  b3d::B3D second = with({.fill_colours = b3d::FillColours::Table,
                          .shade_rule = b3d::ShadeRule::None,
                          .z_sort_column_offset = true});
  Check8.set_Value(0);
  Check6.set_Value(0);
  for (const auto& [cell, colour] : {std::pair{-300.4f, 300u}, std::pair{32767.9f, 32767u}}) {
    draw(second, {{tilted(10), {cell, 1, 2, 3, 4, 5, 6, 7, 8}}});
    gdi::Surface expected = blank();
    expected.brush_colour = expected.pen_colour = colour;
    expected.fill_style = gdi::FILL_SOLID;
    gdi::Polygon(&expected, on_screen(tilted(10)).data(), 3);
    EXPECT_EQ(pixels(), expected.pixels()) << cell;
    EXPECT_EQ(Picture1.FillColor(), colour);
    EXPECT_EQ(Picture1.ForeColor(), colour);
  }
}

TEST_F(TableColoursTest, ZSortMakesOneEditionReadEveryColumn27Higher) {
  b3d::B3D second = with({.fill_colours = b3d::FillColours::Table,
                          .shade_rule = b3d::ShadeRule::None,
                          .z_sort_column_offset = true,
                          .gradient_entry = b3d::GradientEntry::Msimg32});
  const std::array<float, 9> colours = {9000, 9000, 9000, 9000, 9000, 9000, 9000, 9000, 9000};
  // The wide table holds the triangle and colours only in the columns that
  // nothing else writes.
  draw(second, {{tilted(10), colours}}, 73);
  b3d::Table& t = *second.TriangleTable;
  for (int c = b3d::kColour; c <= b3d::kLastColumn; ++c) std::swap(t(0, c), t(0, c + 27));

  Check6.set_Value(1);
  Picture1.Cls();
  second.DrawFilled(Picture1);
  gdi::Surface expected = blank();
  gradient(expected, tilted(10), {9000, 9000, 9000, 9000, 9000, 9000, 9000, 9000, 9000});
  EXPECT_EQ(pixels(), expected.pixels());

  // Unsorted it reads the usual columns, which now hold a degenerate triangle.
  Check6.set_Value(0);
  Picture1.Cls();
  second.DrawFilled(Picture1);
  EXPECT_EQ(pixels(), blank().pixels());

  // A table without the higher columns draws nothing.
  Check6.set_Value(1);
  draw(second, {{tilted(10), colours}});
  EXPECT_EQ(pixels(), blank().pixels());
}

TEST_F(TableColoursTest, ShadingBySignNegatesTheChannelsOfFacesTurnedAway) {
  b3d::B3D third = with({.fill_colours = b3d::FillColours::Table,
                         .shade_rule = b3d::ShadeRule::SignOfNx,
                         .gradient_entry = b3d::GradientEntry::Msimg32});
  const std::array<float, 9> colours = {1000, -2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000};
  // nx > 0 gives k = 1, nx < 0 gives k = -1, and a face in the screen plane
  // (nx = 0) k = 1 again.
  for (const auto& [depth, k] : {std::pair{10.0f, 1}, std::pair{-10.0f, -1}, std::pair{0.0f, 1}}) {
    draw(third, {{tilted(depth), colours}});
    std::array<std::int16_t, 9> channels;
    for (int i = 0; i < 9; ++i) channels[i] = static_cast<std::int16_t>(colours[i] * k);
    gdi::Surface expected = blank();
    gradient(expected, tilted(depth), channels);
    EXPECT_EQ(pixels(), expected.pixels()) << depth;
  }
  // Without "Shading" the face turned away keeps its colours.
  Check10.set_Value(0);
  draw(third, {{tilted(-10), colours}});
  gdi::Surface expected = blank();
  gradient(expected, tilted(-10), {1000, -2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000});
  EXPECT_EQ(pixels(), expected.pixels());
}

// Texture placement and the textured renderer: where the texture lands and
// which way up, the cut of its far half (once in the texture, or per
// triangle on the work surface), culling, and the clamped copy.

#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "b3d_fixture.h"

namespace {

using b3d::KeyColour;
using gdi::POINT;

// Screen points to table rows: the main view's centre is (158.5, 114.5), so
// whole screen points come back exactly.
void set_screen_triangle(b3d::Table& t, int r, std::array<POINT, 3> s) {
  for (int k = 0; k < 3; ++k) {
    t(r, b3d::kViewX1 + 3 * k) = static_cast<float>(s[k].x) - 158.5f;
    t(r, b3d::kViewY1 + 3 * k) = static_cast<float>(s[k].y) - 114.5f;
  }
}

// A clockwise triangle that places the texture on the square from (10,10)
// to (40,40); its counter-clockwise twin is drawn in the kelvo-render tests.
constexpr std::array<POINT, 3> kClockwise = {{{10, 40}, {10, 10}, {40, 10}}};

// The texel column and row of the test texture at 30/32 scale on that
// square, upright, as gdi32 shrinks it: of the texels from round(j * 32 / 30)
// on, a pixel takes the last in a row and the first in a column.
int texel_u(int x) { return (2 * (x - 10 + 1) * 32 + 30) / 60 - 1; }
int texel_v(int y) { return (2 * (y - 10) * 32 + 30) / 60; }
gdi::COLORREF texel_at(int x, int y) {
  return test_texture().pixels[static_cast<std::size_t>(texel_v(y) * 32 + texel_u(x))];
}

bool in_square(int x, int y) { return x >= 10 && x < 40 && y >= 10 && y < 40; }

}  // namespace

TEST(TexturePlacement, BoundsAndFarCorner) {
  const b3d::Bounds b = b3d::TriangleBounds({10, 10}, {40, 10}, {10, 40});
  EXPECT_EQ(b.MinX, 10);
  EXPECT_EQ(b.MinY, 10);
  EXPECT_EQ(b.MaxX, 40);
  EXPECT_EQ(b.MaxY, 40);
  const b3d::Bounds n = b3d::TriangleBounds({-5, 7}, {3, -9}, {-20, 2});
  EXPECT_EQ(n.MinX, -20);
  EXPECT_EQ(n.MinY, -9);
  EXPECT_EQ(n.MaxX, 3);
  EXPECT_EQ(n.MaxY, 7);

  const auto f = b3d::far_corner({10, 40}, {10, 10}, {40, 10});
  ASSERT_TRUE(f);
  EXPECT_EQ(f->x, 40);
  EXPECT_EQ(f->y, 40);
  // S1 = S3 gives 2 S1 - S2; a sum beyond 32 bits gives nothing, even when
  // the difference would fit.
  const auto g = b3d::far_corner({5, 6}, {1, 1}, {5, 6});
  EXPECT_EQ(g->x, 9);
  EXPECT_EQ(g->y, 11);
  EXPECT_FALSE(b3d::far_corner({2000000000, 0}, {2000000000, 0}, {2000000000, 0}));
}

class DrawTexturedTest : public B3DTest {
 protected:
  void draw(std::initializer_list<std::array<POINT, 3>> rows) {
    set_table(b3d::Table(static_cast<int>(rows.size()) - 1));
    int r = 0;
    for (const auto& s : rows) set_screen_triangle(table(), r++, s);
    Picture1.Cls();
    b3d.DrawTextured(Picture1);
  }
  // Every pixel of the main view against what it should show.
  void expect_view(const std::function<gdi::COLORREF(int, int)>& colour) {
    for (int y = 0; y < 229; ++y) {
      for (int x = 0; x < 317; ++x) {
        ASSERT_EQ(Picture1.image().pixel(x, y), colour(x, y)) << x << ", " << y;
      }
    }
  }
  gdi::COLORREF back() const { return Picture1.BackColor(); }
};

TEST_F(DrawTexturedTest, TheTextureLiesUprightOnTheTriangleUnlessItIsCulled) {
  // Culled: nothing drawn, and the texture is not cut either.
  draw({kClockwise});
  expect_view([&](int, int) { return back(); });
  EXPECT_EQ(b3d.TextureCut, 0);

  // Drawn at 30/32 scale with its top-left corner at (10, 10). Its cut half,
  // texels with u + v >= 32, stays transparent.
  Check5.set_Value(0);
  draw({kClockwise});
  expect_view([&](int x, int y) {
    if (!in_square(x, y)) return back();
    return texel_u(x) + texel_v(y) >= 32 ? back() : texel_at(x, y);
  });
  EXPECT_EQ(b3d.TextureCut, 1);
  EXPECT_EQ(Picture1.ScaleMode, toolkit::kScalePixels);
  EXPECT_TRUE(Picture1.AutoRedraw);
}

TEST_F(DrawTexturedTest, CorrectCutsTheTextureOnceForGoodOtherwiseEachTriangleIsCut) {
  Check5.set_Value(0);
  const gdi::Surface original = Picture5.image();
  auto cut = [&](int u, int v) { return u + v >= 32 ? KeyColour : original.pixel(u, v); };

  // Unchecked: the texture stays whole; on the work surface the triangle
  // S1, S3, F = (10,40), (40,10), (40,40) and its edge S1-S3 turn transparent.
  Check19.set_Value(0);
  draw({kClockwise});
  EXPECT_EQ(Picture5.image().pixels(), original.pixels());
  for (int y = 0; y < 230; ++y) {
    for (int x = 0; x < 321; ++x) {
      const bool texture = in_square(x, y) && x + y < 50;
      const gdi::COLORREF expected = texture ? texel_at(x, y) : KeyColour;
      ASSERT_EQ(Picture3.image().pixel(x, y), expected) << x << ", " << y;
    }
  }
  expect_view([&](int x, int y) {
    return in_square(x, y) && x + y < 50 ? texel_at(x, y) : back();
  });

  // Greyed: no cut anywhere, so the far half shows inside the bounds.
  Check19.set_Value(2);
  Picture3.Cls();
  draw({kClockwise});
  EXPECT_EQ(b3d.TextureCut, 0);
  expect_view([&](int x, int y) { return in_square(x, y) ? texel_at(x, y) : back(); });

  // Checked: the texture's lower-right half and its diagonal become the key
  // colour, and stay so when the box is unchecked again.
  for (int correct : {1, 0}) {
    Check19.set_Value(correct);
    Picture3.Cls();
    draw({kClockwise});
    EXPECT_EQ(b3d.TextureCut, 1);
    for (int v = 0; v < 32; ++v) {
      for (int u = 0; u < 32; ++u) {
        ASSERT_EQ(Picture5.image().pixel(u, v), cut(u, v)) << u << ", " << v;
      }
    }
  }
}

TEST_F(DrawTexturedTest, OnlyTheBoundsInsideTheDrawingAreaAreCopied) {
  // A work surface holding red everywhere shows exactly what is copied.
  Check5.set_Value(0);
  const auto fill_work_surface = [&] {
    gdi::Surface& s = *Picture3.hDC();
    for (int y = 0; y < s.height(); ++y) {
      for (int x = 0; x < s.width(); ++x) s.set_pixel(x, y, gdi::RGB(255, 0, 0));
    }
  };
  // Wholly left of, right of, above and below the area; a corner beyond 32
  // bits.
  for (const auto& s : std::initializer_list<std::array<POINT, 3>>{
           {{{-60, 40}, {-60, 10}, {-30, 10}}}, {{{330, 40}, {330, 10}, {360, 10}}},
           {{{10, -30}, {10, -60}, {40, -60}}}, {{{10, 270}, {10, 240}, {40, 240}}}}) {
    fill_work_surface();
    draw({s});
    expect_view([&](int, int) { return back(); });
  }
  fill_work_surface();
  set_table(b3d::Table(0));
  table()(0, b3d::kViewX1) = 1e30f;
  b3d.DrawTextured(Picture1);
  expect_view([&](int, int) { return back(); });
  // Corners that fit but whose far corner does not: warped, never copied.
  Check19.set_Value(0);
  draw({{{{1100000000, 1100000000}, {10, 10}, {1100000000, 10}}}});
  expect_view([&](int, int) { return back(); });
  EXPECT_NE(Picture3.image().pixel(20, 15), gdi::RGB(255, 0, 0));

  // Bounds (-50, -50) to (400, 300) are cut to the whole area, 317 x 229:
  // every pixel comes from the work surface unless it is transparent there,
  // the red beyond the parallelogram's sides included.
  fill_work_surface();
  draw({{{{100, 300}, {-50, -50}, {400, 100}}}});
  const gdi::Surface& work = Picture3.image();
  expect_view([&](int x, int y) {
    const gdi::COLORREF c = work.pixel(x, y);
    return c == KeyColour ? back() : c;
  });
  EXPECT_EQ(Picture1.image().pixel(0, 228), gdi::RGB(255, 0, 0));
  EXPECT_EQ(Picture1.image().pixel(316, 0), gdi::RGB(255, 0, 0));
}

TEST_F(DrawTexturedTest, TheFirstTexturedRendererWarpsTheWholeOfPicture2) {
  // Picture2 is 42 pixels a side on pure blue; the 32-pixel texture fills its
  // top-left corner, and the blue rest of the warp stays transparent.
  Picture2.rect = {0, 0, 630, 630};
  Picture2.ScaleMode = toolkit::kScalePixels;
  Picture2.set_BackColor(KeyColour);
  Picture2.layout();
  Picture2.Cls();
  b3d::B3D staged = with({.texture_source = b3d::TextureSource::StagedInPicture2});

  // Edges of 42 pixels from vertex 2 at (10, 10) show the texture at its
  // natural size, cut off by the third edge.
  Check5.set_Value(0);
  staged.TriangleTable = b3d::Table(0);
  set_screen_triangle(*staged.TriangleTable, 0, {{{10, 52}, {10, 10}, {52, 10}}});
  Picture1.Cls();
  staged.DrawTextured(Picture1);
  for (int v = 0; v < 42; ++v) {
    for (int u = 0; u < 42; ++u) {
      if (u + v > 40) continue;  // the diagonal edge belongs to the cut
      const bool texture = u < 32 && v < 32;
      ASSERT_EQ(Picture1.image().pixel(10 + u, 10 + v),
                texture ? test_texture().pixels[static_cast<std::size_t>(v * 32 + u)] : back())
          << u << ", " << v;
    }
  }
  EXPECT_EQ(Picture1.image().pixel(60, 60), back());
  // The texture itself is never cut, and Picture2 shows it.
  EXPECT_EQ(Picture5.image().pixels(), test_texture().pixels);
  EXPECT_EQ(Picture2.image().pixel(31, 31), test_texture().pixels.back());
  EXPECT_EQ(Picture2.image().pixel(32, 0), KeyColour);
}

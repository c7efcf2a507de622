// Gradient triangles, transparent copies and the parallelogram warp drawn by
// our rasteriser and by gdi32.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <vector>

#include "editions/textures.h"
#include "platform/gdi/bmp.h"
#include "platform/gdi/gradient.h"
#include "platform/gdi/plg_blt.h"
#include "platform/gdi/transparent_blt.h"
#include "tests/gdi32/same_as_gdi32.h"

namespace gdi32_test {
namespace {

using gdi::POINT;
using gdi::TRIVERTEX;

constexpr int kScenes = 3000;
constexpr COLORREF kKey = 0xFF0000;  // the renderers' transparent blue

// Wine's gdi32 fills a triangle wrongly once twice its area passes 2^31 (a
// corner a million pixels away): its products overflow, where ours are
// exact. Corners stay within 10000 pixels, where both agree.
constexpr std::int32_t kFarCorner = 10000;

// A channel anywhere in 16 bits, the ends and the bytes' edges often.
gdi::COLOR16 any_channel(std::mt19937& rng) {
  switch (rng() % 6) {
    case 0: return 0;
    case 1: return 0xFFFF;
    case 2: return static_cast<gdi::COLOR16>((rng() % 256) << 8 | (rng() % 2 ? 0xFF : 0));
    default: return static_cast<gdi::COLOR16>(rng());
  }
}

TEST(SameAsGdi32, RandomGradientTriangles) {
  if (!have_gdi32()) GTEST_SKIP() << "no gdi32 here";
  for (std::uint32_t seed = 1; seed <= kScenes; ++seed) {
    std::mt19937 rng(seed);
    const int w = any_side(rng), h = any_side(rng);
    const COLORREF back = any_colour(rng);
    std::vector<TRIVERTEX> v(3 + rng() % 3);
    for (TRIVERTEX& t : v) {
      t = {any_coordinate(rng, w, kFarCorner), any_coordinate(rng, h, kFarCorner),
           any_channel(rng), any_channel(rng),
           any_channel(rng), any_channel(rng)};
    }
    const auto n = static_cast<std::uint32_t>(v.size());
    std::vector<gdi::GRADIENT_TRIANGLE> mesh(1 + rng() % 2);
    for (gdi::GRADIENT_TRIANGLE& t : mesh) t = {rng() % n, rng() % n, rng() % n};
    ASSERT_TRUE(same_as_gdi32(seed, w, h, back, [&](Surface& s, const Band& band) {
      gdi::GdiGradientFill(&s, v.data(), n, mesh.data(), static_cast<std::uint32_t>(mesh.size()),
                           gdi::GRADIENT_FILL_TRIANGLE, band);
    }));
  }
}

// A picture of random colours, a third of them the key colour.
Surface any_picture(std::mt19937& rng) {
  Surface s(any_side(rng), any_side(rng), 0);
  for (int y = 0; y < s.height(); ++y) {
    for (int x = 0; x < s.width(); ++x) s.set_pixel(x, y, rng() % 3 ? any_colour(rng) : kKey);
  }
  return s;
}

TEST(SameAsGdi32, RandomTransparentCopies) {
  if (!have_gdi32()) GTEST_SKIP() << "no gdi32 here";
  for (std::uint32_t seed = 1; seed <= kScenes; ++seed) {
    std::mt19937 rng(seed);
    const int w = any_side(rng), h = any_side(rng);
    Surface source = any_picture(rng);
    struct Copy {
      int x, y, width, height, x_src, y_src;
    };
    std::vector<Copy> copies(1 + rng() % 3);
    // Anywhere on or off the destination, from within the source: what
    // gdi32 copies from beyond a bitmap's edge (black, under Wine) is no
    // pixel of it, and the renderers' work surface covers every copy.
    const auto near = [&rng](int size) { return static_cast<int>(rng() % (size + 12)) - 6; };
    const auto within = [&rng](int size, int length) {
      return static_cast<int>(rng() % static_cast<unsigned>(size - std::max(length, 0) + 1));
    };
    for (Copy& c : copies) {
      const int width = static_cast<int>(rng() % (source.width() + 3)) - 2;
      const int height = static_cast<int>(rng() % (source.height() + 3)) - 2;
      c = {near(w), near(h), width, height, within(source.width(), width),
           within(source.height(), height)};
    }
    ASSERT_TRUE(same_as_gdi32(seed, w, h, any_colour(rng), [&](Surface& s, const Band& band) {
      for (const Copy& c : copies) {
        gdi::GdiTransparentBlt(&s, c.x, c.y, c.width, c.height, &source, c.x_src, c.y_src,
                               c.width, c.height, kKey, band);
      }
    }));
  }
}

std::vector<Surface> shipped_textures() {
  std::vector<Surface> out;
  for (const std::span<const std::uint8_t> bytes :
       {editions::edition5_texture(), editions::edition6_texture(), editions::edition9_texture(),
        editions::edition10_texture()}) {
    const gdi::Bitmap b = gdi::read_bmp(bytes);
    Surface s(b.width, b.height, 0);
    for (int y = 0; y < b.height; ++y) {
      for (int x = 0; x < b.width; ++x) s.set_pixel(x, y, b.pixels[y * b.width + x]);
    }
    out.push_back(std::move(s));
  }
  return out;
}

TEST(SameAsGdi32, UprightAndMirroredWarpsOfTheTextures) {
  if (!have_gdi32()) GTEST_SKIP() << "no gdi32 here";
  std::vector<Surface> textures = shipped_textures();
  for (std::uint32_t seed = 1; seed <= kScenes; ++seed) {
    std::mt19937 rng(seed);
    Surface& texture = textures[rng() % textures.size()];
    const int w = any_side(rng) + 20, h = any_side(rng) + 20;
    // Either side from 1 to 90 pixels long, either way round; but never a
    // single upright column: Wine's gdi32 takes the last texel but one of a
    // row for it, against the last for every other width and for a single
    // mirrored column, which we take to be a slip of its own.
    const auto side = [&rng](bool across) {
      const int length = 1 + static_cast<int>(rng() % 90);
      if (across && length == 1) return -1;
      return rng() % 2 ? length : -length;
    };
    const int x = static_cast<int>(rng() % (w + 40)) - 20;
    const int y = static_cast<int>(rng() % (h + 40)) - 20;
    const POINT placement[3] = {{x, y}, {x + side(true), y}, {x, y + side(false)}};
    ASSERT_TRUE(same_as_gdi32(seed, w, h, any_colour(rng), [&](Surface& s, const Band& band) {
      gdi::PlgBlt(&s, placement, &texture, 0, 0, texture.width(), texture.height(), band);
    })) << "placement " << placement[0].x << "," << placement[0].y << " " << placement[1].x
        << "," << placement[1].y << " " << placement[2].x << "," << placement[2].y;
  }
}

}  // namespace
}  // namespace gdi32_test

// Lines and polygons drawn by our rasteriser and by gdi32.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/lines.h"
#include "platform/gdi/polygon.h"
#include "tests/gdi32/same_as_gdi32.h"

namespace gdi32_test {
namespace {

using gdi::POINT;

constexpr int kScenes = 3000;

std::vector<POINT> any_points(std::mt19937& rng, int count, int width, int height,
                              std::int32_t far = 1000000) {
  std::vector<POINT> p(static_cast<std::size_t>(count));
  for (POINT& q : p) q = {any_coordinate(rng, width, far), any_coordinate(rng, height, far)};
  return p;
}

TEST(SameAsGdi32, LinesInEveryDirection) {
  if (!have_gdi32()) GTEST_SKIP() << "no gdi32 here";
  // From a point inside to every point up to three pixels beyond the edges,
  // and back: every slope a surface of this size has, each way round.
  for (const int side : {19, 20}) {
    const int c = side / 2;
    for (int x = -3; x < side + 3; ++x) {
      for (int y = -3; y < side + 3; ++y) {
        for (const bool outward : {true, false}) {
          const POINT line[2] = {outward ? POINT{c, c} : POINT{x, y},
                                 outward ? POINT{x, y} : POINT{c, c}};
          ASSERT_TRUE(same_as_gdi32(0, side, side, 0, [&](Surface& s, const Band& band) {
            gdi::Polyline(&s, line, 2, 0xFFFFFF, band);
          })) << "from " << line[0].x << "," << line[0].y << " to " << line[1].x << "," << line[1].y;
        }
      }
    }
  }
}

TEST(SameAsGdi32, RandomPolylines) {
  if (!have_gdi32()) GTEST_SKIP() << "no gdi32 here";
  for (std::uint32_t seed = 1; seed <= kScenes; ++seed) {
    std::mt19937 rng(seed);
    const int w = any_side(rng), h = any_side(rng);
    const COLORREF back = any_colour(rng);
    std::vector<std::vector<POINT>> lines(1 + rng() % 4);
    std::vector<COLORREF> pens;
    for (auto& line : lines) {
      line = any_points(rng, 2 + static_cast<int>(rng() % 4), w, h);
      pens.push_back(any_colour(rng));
    }
    ASSERT_TRUE(same_as_gdi32(seed, w, h, back, [&](Surface& s, const Band& band) {
      for (std::size_t k = 0; k < lines.size(); ++k) {
        gdi::Polyline(&s, lines[k].data(), static_cast<int>(lines[k].size()), pens[k], band);
      }
    }));
  }
}

TEST(SameAsGdi32, RandomMoveToAndLineTo) {
  if (!have_gdi32()) GTEST_SKIP() << "no gdi32 here";
  for (std::uint32_t seed = 1; seed <= kScenes / 4; ++seed) {
    std::mt19937 rng(seed);
    const int w = any_side(rng), h = any_side(rng);
    const COLORREF back = any_colour(rng);
    const std::vector<POINT> p = any_points(rng, 2 + static_cast<int>(rng() % 5), w, h);
    const COLORREF pen = any_colour(rng);
    const auto scene = [&](Surface& s, const Band&) {
      s.pen_colour = pen;
      gdi::MoveToEx(&s, p[0].x, p[0].y, nullptr);
      for (std::size_t k = 1; k < p.size(); ++k) gdi::LineTo(&s, p[k].x, p[k].y);
    };
    ASSERT_TRUE(same_as_gdi32(seed, w, h, back, scene, false));
  }
}

TEST(SameAsGdi32, RandomPolygons) {
  if (!have_gdi32()) GTEST_SKIP() << "no gdi32 here";
  for (std::uint32_t seed = 1; seed <= kScenes; ++seed) {
    std::mt19937 rng(seed);
    const int w = any_side(rng), h = any_side(rng);
    const COLORREF back = any_colour(rng);
    std::vector<std::vector<POINT>> polygons(1 + rng() % 3);
    std::vector<gdi::PolygonStyle> styles;
    for (auto& polygon : polygons) {
      // Wine's gdi32 takes seconds over a polygon a million pixels across.
      polygon = any_points(rng, 3 + static_cast<int>(rng() % 4), w, h, 20000);
      styles.push_back({any_colour(rng), any_colour(rng), rng() % 4 != 0});
    }
    ASSERT_TRUE(same_as_gdi32(seed, w, h, back, [&](Surface& s, const Band& band) {
      for (std::size_t k = 0; k < polygons.size(); ++k) {
        gdi::Polygon(&s, polygons[k].data(), static_cast<int>(polygons[k].size()), styles[k],
                     band);
      }
    }));
  }
}

}  // namespace
}  // namespace gdi32_test

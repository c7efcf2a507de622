#include <gtest/gtest.h>

#include "platform/gdi/plg_blt.h"
#include "platform/gdi/transparent_blt.h"
#include "tests/gdi/reference.h"

namespace gdi {
namespace {

using gdi_test::i128;
using gdi_test::image_is;

constexpr COLORREF kBack = RGB(1, 2, 3);

// Texel (u, v) of the test textures is RGB(u, v, 200).
Surface texture(int w, int h) {
  Surface t(w, h, 0);
  for (int v = 0; v < h; ++v) {
    for (int u = 0; u < w; ++u) t.set_pixel(u, v, RGB(u, v, 200));
  }
  return t;
}

TEST(PlgBlt, UprightAndMirroredTexturesAsGdi32StretchesThem) {
  // 32 texels shrunk to 30 pixels: of the texels from round(j * 32 / 30) on,
  // a pixel takes the last in a row and the first in a column. A mirrored
  // warp is the mirror image about its first corner's pixel.
  Surface tex = texture(32, 32);
  const auto last_in_row = [](int j) { return (2 * (j + 1) * 32 + 30) / 60 - 1; };
  const auto first_in_column = [](int j) { return (2 * j * 32 + 30) / 60; };
  const POINT upright[3] = {{10, 10}, {40, 10}, {10, 40}};
  const POINT mirrored[3] = {{40, 10}, {10, 10}, {40, 40}};
  for (const POINT* pts : {upright, mirrored}) {
    Surface s(50, 50, kBack);
    PlgBlt(&s, pts, &tex, 0, 0, 32, 32, nullptr, 0, 0);
    const int left = pts == upright ? 10 : 11;
    EXPECT_TRUE(image_is(s, [&](int x, int y) {
      if (x < left || x >= left + 30 || y < 10 || y >= 40) return kBack;
      const int j = pts == upright ? x - 10 : 40 - x;
      return RGB(last_in_row(j), first_in_column(y - 10), 200);
    }));
  }
  // 8 texels enlarged to 12 pixels: texel t from pixel round(t * 1.5) on,
  // halves rounded up.
  Surface small = texture(8, 8), s(20, 20, kBack);
  const POINT enlarged[3] = {{0, 0}, {12, 0}, {0, 12}};
  PlgBlt(&s, enlarged, &small, 0, 0, 8, 8, nullptr, 0, 0);
  const int first[12] = {0, 0, 1, 2, 2, 3, 4, 4, 5, 6, 6, 7};
  for (int j = 0; j < 12; ++j) EXPECT_EQ(s.pixel(j, j), RGB(first[j], first[j], 200)) << j;
}

TEST(PlgBlt, ReflectedAboutTheDiagonal) {
  // Not upright: the general mapping, a pixel centre's place in the
  // parallelogram taken to the texel it falls in.
  Surface tex = texture(32, 32);
  const POINT reflected[3] = {{10, 10}, {10, 40}, {40, 10}};
  Surface s(50, 50, kBack);
  PlgBlt(&s, reflected, &tex, 0, 0, 32, 32, nullptr, 0, 0);
  EXPECT_TRUE(image_is(s, [&](int x, int y) {
    if (x < 10 || x >= 40 || y < 10 || y >= 40) return kBack;
    return RGB((y - 10) * 32 / 30, (x - 10) * 32 / 30, 200);
  }));
}

TEST(PlgBlt, RandomParallelogramsMatchFormula) {
  std::mt19937 rng(23);
  Surface tex = texture(9, 7), s(21, 17, kBack);
  for (int k = 0; k < 2000; ++k) {
    POINT p[3];
    for (POINT& q : p) {
      q = k % 4 ? POINT{int(rng() % 41) - 10, int(rng() % 37) - 10}
                : POINT{gdi_test::random_coord(rng, 21), gdi_test::random_coord(rng, 17)};
    }
    const int xs = int(rng() % 7) - 3, ys = int(rng() % 5) - 2;  // partly outside the source
    const int w = 1 + rng() % 9, h = 1 + rng() % 7;
    s.Cls();
    PlgBlt(&s, p, &tex, xs, ys, w, h, nullptr, 0, 0);
    const i128 e1x = i128{p[1].x} - p[0].x, e1y = i128{p[1].y} - p[0].y;
    const i128 e2x = i128{p[2].x} - p[0].x, e2y = i128{p[2].y} - p[0].y;
    const i128 d = e1x * e2y - e1y * e2x;
    struct {
      int64_t x, y;
    } quad[4] = {{p[0].x, p[0].y}, {p[1].x, p[1].y},
                 {int64_t{p[1].x} + p[2].x - p[0].x, int64_t{p[1].y} + p[2].y - p[0].y},
                 {p[2].x, p[2].y}};
    ASSERT_TRUE(image_is(s, [&](int x, int y) {
      if (d == 0 || !gdi_test::covered(quad, x, y)) return kBack;
      const i128 px = x - i128{p[0].x}, py = y - i128{p[0].y};
      // floor(a * w) with a = cross(p - P0, E2) / D, likewise b; D may be negative.
      i128 na = (px * e2y - py * e2x) * w, nb = (e1x * py - e1y * px) * h, dd = d;
      if (dd < 0) na = -na, nb = -nb, dd = -dd;
      const int64_t u = xs + std::clamp<int64_t>(int64_t(na / dd), 0, w - 1);
      const int64_t v = ys + std::clamp<int64_t>(int64_t(nb / dd), 0, h - 1);
      return u >= 0 && u < 9 && v >= 0 && v < 7 ? RGB(u, v, 200) : kBack;
    })) << k;
  }
}

TEST(PlgBlt, DegenerateMaskOrEmptyDrawsNothing) {
  Surface tex = texture(8, 8), s(20, 20, kBack);
  const POINT flat[3] = {{1, 1}, {5, 5}, {9, 9}}, ok[3] = {{1, 1}, {9, 1}, {1, 9}};
  const int mask = 0;
  PlgBlt(&s, flat, &tex, 0, 0, 8, 8, nullptr, 0, 0);
  PlgBlt(&s, ok, &tex, 0, 0, 8, 8, &mask, 0, 0);
  PlgBlt(&s, ok, &tex, 0, 0, 0, 8, nullptr, 0, 0);
  PlgBlt(&s, ok, &tex, 0, 0, 8, -1, nullptr, 0, 0);
  PlgBlt(&s, ok, &tex, 8, 0, 8, 8, nullptr, 0, 0);  // every texel outside the source
  EXPECT_EQ(s.pixels(), Surface(20, 20, kBack).pixels());
}

TEST(TransparentBlt, SkipsKeyAndClips) {
  Surface src = texture(6, 5), s(8, 8, kBack);
  const COLORREF key = RGB(2, 1, 200);
  GdiTransparentBlt(&s, -1, 4, 6, 5, &src, 0, 0, 6, 5, key);
  EXPECT_TRUE(image_is(s, [&](int x, int y) {
    const COLORREF c = RGB(x + 1, y - 4, 200);
    return y >= 4 && x < 5 && c != key ? c : kBack;
  }));
  // Mismatched, empty or negative sizes, and offsets far out, copy nothing.
  Surface t(8, 8, kBack);
  GdiTransparentBlt(&t, 0, 0, 6, 5, &src, 0, 0, 5, 5, key);
  GdiTransparentBlt(&t, 0, 0, 0, 5, &src, 0, 0, 0, 5, key);
  GdiTransparentBlt(&t, 0, 0, -6, -5, &src, 0, 0, -6, -5, key);
  GdiTransparentBlt(&t, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, &src, INT32_MIN, 0,
                    INT32_MAX, INT32_MAX, key);
  EXPECT_EQ(t.pixels(), Surface(8, 8, kBack).pixels());
  // Source pixels outside the source surface are left out; a huge copy clips.
  GdiTransparentBlt(&t, 2, 0, INT32_MAX, 3, &src, -2, 3, INT32_MAX, 3, key);
  EXPECT_TRUE(image_is(t, [](int x, int y) { return x >= 4 && y < 2 ? RGB(x - 4, y + 3, 200) : kBack; }));
  // Within one surface the pixels are read as they were before the copy.
  Surface u = texture(6, 6);
  GdiTransparentBlt(&u, 1, 1, 5, 5, &u, 0, 0, 5, 5, 0);
  EXPECT_TRUE(image_is(u, [](int x, int y) {
    return x > 0 && y > 0 ? RGB(x - 1, y - 1, 200) : RGB(x, y, 200);
  }));
}

}  // namespace
}  // namespace gdi

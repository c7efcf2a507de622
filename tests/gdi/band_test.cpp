// Every drawing call that takes a band draws, band by band, exactly what it
// draws on the whole surface at once, and nothing outside its band: the
// promise that lets two threads draw the halves of one picture.

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "platform/gdi/gradient.h"
#include "platform/gdi/lines.h"
#include "platform/gdi/plg_blt.h"
#include "platform/gdi/polygon.h"
#include "platform/gdi/transparent_blt.h"
#include "tests/gdi/reference.h"

namespace gdi {
namespace {

constexpr COLORREF kBack = RGB(1, 2, 3);
constexpr int kWidth = 23;
constexpr int kHeight = 17;

// A drawing call on a surface, within a band.
using Draw = std::function<void(Surface&, const Band&)>;

// Draws whole, then in bands split at random rows (some empty, some beyond
// the surface), and checks that both pictures agree and that a band alone
// touches only its rows.
void expect_bands_match(const Draw& draw, std::mt19937& rng, int round) {
  Surface whole(kWidth, kHeight, kBack);
  draw(whole, kAllRows);

  int split = static_cast<int>(rng() % (kHeight + 4)) - 2;
  Surface banded(kWidth, kHeight, kBack);
  draw(banded, {-5, split});
  draw(banded, {split, kHeight + 5});
  ASSERT_EQ(banded.pixels(), whole.pixels()) << round << " split at " << split;

  split = static_cast<int>(rng() % kHeight);
  Surface alone(kWidth, kHeight, kBack);
  draw(alone, {split, kHeight});
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      ASSERT_EQ(alone.pixel(x, y), y < split ? kBack : whole.pixel(x, y)) << round;
    }
  }
}

POINT random_point(std::mt19937& rng) {
  // Mostly near the surface, where the small shapes of a frame are, and
  // sometimes far off, where the clipped starts need wide arithmetic.
  if (rng() % 8 == 0) {
    return {gdi_test::random_coord(rng, kWidth), gdi_test::random_coord(rng, kHeight)};
  }
  return {static_cast<int>(rng() % (kWidth + 10)) - 5,
          static_cast<int>(rng() % (kHeight + 10)) - 5};
}

TEST(Band, EveryBandedCallDrawsItsPartOfTheWholePicture) {
  std::mt19937 rng(29);
  for (int round = 0; round < 3000; ++round) {
    const POINT p[3] = {random_point(rng), random_point(rng), random_point(rng)};
    const auto channel = [&] { return static_cast<COLOR16>(rng() % 65536); };

    const TRIVERTEX v[3] = {{p[0].x, p[0].y, channel(), channel(), channel(), 0},
                            {p[1].x, p[1].y, channel(), channel(), channel(), 0},
                            {p[2].x, p[2].y, channel(), channel(), channel(), 0}};
    const GRADIENT_TRIANGLE mesh[1] = {{0, 1, 2}};
    expect_bands_match(
        [&](Surface& s, const Band& band) {
          GdiGradientFill(&s, v, 3, mesh, 1, GRADIENT_FILL_TRIANGLE, band);
        },
        rng, round);

    const POINT outline[4] = {p[0], p[1], p[2], p[0]};
    expect_bands_match(
        [&](Surface& s, const Band& band) { Polyline(&s, outline, 4, RGB(9, 9, 9), band); },
        rng, round);

    const PolygonStyle style{RGB(200, 10, 10), RGB(10, 200, 10), round % 3 != 0};
    expect_bands_match([&](Surface& s, const Band& band) { Polygon(&s, p, 3, style, band); },
                       rng, round);

    // A texture warped onto the parallelogram of the three points, then a
    // rectangle copied without the key colour to a second
    // surface, as the textured renderer does.
    Surface texture(5, 4, kBack);
    for (int k = 0; k < 20; ++k) texture.set_pixel(k % 5, k / 5, rng() % 3 ? RGB(k, 9, 9) : kBack);
    const POINT corner = random_point(rng);
    const int w = static_cast<int>(rng() % kWidth), h = static_cast<int>(rng() % kHeight);
    expect_bands_match(
        [&](Surface& s, const Band& band) {
          // Half the work surface's rows keep a colour of their own, so a
          // copy that strays outside its band shows.
          Surface work(kWidth, kHeight, RGB(0, 0, 255));
          for (int y = 0; y < kHeight; y += 2) work.set_pixel(y, y, RGB(4, 4, 4));
          PlgBlt(&work, p, &texture, 0, 0, 5, 4, band);
          GdiTransparentBlt(&s, corner.x, corner.y, w, h, &work, corner.x, corner.y, w, h,
                            RGB(0, 0, 255), band);
        },
        rng, round);
  }
}

}  // namespace
}  // namespace gdi

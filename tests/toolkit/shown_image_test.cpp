#include <gtest/gtest.h>

#include "platform/gdi/surface.h"
#include "platform/toolkit/shown_image.h"

namespace {

using toolkit::PixelBox;
using toolkit::ShownImage;

constexpr gdi::COLORREF kBack = 0x00FFC0C0;

TEST(ShownImage, AnUnknownScreenNeedsTheWholeImageAndOnlyAWholeDrawingMakesItKnown) {
  gdi::Surface image(7, 5, kBack);
  ShownImage shown;
  EXPECT_EQ(shown.changes(image), (PixelBox{0, 0, 7, 5}));
  shown.drawn(image, {1, 1, 3, 3});  // a part over an unknown rest
  EXPECT_EQ(shown.changes(image), (PixelBox{0, 0, 7, 5}));
  shown.drawn(image, {-2, -1, 20, 20});  // more than the image is still all of it
  EXPECT_EQ(shown.changes(image), PixelBox{});

  shown.forget();
  EXPECT_EQ(shown.changes(image), (PixelBox{0, 0, 7, 5}));
  shown.drawn(image, {0, 0, 7, 5});
  gdi::Surface wider(8, 5, kBack);  // same pixels, other shape
  EXPECT_EQ(shown.changes(wider), (PixelBox{0, 0, 8, 5}));
}

TEST(ShownImage, ChangesAreBoundedByTheChangedPixels) {
  gdi::Surface image(9, 6, kBack);
  ShownImage shown;
  shown.drawn(image, {0, 0, 9, 6});

  image.set_pixel(0, 0, 1);  // corners, one at a time, then together
  EXPECT_EQ(shown.changes(image), (PixelBox{0, 0, 1, 1}));
  image.set_pixel(0, 0, kBack);
  image.set_pixel(8, 5, 1);
  EXPECT_EQ(shown.changes(image), (PixelBox{8, 5, 1, 1}));
  image.set_pixel(0, 0, 1);
  EXPECT_EQ(shown.changes(image), (PixelBox{0, 0, 9, 6}));

  // The left edge found in one row and the right edge in another.
  image.Cls();
  image.set_pixel(2, 3, 1);
  image.set_pixel(6, 1, 1);
  image.set_pixel(4, 2, 1);
  EXPECT_EQ(shown.changes(image), (PixelBox{2, 1, 5, 3}));
}

TEST(ShownImage, DrawingTheChangedBoxBringsTheScreenUpToDate) {
  gdi::Surface image(6, 6, kBack);
  ShownImage shown;
  shown.drawn(image, {0, 0, 6, 6});
  image.set_pixel(2, 2, 1);
  image.set_pixel(3, 4, 2);
  const PixelBox box = shown.changes(image);
  shown.drawn(image, box);
  EXPECT_EQ(shown.changes(image), PixelBox{});

  // A drawn box remembers only its own pixels: a change outside it, made
  // before it was drawn, is still to be shown.
  image.set_pixel(5, 0, 3);
  image.set_pixel(0, 5, 3);
  shown.drawn(image, {4, 0, 2, 2});
  EXPECT_EQ(shown.changes(image), (PixelBox{0, 5, 1, 1}));
}

}  // namespace

// The GIF's palette: exact while the colours fit, a close one when they do not.

#include <gtest/gtest.h>

#include <algorithm>

#include "tools/gif_writer.h"

namespace {

using gdi::COLORREF;

int channel_error(COLORREF a, COLORREF b) {
  const auto apart = [](unsigned x, unsigned y) { return static_cast<int>(x > y ? x - y : y - x); };
  return std::max({apart(gdi::GetRValue(a), gdi::GetRValue(b)),
                   apart(gdi::GetGValue(a), gdi::GetGValue(b)),
                   apart(gdi::GetBValue(a), gdi::GetBValue(b))});
}

}  // namespace

TEST(GifPalette, KeepsEveryColourWhenTheyFit) {
  std::unordered_map<COLORREF, std::uint64_t> histogram;
  for (int grey = 0; grey < 255; ++grey) histogram[gdi::RGB(grey, grey, grey)] = 1 + grey % 7;
  histogram[gdi::RGB(192, 192, 255)] = 50000;
  const auto palette = tools::choose_palette(histogram, 256);
  ASSERT_EQ(palette.size(), 256u);
  EXPECT_TRUE(std::is_sorted(palette.begin(), palette.end()));
  for (const auto& [colour, count] : histogram) {
    EXPECT_EQ(palette[tools::nearest_colour(palette, colour)], colour);
  }
}

TEST(GifPalette, CutsAColourCubeEvenlyAndKeepsTheBackground) {
  // 4096 colours, every 17th level of each channel, and a background that
  // fills most of the picture.
  std::unordered_map<COLORREF, std::uint64_t> histogram;
  for (int r = 0; r < 256; r += 17) {
    for (int g = 0; g < 256; g += 17) {
      for (int b = 0; b < 256; b += 17) histogram[gdi::RGB(r, g, b)] = 3;
    }
  }
  histogram[gdi::RGB(192, 192, 255)] = 60000;
  const auto palette = tools::choose_palette(histogram, 256);
  EXPECT_LE(palette.size(), 256u);
  EXPECT_EQ(palette, tools::choose_palette(histogram, 256));  // the same every time

  const COLORREF background = gdi::RGB(192, 192, 255);
  EXPECT_EQ(palette[tools::nearest_colour(palette, background)], background);
  // Sixteen lattice points to an entry on average: at best a 2 x 2 x 4 block,
  // whose far points lie 1.5 steps (26 levels) from its centre on the long
  // side. The cuts are less even than that (two steps today); 2.5 steps, 42
  // levels, is the limit. A lost corner of the cube or a palette bunched in
  // one region leaves points four steps away or more.
  int worst = 0;
  for (const auto& [colour, count] : histogram) {
    worst = std::max(worst, channel_error(colour, palette[tools::nearest_colour(palette, colour)]));
  }
  EXPECT_LE(worst, 42);
}

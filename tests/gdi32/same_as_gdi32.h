#pragma once
// Scenes drawn twice, through our rasteriser and through gdi32, into
// surfaces of the same size: every pixel must be equal. A failure names the
// scene's seed, which draws it again, and the first pixels that differ.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <sstream>
#include <string>

#include "platform/gdi/band.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/system_gdi.h"

namespace gdi32_test {

using gdi::Band;
using gdi::COLORREF;
using gdi::Surface;

// A colour of any bytes.
inline COLORREF any_colour(std::mt19937& rng) { return rng() & 0xFFFFFFu; }

// Sides from 1 to 40, odd and even alike.
inline int any_side(std::mt19937& rng) { return 1 + static_cast<int>(rng() % 40); }

// A coordinate on or near a surface of the given size, now and then up to
// `far` beyond it on either side.
inline std::int32_t any_coordinate(std::mt19937& rng, int size, std::int32_t far = 1000000) {
  switch (rng() % 8) {
    case 0: return static_cast<std::int32_t>(rng() % 20001) - 10000;
    case 1: return static_cast<std::int32_t>(rng() % (2u * far + 1)) - far;
    default: return static_cast<std::int32_t>(rng() % (size + 8)) - 4;
  }
}

// scene(surface, band) draws the scene within the band. gdi32's picture is
// drawn whole or, for every other seed when bands are allowed, in two bands
// split at a random row, as the renderers' two threads draw it.
template <class Scene>
::testing::AssertionResult same_as_gdi32(std::uint32_t seed, int width, int height,
                                         COLORREF back, const Scene& scene,
                                         bool in_bands = true) {
  Surface ours(width, height, back);
  Surface theirs(width, height, back);
  gdi::set_system_drawing(false);
  scene(ours, gdi::kAllRows);
  gdi::set_system_drawing(true);
  if (!in_bands || seed % 2 == 0) {
    scene(theirs, gdi::kAllRows);
  } else {
    const int split = static_cast<int>(seed / 2 % static_cast<std::uint32_t>(height + 1));
    scene(theirs, Band{gdi::kAllRows.top, split});
    scene(theirs, Band{split, gdi::kAllRows.bottom});
  }
  gdi::set_system_drawing(false);

  std::ostringstream differences;
  int count = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (ours.pixel(x, y) == theirs.pixel(x, y)) continue;
      if (++count <= 6) {
        differences << " (" << x << "," << y << ") ours 0x" << std::hex << ours.pixel(x, y)
                    << " gdi32 0x" << theirs.pixel(x, y) << std::dec;
      }
    }
  }
  if (count == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "seed " << seed << ", " << width << " x " << height
                                       << ": " << count << " pixels differ:" << differences.str();
}

// Whether gdi32 draws here at all: the Windows build, where the tests run
// under Wine or Windows.
inline bool have_gdi32() {
  const bool on = gdi::set_system_drawing(true);
  gdi::set_system_drawing(false);
  return on;
}

}  // namespace gdi32_test

// The screen mapping of a row's corners and the back-face value, each against
// the rule written out plainly here, on values around every edge of their
// ranges.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>

#include "b3d/screen_mapping.h"
#include "platform/toolkit/picture_box.h"

namespace {

__extension__ typedef __int128 i128;

// The pixel of table value v on an axis whose centre is c: the single sum,
// to the nearest integer, ties to even, nothing outside 32 bits.
std::optional<std::int32_t> pixel(float v, float c) {
  const double sum = v + c;
  if (!(sum >= -2147483648.5 && sum < 2147483647.5)) return std::nullopt;
  return static_cast<std::int32_t>(std::nearbyint(sum));
}

// Each step of the back-face value in 32-bit integers, nothing when one
// leaves them.
std::optional<std::int32_t> back_face(gdi::POINT p0, gdi::POINT p1, gdi::POINT p2) {
  const auto fits = [](i128 v) { return v >= INT32_MIN && v <= INT32_MAX; };
  const i128 a = i128{p0.y} - p2.y, b = i128{p1.x} - p0.x;
  const i128 c = i128{p0.x} - p2.x, d = i128{p1.y} - p0.y;
  if (!fits(a) || !fits(b) || !fits(c) || !fits(d) || !fits(a * b) || !fits(c * d) ||
      !fits(a * b - c * d)) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(a * b - c * d);
}

float odd_value(std::mt19937& rng) {
  const float values[] = {0.5f, 1.5f, -0.5f, -2.5f, 2147483520.0f, -2147483648.0f,
                          2147483648.0f, -2147483904.0f, 16383.5f, -16384.5f, 16384.0f,
                          std::numeric_limits<float>::infinity(),
                          std::numeric_limits<float>::quiet_NaN(), 1e30f, -1e-30f};
  switch (rng() % 3) {
    case 0: return values[rng() % std::size(values)];
    case 1: return static_cast<float>(static_cast<int>(rng() % 2001) - 1000) * 0.25f;
    default: return std::uniform_real_distribution<float>(-40000, 40000)(rng);
  }
}

TEST(ScreenMapping, CornersOfARowAreEachValueMappedAlone) {
  toolkit::PictureBox box{"Picture1"};
  box.rect = {0, 0, 317 * 15, 229 * 15};
  box.layout();
  const b3d::ScreenMapping screen(box);
  const float cx = box.ScaleWidth() / 2, cy = box.ScaleHeight() / 2;
  std::mt19937 rng(5);
  float row[b3d::kColumns] = {};
  for (int round = 0; round < 200000; ++round) {
    for (int k = 0; k < 3; ++k) {
      row[b3d::kViewX1 + 3 * k] = odd_value(rng);
      row[b3d::kViewY1 + 3 * k] = odd_value(rng);
    }
    bool all = true;
    gdi::POINT want[3];
    for (int k = 0; k < 3; ++k) {
      const auto x = pixel(row[b3d::kViewX1 + 3 * k], cx);
      const auto y = pixel(row[b3d::kViewY1 + 3 * k], cy);
      all = all && x && y;
      if (x && y) want[k] = {*x, *y};
    }
    gdi::POINT got[3];
    ASSERT_EQ(screen.corners(row, got), all) << "round " << round;
    if (!all) continue;
    for (int k = 0; k < 3; ++k) {
      ASSERT_TRUE(got[k].x == want[k].x && got[k].y == want[k].y) << "round " << round;
    }
    ASSERT_EQ(b3d::back_face_value(got[0], got[1], got[2]), back_face(got[0], got[1], got[2]))
        << "round " << round;
  }
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "platform/runtime/sine_cosine.h"

namespace {

// Distance in units of the last place between two doubles of one sign.
std::int64_t ulps(double a, double b) {
  std::int64_t ia, ib;
  std::memcpy(&ia, &a, sizeof a);
  std::memcpy(&ib, &b, sizeof b);
  return ia > ib ? ia - ib : ib - ia;
}

// Within one unit in the last place of the C library's result, whose own
// error is below one half: the two may differ in the last bit only.
void expect_close(double x) {
  const double s = runtime::sine(x), c = runtime::cosine(x);
  const double ls = std::sin(x), lc = std::cos(x);
  ASSERT_TRUE(std::signbit(s) == std::signbit(ls) || s == 0) << x;
  ASSERT_TRUE(std::signbit(c) == std::signbit(lc) || c == 0) << x;
  ASSERT_LE(ulps(s, ls), 1) << "sine of " << x;
  ASSERT_LE(ulps(c, lc), 1) << "cosine of " << x;
}

}  // namespace

TEST(SineCosine, SpecialValues) {
  EXPECT_EQ(runtime::sine(0.0), 0.0);
  EXPECT_TRUE(std::signbit(runtime::sine(-0.0)));
  EXPECT_EQ(runtime::cosine(-0.0), 1.0);
  EXPECT_EQ(runtime::sine(1e-300), 1e-300);
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(std::isnan(runtime::sine(inf)));
  EXPECT_TRUE(std::isnan(runtime::cosine(-inf)));
  EXPECT_TRUE(std::isnan(runtime::sine(std::nan(""))));
}

// Every path of the reduction: the short ones near the first quarter turns,
// the cancelling ones next to multiples of pi/2, the medium range and
// arguments of every size up to the largest double, and the angles the
// renderer gives (degrees over 57.324, in single precision).
TEST(SineCosine, AgreeWithTheLibraryEverywhere) {
  std::mt19937_64 random(7);
  for (int quarter = -8; quarter <= 8; ++quarter) {
    const double centre = quarter * (M_PI / 2);
    for (int step = -200; step <= 200; ++step) {
      expect_close(std::nextafter(centre, 0) + step * 1e-9);
    }
  }
  for (int k = 0; k < 200000; ++k) {
    expect_close(std::uniform_real_distribution<double>(-8, 8)(random));
    expect_close(std::uniform_real_distribution<double>(-2e6, 2e6)(random));
    const std::uint64_t bits = random() & 0x7fefffffffffffffu;  // any finite double
    double x;
    std::memcpy(&x, &bits, sizeof x);
    expect_close(x);
    const float degrees = static_cast<float>(static_cast<std::int32_t>(random()) % 40000) / 7;
    expect_close(double{degrees / 57.324f});
  }
}

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "platform/runtime/convert.h"
#include "platform/runtime/random.h"
#include "platform/runtime/single.h"

using runtime::RuntimeError;

TEST(ToInteger, RoundsHalvesToEven) {
  EXPECT_EQ(runtime::to_int16(2.5), 2);
  EXPECT_EQ(runtime::to_int16(3.5), 4);
  EXPECT_EQ(runtime::to_int16(-2.5), -2);
  EXPECT_EQ(runtime::to_int32(212.5), 212);
  EXPECT_EQ(runtime::to_int32(105.83), 106);
  EXPECT_EQ(runtime::to_int32(-0.5), 0);
  // Against rounding by the library, on halves and on arbitrary values.
  std::mt19937_64 random(1);
  for (int k = 0; k < 100000; ++k) {
    const double v = k % 2 ? static_cast<double>(static_cast<std::int32_t>(random())) + 0.5
                           : std::uniform_real_distribution<double>(-3e9, 3e9)(random);
    const double r = std::nearbyint(v);
    const bool fits = r >= -2147483648.0 && r <= 2147483647.0;
    ASSERT_EQ(runtime::nearest_int32(v).has_value(), fits) << v;
    if (fits) {
      ASSERT_EQ(*runtime::nearest_int32(v), static_cast<std::int32_t>(r)) << v;
    }
  }
}

TEST(ToInteger, RaisesOverflowOutsideTheRange) {
  EXPECT_EQ(runtime::to_int16(32767.49), 32767);
  EXPECT_THROW(runtime::to_int16(32767.5), RuntimeError);
  EXPECT_EQ(runtime::to_int16(-32768.5), -32768);
  EXPECT_THROW(runtime::to_int16(-32768.51), RuntimeError);
  EXPECT_EQ(runtime::to_int32(2147483647.49), 2147483647);
  EXPECT_THROW(runtime::to_int32(2147483647.5), RuntimeError);
  EXPECT_EQ(runtime::to_int32(-2147483648.5), -2147483647 - 1);
  EXPECT_THROW(runtime::to_int32(-2147483649.0), RuntimeError);
  for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity(), 1e300}) {
    EXPECT_THROW(runtime::to_int16(bad), RuntimeError);
    EXPECT_THROW(runtime::to_int32(bad), RuntimeError);
  }
}

TEST(CheckedArithmetic, RaisesOverflowInsteadOfWrapping) {
  EXPECT_EQ(runtime::checked_mul(46340, 46340), 2147395600);
  EXPECT_THROW(runtime::checked_mul(46341, 46341), RuntimeError);
  EXPECT_THROW(runtime::checked_add(2147483647, 1), RuntimeError);
  EXPECT_THROW(runtime::checked_sub(-2147483647 - 1, 1), RuntimeError);
}

TEST(Random, EveryStartGivesTheSameSequenceInHalfOpenUnitRange) {
  runtime::Random a, b;
  float previous = -1;
  int repeats = 0;
  for (int i = 0; i < 100000; ++i) {
    const float r = a.next();
    ASSERT_EQ(r, b.next());
    ASSERT_GE(r, 0.0f);
    ASSERT_LT(r, 1.0f);
    // A multiple of 2^-24, so r * 2^24 is a whole number.
    ASSERT_EQ(std::floor(r * 16777216.0f), r * 16777216.0f);
    repeats += r == previous;
    previous = r;
  }
  EXPECT_EQ(repeats, 0);
}

TEST(ToSingle, RoundsToNearestAndOverflowsToInfinity) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(runtime::to_single(0.1), 0.1f);
  EXPECT_EQ(runtime::to_single(1.0 / 3), 1.0f / 3);
  EXPECT_EQ(runtime::to_single(3.4028234663852886e38), std::numeric_limits<float>::max());
  EXPECT_EQ(runtime::to_single(0x1.fffffefffffffp127), std::numeric_limits<float>::max());
  EXPECT_EQ(runtime::to_single(0x1.ffffffp127), kInf);  // the tie goes to the even infinity
  EXPECT_EQ(runtime::to_single(-1e300), -kInf);
  EXPECT_EQ(runtime::to_single(1e-300), 0.0f);
  EXPECT_TRUE(std::isnan(runtime::to_single(std::nan(""))));
}

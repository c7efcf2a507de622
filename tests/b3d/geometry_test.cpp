// Rotation and perspective: the single-precision results, the angles handed
// back in radians, and the corners where the divide has no guard.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "b3d_fixture.h"
#include "platform/runtime/single.h"

namespace {

using b3d::kModelX1;
using b3d::kViewX1;

// One vertex turned as described: sines and cosines from double kept in
// single, about z, then x, then y, every step rounded to single.
struct Vertex {
  float x, y, z;
};
Vertex turned(Vertex v, double ax_degrees, double ay_degrees, double az_degrees) {
  const float ax = static_cast<float>(static_cast<float>(ax_degrees) / 57.324);
  const float ay = static_cast<float>(static_cast<float>(ay_degrees) / 57.324);
  const float az = static_cast<float>(static_cast<float>(az_degrees) / 57.324);
  const float sx = static_cast<float>(std::sin(ax)), cx = static_cast<float>(std::cos(ax));
  const float sy = static_cast<float>(std::sin(ay)), cy = static_cast<float>(std::cos(ay));
  const float sz = static_cast<float>(std::sin(az)), cz = static_cast<float>(std::cos(az));
  const float x1 = v.x * cz - v.y * sz;
  const float y1 = v.x * sz + v.y * cz;
  const float y2 = y1 * cx - v.z * sx;
  const float z2 = y1 * sx + v.z * cx;
  return {x1 * cy - z2 * sy, y2, x1 * sy + z2 * cy};
}

}  // namespace

TEST_F(B3DTest, RotationFollowsTheSinglePrecisionStepsForEveryVertex) {
  std::mt19937 random(3);
  std::uniform_real_distribution<float> coordinate(-300, 300);
  set_table(b3d::Table(50));
  for (int r = 1; r <= 50; ++r) {
    for (int c = kModelX1; c < kModelX1 + 9; ++c) table()(r, c) = coordinate(random);
  }
  for (const auto& [ax, ay, az] : {std::array{30.0, 200.0, 17.0}, std::array{0.0, 2.0, 0.0},
                                   std::array{360.0, 1e6, -45.5}}) {
    float angle_x = static_cast<float>(ax), angle_y = static_cast<float>(ay),
          angle_z = static_cast<float>(az);
    b3d.RotateModel(angle_x, angle_y, angle_z);
    for (int r = 0; r <= 50; ++r) {
      for (int v = 0; v < 3; ++v) {
        const float* m = &table()(r, kModelX1 + 3 * v);
        const Vertex expected = turned({m[0], m[1], m[2]}, ax, ay, az);
        const float* out = &table()(r, kViewX1 + 3 * v);
        ASSERT_EQ(out[0], expected.x) << r << " " << v;
        ASSERT_EQ(out[1], expected.y) << r << " " << v;
        ASSERT_EQ(out[2], expected.z) << r << " " << v;
      }
    }
  }
}

TEST_F(B3DTest, RotationEdgeCases) {
  set_table(b3d::Table(1));
  table()(1, kModelX1) = 1;  // vertex 1 at (1, 0, 0)
  table()(1, kModelX1 + 3) = 5;
  table()(1, kModelX1 + 4) = -6;
  table()(1, kModelX1 + 5) = 7;

  // The variables come back in radians.
  float x = 57.324f, y = 0, z = 0;
  b3d.RotateModel(x, y, z);
  EXPECT_EQ(x, 1.0f);

  // No turn copies the model exactly; row 0 stays at the origin.
  x = y = z = 0;
  b3d.RotateModel(x, y, z);
  for (int c = 0; c < 9; ++c) EXPECT_EQ(table()(1, kViewX1 + c), table()(1, kModelX1 + c)) << c;
  for (int c = 0; c < 9; ++c) EXPECT_EQ(table()(0, kViewX1 + c), 0) << c;

  // 90 degrees about z turns x towards y, which points down the screen.
  z = 90;
  b3d.RotateModel(x, y, z);
  EXPECT_NEAR(table()(1, kViewX1), 0, 1e-3);
  EXPECT_NEAR(table()(1, kViewX1 + 1), 1, 1e-6);
  EXPECT_EQ(table()(1, kViewX1 + 2), 0);

  // A full turn of 360 falls short, by the divisor 57.324.
  x = y = 0;
  z = 360;
  b3d.RotateModel(x, y, z);
  EXPECT_NEAR(table()(1, kViewX1 + 1), std::sin(360 / 57.324), 1e-6);
  EXPECT_LT(table()(1, kViewX1 + 1), -0.003);
}

TEST_F(B3DTest, PerspectiveDividesByTheDistanceFromTheEye) {
  set_table(b3d::Table(1));
  auto project = [&](float x, float y, float z) {
    table()(1, kViewX1) = x;
    table()(1, kViewX1 + 1) = y;
    table()(1, kViewX1 + 2) = z;
    b3d.ProjectModel();
    return std::array{table()(1, kViewX1), table()(1, kViewX1 + 1), table()(1, kViewX1 + 2)};
  };
  EXPECT_EQ(project(100, 50, 400), (std::array{50.0f, 25.0f, 400.0f}));
  EXPECT_EQ(project(33.3f, -7.1f, 0), (std::array{33.3f, -7.1f, 0.0f}));
  EXPECT_EQ(project(10, -4, -200), (std::array{20.0f, -8.0f, -200.0f}));
  // d is kept in single before the divide in double: 1/3 + 1, not 4/3.
  EXPECT_EQ(project(1, 1, 400.0f / 3)[0], static_cast<float>(1 / (double{1.0f / 3.0f} + 1)));
  // In the eye's plane and beyond: infinities, and a mirror image, no error.
  EXPECT_TRUE(std::isinf(project(10, 0, -400)[0]));
  EXPECT_EQ(project(10, 20, -800)[0], -10.0f);
  // Random corners, huge ones among them, against the steps written out.
  std::mt19937 random(5);
  std::uniform_real_distribution<float> coordinate(-500, 500);
  for (int k = 0; k < 2000; ++k) {
    const float x = k % 10 == 0 ? 3e38f : coordinate(random), y = coordinate(random);
    const float z = coordinate(random);
    const float d = z / 400.0f;
    const auto projected = project(x, y, z);
    ASSERT_EQ(projected[0], runtime::to_single(x / (double{d} + 1))) << x << " " << z;
    ASSERT_EQ(projected[1], runtime::to_single(y / (double{d} + 1))) << y << " " << z;
  }
  // Row 0 of a loaded model stays at the origin; a larger distance flattens less.
  EXPECT_EQ(table()(0, kViewX1), 0);
  HScroll5.set_Value(100);
  EXPECT_EQ(project(100, 50, 100)[0], 50.0f);
}

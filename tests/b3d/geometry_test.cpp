// Rotation and perspective: the single-precision results, the angles handed
// back in radians, and the corners where the divide has no guard.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "b3d_fixture.h"
#include "platform/runtime/sine_cosine.h"
#include "platform/runtime/single.h"

namespace {

using b3d::kModelX1;
using b3d::kViewX1;

// One vertex turned as described: sines and cosines from double (the
// program's own, which every build shares) kept in single, about z, then x,
// then y, every step rounded to single.
struct Vertex {
  float x, y, z;
};
Vertex turned(Vertex v, double ax_degrees, double ay_degrees, double az_degrees) {
  const double ax = static_cast<float>(static_cast<float>(ax_degrees) / 57.324);
  const double ay = static_cast<float>(static_cast<float>(ay_degrees) / 57.324);
  const double az = static_cast<float>(static_cast<float>(az_degrees) / 57.324);
  const float sx = static_cast<float>(runtime::sine(ax));
  const float cx = static_cast<float>(runtime::cosine(ax));
  const float sy = static_cast<float>(runtime::sine(ay));
  const float cy = static_cast<float>(runtime::cosine(ay));
  const float sz = static_cast<float>(runtime::sine(az));
  const float cz = static_cast<float>(runtime::cosine(az));
  const float x1 = v.x * cz - v.y * sz;
  const float y1 = v.x * sz + v.y * cz;
  const float y2 = y1 * cx - v.z * sx;
  const float z2 = y1 * sx + v.z * cx;
  return {x1 * cy - z2 * sy, y2, x1 * sy + z2 * cy};
}

// The older turn: radians by `divisor`, kept in single; then the sines,
// cosines, products and sums all in double, and only the results in single.
Vertex turned_in_double(Vertex v, double ax_degrees, double ay_degrees, double az_degrees,
                        double divisor) {
  const double ax = static_cast<float>(static_cast<float>(ax_degrees) / divisor);
  const double ay = static_cast<float>(static_cast<float>(ay_degrees) / divisor);
  const double az = static_cast<float>(static_cast<float>(az_degrees) / divisor);
  const double x1 = v.x * runtime::cosine(az) - v.y * runtime::sine(az);
  const double y1 = v.x * runtime::sine(az) + v.y * runtime::cosine(az);
  const double y2 = y1 * runtime::cosine(ax) - v.z * runtime::sine(ax);
  const double z2 = y1 * runtime::sine(ax) + v.z * runtime::cosine(ax);
  return {static_cast<float>(x1 * runtime::cosine(ay) - z2 * runtime::sine(ay)),
          static_cast<float>(y2),
          static_cast<float>(x1 * runtime::sine(ay) + z2 * runtime::cosine(ay))};
}

}  // namespace

std::uint32_t bits(float v) { return std::bit_cast<std::uint32_t>(v); }

TEST_F(B3DTest, RotationFollowsItsStepsForEveryVertexInEitherPrecision) {
  std::mt19937 random(3);
  std::uniform_real_distribution<float> coordinate(-300, 300);
  b3d::Table model(50);
  for (int r = 1; r <= 50; ++r) {
    for (int c = kModelX1; c < kModelX1 + 9; ++c) model(r, c) = coordinate(random);
  }
  // Values the turn sends beyond the single range, or that are none.
  const float odd[] = {std::numeric_limits<float>::infinity(), -3e38f, 3e38f,
                       std::numeric_limits<float>::quiet_NaN(), -0.0f, 1e-40f};
  for (int k = 0; k < 12; ++k) model(40 + k % 11, kModelX1 + k % 9) = odd[k % std::size(odd)];
  struct Way {
    double divisor;
    bool in_double;
  };
  for (const Way way : {Way{57.324, false}, Way{57.2, true}, Way{57.324, true}}) {
    SCOPED_TRACE(std::to_string(way.divisor) + (way.in_double ? " in double" : " in single"));
    b3d::B3D turner = with({.degrees_per_radian = way.divisor, .rotate_in_double = way.in_double});
    turner.TriangleTable = model;
    const b3d::Table& t = *turner.TriangleTable;
    for (const auto& [ax, ay, az] : {std::array{30.0, 200.0, 17.0}, std::array{0.0, 2.0, 0.0},
                                     std::array{360.0, 1e6, -45.5}}) {
      float angle_x = static_cast<float>(ax), angle_y = static_cast<float>(ay),
            angle_z = static_cast<float>(az);
      turner.RotateModel(angle_x, angle_y, angle_z);
      EXPECT_EQ(angle_x, static_cast<float>(static_cast<float>(ax) / way.divisor));
      for (int r = 0; r <= 50; ++r) {
        for (int v = 0; v < 3; ++v) {
          const float* m = t.row(r) + kModelX1 + 3 * v;
          const Vertex expected =
              way.in_double ? turned_in_double({m[0], m[1], m[2]}, ax, ay, az, way.divisor)
                            : turned({m[0], m[1], m[2]}, ax, ay, az);
          const float* out = t.row(r) + kViewX1 + 3 * v;
          ASSERT_EQ(bits(out[0]), bits(expected.x)) << r << " " << v;
          ASSERT_EQ(bits(out[1]), bits(expected.y)) << r << " " << v;
          ASSERT_EQ(bits(out[2]), bits(expected.z)) << r << " " << v;
        }
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
  EXPECT_NEAR(table()(1, kViewX1 + 1), runtime::sine(360 / 57.324), 1e-6);
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

TEST_F(B3DTest, TurnProjectAndSortInOnePassGiveTheTableOfTheSteps) {
  std::mt19937 random(11);
  std::uniform_real_distribution<float> coordinate(-450, 450);
  b3d::Table model(5000);
  for (int r = 1; r <= model.upper_row(); ++r) {
    for (int c = kModelX1; c < kModelX1 + 9; ++c) model(r, c) = coordinate(random);
    model(r, b3d::kColour) = static_cast<float>(r);  // tells the rows apart once sorted
  }
  // Rows that repeat others, whose keys tie; rows far behind the eye, whose
  // keys the sort never selects while unturned; values beyond the single
  // range or none, and corners in the eye's plane (z = -400 with no turn)
  // or beyond it.
  for (int r = 3; r <= model.upper_row(); r += 5) {
    for (int c = kModelX1; c < kModelX1 + 9; ++c) model(r, c) = model(r - 2, c);
  }
  for (int r = 4; r <= model.upper_row(); r += 50) {
    for (int v = 0; v < 3; ++v) model(r, kModelX1 + 3 * v + 2) = -4000.0f;
  }
  const float odd[] = {std::numeric_limits<float>::infinity(), -3e38f, 3e38f,
                       std::numeric_limits<float>::quiet_NaN(), -0.0f, 1e-40f, -400.0f, -800.0f};
  for (int k = 0; k < 400; ++k) model(1 + k * 7, kModelX1 + k % 9) = odd[k % std::size(odd)];
  for (const bool in_double : {false, true}) {
    for (const b3d::SortMethod sort : {b3d::SortMethod::Selection, b3d::SortMethod::StagedCopy}) {
      for (const b3d::Threads threads : {b3d::Threads::One, b3d::Threads::Two}) {
        SCOPED_TRACE(std::string(in_double ? "double, " : "single, ") +
                     (sort == b3d::SortMethod::StagedCopy ? "staged sort, " : "") +
                     (threads == b3d::Threads::Two ? "two threads" : "one thread"));
        b3d::B3D apart = with({.rotate_in_double = in_double, .sort = sort});
        b3d::B3D fused = with({.rotate_in_double = in_double, .sort = sort});
        apart.set_threads(threads);
        fused.set_threads(threads);
        apart.TriangleTable = fused.TriangleTable = model;
        // Each frame turns the table the last one left sorted.
        for (const auto& [ax, ay, az] :
             {std::array{0.0f, 0.0f, 0.0f}, std::array{30.0f, 200.0f, 17.0f},
              std::array{31.0f, 201.0f, 17.0f}, std::array{-3.5f, 91.0f, 1e6f}}) {
          for (const bool project : {false, true}) {
            for (const bool sort_after : {false, true}) {
              float angles_apart[] = {ax, ay, az}, angles_fused[] = {ax, ay, az};
              apart.RotateModel(angles_apart[0], angles_apart[1], angles_apart[2]);
              if (project) apart.ProjectModel();
              if (sort_after) apart.DepthSort();
              fused.RotateModelThen(angles_fused[0], angles_fused[1], angles_fused[2],
                                    {.project = project, .sort = sort_after});
              for (int k = 0; k < 3; ++k) EXPECT_EQ(bits(angles_apart[k]), bits(angles_fused[k]));
              const b3d::Table& a = *apart.TriangleTable;
              const b3d::Table& f = *fused.TriangleTable;
              for (int r = 0; r <= a.upper_row(); ++r) {
                for (int c = 0; c < b3d::kColumns; ++c) {
                  ASSERT_EQ(bits(a(r, c)), bits(f(r, c)))
                      << "row " << r << " column " << c << (project ? ", projected" : "")
                      << (sort_after ? ", sorted" : "");
                }
              }
            }
          }
        }
      }
    }
  }
}

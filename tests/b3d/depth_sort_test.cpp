// The depth sort against the selection sort it stands for, cell for cell.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "b3d/depth_sort.h"
#include "b3d/triangle_table.h"
#include "selection_sort.h"

namespace {

using b3d::Table;

void expect_same_bits(const Table& expected, const Table& actual) {
  ASSERT_EQ(expected.upper_row(), actual.upper_row());
  for (int r = 0; r <= expected.upper_row(); ++r) {
    for (int c = 0; c < b3d::kColumns; ++c) {
      ASSERT_EQ(std::bit_cast<std::uint32_t>(expected(r, c)), std::bit_cast<std::uint32_t>(actual(r, c)))
          << "row " << r << " column " << c;
    }
  }
}

// A table whose rows tell themselves apart in every column but the keys',
// with z values drawn by `z`.
template <typename Z>
Table table_of(int n, Z z) {
  Table t(n);
  for (int r = 0; r <= n; ++r) {
    for (int c = 0; c < b3d::kColumns; ++c) t(r, c) = static_cast<float>(r * 100 + c);
    t(r, b3d::kViewZ1) = z();
    t(r, b3d::kViewZ2) = z();
    t(r, b3d::kViewZ3) = z();
  }
  return t;
}

void expect_sorts_like_the_reference(const Table& input) {
  Table expected = input;
  Table actual = input;
  selection_sort(expected);
  b3d::DepthSorter sorter;
  sorter.sort(actual);
  expect_same_bits(expected, actual);
}

}  // namespace

TEST(DepthSort, MatchesTheSelectionSortOnRandomTablesWithTiesAndOddKeys) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  // Few distinct values make many equal keys; -0, NaN, infinities and the
  // keys at and below -9998 are among them.
  const float odd[] = {0.0f, -0.0f, 1.0f, 2.0f, -1.0f, kInf, -kInf, kNaN, -9998.0f, -3333.0f,
                       -9999.0f, 5000.0f, 1e-45f};
  std::mt19937 random(12345);
  for (int round = 0; round < 3000; ++round) {
    const int n = 1 + static_cast<int>(random() % (round < 2500 ? 12 : 300));
    const int mode = round % 4;
    auto z = [&]() -> float {
      if (mode == 0) return static_cast<float>(random() % 3);
      if (mode == 1) return odd[random() % std::size(odd)];
      if (mode == 2) return static_cast<float>(random() % 1000) - 500;
      return random() % 8 == 0 ? -5000.0f : static_cast<float>(random() % 2);
    };
    SCOPED_TRACE("round " + std::to_string(round) + ", N = " + std::to_string(n));
    expect_sorts_like_the_reference(table_of(n, z));
    if (HasFatalFailure()) return;
  }
}

TEST(DepthSort, SmallTablesAndPassesThatFindNoKey) {
  auto constant = [](float value) { return [value] { return value; }; };
  // N = 1: the key is written, nothing moves.
  expect_sorts_like_the_reference(table_of(1, constant(7)));
  // N = 2 and 3, in both orders.
  float v = 0;
  expect_sorts_like_the_reference(table_of(2, [&] { return v += 1; }));
  expect_sorts_like_the_reference(table_of(3, [&] { return v -= 1; }));
  // No key above -9998 at all: row 0 takes a copy of row 1, nothing moves.
  expect_sorts_like_the_reference(table_of(5, constant(-4000)));
  // Keys run out part way: the later passes exchange with the row selected last.
  std::mt19937 random(7);
  int call = 0;
  bool far_below = false;
  expect_sorts_like_the_reference(table_of(40, [&] {
    if (call++ % 3 == 0) far_below = random() % 2 == 0;  // one choice per row
    return far_below ? -4000.0f : static_cast<float>(random() % 5);
  }));
}

TEST(DepthSort, ATableWithoutTrianglesIsLeftAlone) {
  Table t(0);
  t(0, b3d::kViewZ1) = 5;
  const Table before = t;
  b3d::DepthSorter().sort(t);
  expect_same_bits(before, t);
}

TEST(DepthSort, LargeTablesOfModelLikeKeys) {
  // Keys of a closed symmetric mesh: many exact ties, then the same table
  // sorted a second time, as the next frame does.
  std::mt19937 random(99);
  Table t = table_of(2000, [&] { return static_cast<float>(static_cast<int>(random() % 200)) * 0.5f; });
  Table expected = t;
  b3d::DepthSorter sorter;
  for (int frame = 0; frame < 2; ++frame) {
    selection_sort(expected);
    sorter.sort(t);
    expect_same_bits(expected, t);
  }
}

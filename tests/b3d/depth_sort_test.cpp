// The depth sorts against the sorts they stand for, cell for cell: the
// selection sort in place, and the older sort staged through a second table.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "b3d/depth_sort.h"
#include "b3d/staged_sort.h"
#include "b3d/triangle_table.h"
#include "platform/runtime/helper_thread.h"
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

// Sorted alone, and with a helper thread, which moves the rows another way
// when many move.
void expect_sorts_like_the_reference(const Table& input) {
  static runtime::HelperThread helper;
  Table expected = input;
  selection_sort(expected);
  for (runtime::HelperThread* h : {static_cast<runtime::HelperThread*>(nullptr), &helper}) {
    Table actual = input;
    b3d::DepthSorter sorter;
    sorter.sort(actual, h);
    expect_same_bits(expected, actual);
  }
}

// The staged sort as it is described: keys for rows 0..N, then N passes,
// each taking the last greatest key at or above -9998 into s (kept across
// passes, starting at 0), using it up with -9999 and copying the row to
// staging row i; then staging rows 0..N copied back.
void staged_reference(Table& t, Table& staging) {
  const int n = t.upper_row();
  for (int r = 0; r <= n; ++r) t(r, 0) = (t(r, 30) + t(r, 33)) + t(r, 36);
  int s = 0;
  for (int i = 0; i < n;) {
    float best = -9998.0f;
    for (int j = 1; j <= n; ++j) {
      if (t(j, 0) >= best) {
        s = j;
        best = t(j, 0);
      }
    }
    i = i + 1;
    t(s, 0) = -9999.0f;
    for (int k = 0; k <= 36; ++k) staging(i, k) = t(s, k);
  }
  for (int r = 0; r <= n; ++r) {
    for (int k = 0; k <= 36; ++k) t(r, k) = staging(r, k);
  }
}

// Staging with room for every row, its rows past 0 holding leftovers.
Table used_staging(int n) {
  Table staging(n + 3);
  for (int r = 1; r <= n + 3; ++r) staging(r, 5) = -1;
  return staging;
}

void expect_stages_like_the_reference(const Table& input) {
  Table expected = input;
  Table staging = used_staging(input.upper_row());
  staged_reference(expected, staging);
  Table actual = input;
  staging = used_staging(input.upper_row());
  b3d::StagedSorter().sort(actual, staging);
  expect_same_bits(expected, actual);
}

// Random tables of N rows whose z values are drawn from few distinct
// values, so that many keys tie; -0, NaN, infinities and the keys at and
// below -9998 are among them.
template <typename Check>
void for_random_tables(Check check) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
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
    check(table_of(n, z));
    if (testing::Test::HasFatalFailure()) return;
  }
}

}  // namespace

TEST(DepthSort, MatchesTheSelectionSortOnRandomTablesWithTiesAndOddKeys) {
  for_random_tables(expect_sorts_like_the_reference);
}

TEST(StagedSort, MatchesTheStagedSortOnRandomTablesWithTiesAndOddKeys) {
  for_random_tables(expect_stages_like_the_reference);
}

TEST(StagedSort, EdgesOfTheStagingArea) {
  // No usable key at all: every pass takes row 0 again, and row 0 comes back zero.
  expect_stages_like_the_reference(table_of(4, [] { return -4000.0f; }));
  // No triangle rows: row 0 is still replaced by the staging area's.
  expect_stages_like_the_reference(table_of(0, [] { return 1.0f; }));

  // Staging too small is dimensioned anew; columns beyond its width stay.
  float v = 0;
  const Table narrow = table_of(6, [&] { return v += 1; });
  Table wide(6, 73);
  for (int r = 0; r <= 6; ++r) {
    for (int c = 0; c < 73; ++c) wide(r, c) = c < 37 ? narrow(r, c) : static_cast<float>(r);
  }
  Table staging(0);
  b3d::StagedSorter().sort(wide, staging);
  EXPECT_EQ(staging.upper_row(), 6);
  Table expected = narrow;
  Table reference_staging(6);
  staged_reference(expected, reference_staging);
  for (int r = 0; r <= 6; ++r) {
    for (int c = 0; c < 73; ++c) {
      EXPECT_EQ(wide(r, c), c < 37 ? expected(r, c) : static_cast<float>(r)) << r << ", " << c;
    }
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

TEST(DepthSort, BigTablesKeyedInTwoRunsAndMerged) {
  // Big enough that two threads key and sort half the rows each and merge
  // them: ties across the two halves, odd keys, and keys that run out.
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  std::mt19937 random(2024);
  for (int round = 0; round < 4; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    int call = 0;
    float row_z = 0;
    const Table t = table_of(5000 + round * 397, [&]() -> float {
      const int row = call++ / 3;
      if (round == 0) return static_cast<float>(random() % 7);
      if (round == 1) return static_cast<float>(random() % 20000) * 0.25f - 2500;
      if (round == 2) return random() % 50 == 0 ? kNaN : -static_cast<float>(row % 700);
      if (call % 3 == 1) row_z = row % 3 == 0 ? -5000.0f : static_cast<float>(random() % 40);
      return row_z;
    });
    expect_sorts_like_the_reference(t);
    if (testing::Test::HasFatalFailure()) return;
  }
}

#pragma once
// The triangle table: one row per triangle, 37 single-precision columns. Its
// column layout is the contract between the stages, so every column is named
// here and nowhere else by number.
//
//   0        depth key (sum of the three view z), rows 1..N, written by the sort
//   1..9     model x, y, z of vertices 1, 2, 3 (file value / 3 * zoom)
//   10..18   colour cells; 10 is the wireframe pen colour
//   19..27   unused
//   28..36   view x, y, z of vertices 1, 2, 3 (x, y projected when perspective is on)
//
// Rows 0..N; row 0 of a loaded model is all zero and serves the sort as swap
// space. N is the upper row bound, never a stored count. A table may be
// dimensioned wider than 37 columns; nothing but the filled renderer of one
// edition reads the columns beyond, and nothing writes them.

#include <algorithm>
#include <cstddef>
#include <vector>

namespace b3d {

inline constexpr int kColumns = 37;
inline constexpr int kLastColumn = 36;

inline constexpr int kKey = 0;
inline constexpr int kModelX1 = 1;  // vertex v (0, 1, 2) at kModelX1 + 3v: x, y, z
inline constexpr int kColour = 10;
inline constexpr int kColourLast = 18;
inline constexpr int kViewX1 = 28;  // vertex v (0, 1, 2) at kViewX1 + 3v: x, y, z
inline constexpr int kViewY1 = 29;
inline constexpr int kViewZ1 = 30;
inline constexpr int kViewX2 = 31;
inline constexpr int kViewY2 = 32;
inline constexpr int kViewZ2 = 33;
inline constexpr int kViewX3 = 34;
inline constexpr int kViewY3 = 35;
inline constexpr int kViewZ3 = 36;

class Table {
 public:
  // A table dimensioned (0 To upper_row, 0 To columns - 1), every cell 0.
  explicit Table(int upper_row, int columns = kColumns)
      : upper_row_(upper_row),
        columns_(columns),
        cells_(static_cast<std::size_t>(upper_row + 1) * static_cast<std::size_t>(columns), 0.0f) {}

  int upper_row() const { return upper_row_; }
  // Every cell 0 again.
  void clear() { std::fill(cells_.begin(), cells_.end(), 0.0f); }
  int columns() const { return columns_; }

  float* row(int r) { return cells_.data() + offset(r); }
  const float* row(int r) const { return cells_.data() + offset(r); }
  float& operator()(int r, int c) { return row(r)[c]; }
  float operator()(int r, int c) const { return row(r)[c]; }

  bool operator==(const Table&) const = default;

 private:
  std::size_t offset(int r) const {
    return static_cast<std::size_t>(r) * static_cast<std::size_t>(columns_);
  }

  int upper_row_;
  int columns_;
  std::vector<float> cells_;
};

}  // namespace b3d

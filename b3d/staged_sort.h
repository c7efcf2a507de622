#pragma once
// The depth sort of the oldest editions, which stages the sorted rows in a
// second table.
//
// Every row gets its key (the sum of its view z). Then, N times, the row with
// the greatest key at or above -9998 is taken (of equal keys the last row),
// its key is set to -9999 so that it counts as used, and the row is copied to
// the next staging row, 1..N. A pass that finds no such key takes the row
// taken before (row 0 in the first pass). Staging rows 0..N then replace the
// table's rows, so rows 1..N come out far to near with the key -9999, and
// row 0 comes back as the staging area's row 0, which nothing writes: zero.
//
// That is N passes over N rows; this class gets the same table by one sort
// of the usable keys, the same as the other depth sort's.

#include <cstdint>
#include <vector>

#include "b3d/triangle_table.h"

namespace b3d {

class StagedSorter {
 public:
  // Sorts table through staging, which is dimensioned anew when it has too
  // few rows. Only the columns the staging area has are staged; any columns
  // beyond stay as they were.
  void sort(Table& table, Table& staging);

 private:
  std::vector<std::uint64_t> order_;  // depth entries of usable keys
  std::vector<std::uint64_t> buffer_;
};

}  // namespace b3d

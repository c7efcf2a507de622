#pragma once
// The depth sort: rows 1..N ordered far to near by the sum of their view z.
//
// The order it must give is that of a selection sort over whole rows: pass i
// takes the first row in i..N whose key is the greatest of those above
// -9998, and exchanges it with row i through row 0. Equal keys therefore come
// out in the order the exchanges leave them, row 0 ends as a copy of row N-1,
// and a pass that finds no key above -9998 exchanges row i with the row the
// previous pass selected. That costs N^2/2 comparisons; this class works out
// the same final table in O(N log N) and moves every row at most once.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "b3d/key_order.h"
#include "b3d/triangle_table.h"
#include "platform/runtime/helper_thread.h"

namespace b3d {

class DepthSorter {
 public:
  // Writes the key of rows 1..N and reorders them, with the helper thread's
  // help when one is given. A table without triangle rows (N = 0) is left as
  // it is.
  void sort(Table& table, runtime::HelperThread* helper = nullptr);

  // The same sort in two steps, for a pass over the rows that keys them as
  // it goes by: the keys to make, with KeyOrder::keyer, for rows 1..N of
  // `table`; then sort_keyed to reorder them once they are made.
  KeyOrder& start_keys(const Table& table);
  void sort_keyed(Table& table, runtime::HelperThread* helper);

 private:
  // The rows reordered by order_.
  void reorder(Table& table, runtime::HelperThread* helper);
  // group_ = the positions of the rows of order_[first, end), in order.
  void positions_of_group(std::size_t first, std::size_t end);
  // From this many rows on, with a helper, the rows are gathered while the
  // passes are replayed; kPlacedEvery passes tell the gatherer how far they
  // have come, and it gathers kGatherPiece rows at a time.
  static constexpr int kGatherWhileReplayingFromRows = 4096;
  static constexpr int kPlacedEvery = 256;
  static constexpr int kGatherPiece = 512;

  // row_at_ = the positions after the passes; `placed`, when given, is told
  // how many of them are final as the passes go on.
  void replay(std::atomic<int>* placed);
  void exchange(int position, int selected);
  // exchange(position, position_of_[row]), which needs not read back the
  // row it is given; returns the position selected.
  int exchange_row(int position, int row);
  void apply(Table& table, runtime::HelperThread* helper, std::size_t row_bytes);
  void replay_and_gather(Table& table, runtime::HelperThread& helper, std::size_t row_bytes);
  void follow_cycles(Table& table, std::size_t row_bytes);
  void gather_rows(Table& table, runtime::HelperThread& helper, std::size_t row_bytes);
  // sorted_ dimensioned as the table, kept from call to call.
  void shape_sorted_like(const Table& table);
  // sorted_'s rows [begin, end) from the table's rows they stand for.
  void gather(const Table& table, int begin, int end, std::size_t row_bytes);

  // row_at_[p]: the original row that stands at position p; position_of_ is
  // its inverse. Both cover 0..N, entry 0 unused.
  std::vector<int> row_at_;
  std::vector<int> position_of_;
  KeyOrder key_order_;
  std::span<const std::uint64_t> order_;  // depth entries of usable keys, greatest first
  std::vector<int> group_;             // the positions of one group of equal keys
  std::vector<std::uint64_t> marks_;  // one bit a position, clear between groups
  std::vector<float> held_;           // one row in hand
  Table sorted_{0};                   // the rows gathered in order, then swapped in
};

}  // namespace b3d

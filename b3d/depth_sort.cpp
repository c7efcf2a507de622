// DepthSort's sorter. It replays the selection sort's passes on row numbers
// only, then moves each row at most once.
//
// Pass i selects, among the rows in i..N, the lowest position holding the
// greatest key above -9998. Rows at positions below i are placed, so the
// greatest remaining key is simply the next one in descending key order: the
// passes take the keys group by group (a group: equal keys). Within a group
// the pass takes the member at the lowest position. The exchange of a pass
// moves the row at position i, which is never a member of the current group
// (it would have been selected), so the group's members keep their positions
// while the group is taken: sorting them by position once, when the group's
// turn comes, gives the order the passes take them in.

#include "b3d/depth_sort.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <numeric>
#include <thread>
#include <utility>

#include "b3d/b3d.h"
#include "b3d/depth_keys.h"
#include "b3d/two_threads.h"

namespace b3d {

void DepthSorter::sort(Table& table, runtime::HelperThread* helper) {
  order_ = key_order_.sort(table, helper);
  reorder(table, helper);
}

KeyOrder& DepthSorter::start_keys(const Table& table) {
  key_order_.start(table.upper_row());
  return key_order_;
}

void DepthSorter::sort_keyed(Table& table, runtime::HelperThread* helper) {
  order_ = key_order_.order(helper);
  reorder(table, helper);
}

void DepthSorter::reorder(Table& table, runtime::HelperThread* helper) {
  const int n = table.upper_row();
  // One triangle has nothing to move; no triangle (N = 0) has no row 1 to
  // make a pass over, so the sort leaves the table alone.
  if (n < 2) return;

  row_at_.resize(n + 1);
  position_of_.resize(n + 1);
  std::iota(row_at_.begin(), row_at_.end(), 0);
  std::iota(position_of_.begin(), position_of_.end(), 0);
  const std::size_t row_bytes = sizeof(float) * static_cast<std::size_t>(table.columns());
  if (helper != nullptr && n >= kGatherWhileReplayingFromRows) {
    replay_and_gather(table, *helper, row_bytes);
  } else {
    replay(nullptr);
    apply(table, helper, row_bytes);
  }
  // Every exchange goes through row 0, and the last one leaves there a copy
  // of the row it put at N-1.
  std::memcpy(table.row(0), table.row(n - 1), row_bytes);
}

void DepthSorter::replay(std::atomic<int>* placed) {
  const int n = static_cast<int>(row_at_.size()) - 1;
  // The passes run for i = 1 .. N-1. `selected` is the scan's index variable:
  // it keeps the last selection, and starts at 0.
  int position = 1;
  int selected = 0;
  for (std::size_t first = 0; first < order_.size() && position < n;) {
    std::size_t end = first + 1;
    while (end < order_.size() && code_of(order_[end]) == code_of(order_[first])) ++end;
    if (end - first == 1) {
      selected = exchange_row(position++, row_of(order_[first]));
    } else {
      positions_of_group(first, end);
      for (const int at : group_) {
        if (position == n) break;
        selected = at;
        exchange(position++, selected);
      }
    }
    first = end;
    // A pass takes its place for good: later passes exchange only at their
    // own index and beyond. Those that find no key, below, exchange at the
    // index selected last, which is the last pass's or beyond; so the
    // positions before the last pass are told as placed.
    if (placed != nullptr && position % kPlacedEvery == 0) {
      placed->store(position - 2, std::memory_order_release);
    }
  }
  // Passes that find no key above -9998 exchange row i with whatever stands
  // at the index selected last; before any selection that index is row 0,
  // which then only takes a copy of row i.
  for (; position < n; ++position) {
    if (selected != 0) exchange(position, selected);
  }
}

void DepthSorter::positions_of_group(std::size_t first, std::size_t end) {
  // Sorted by comparisons for a few; for many, marked on a map of the
  // positions and read back in order, which costs a pass over the words the
  // group spans rather than log(group) passes over the group.
  constexpr std::size_t kFewMembers = 64;
  group_.clear();
  if (end - first < kFewMembers) {
    for (std::size_t k = first; k < end; ++k) group_.push_back(position_of_[row_of(order_[k])]);
    std::sort(group_.begin(), group_.end());
    return;
  }
  marks_.resize(position_of_.size() / 64 + 1);
  std::size_t lowest = marks_.size(), highest = 0;
  for (std::size_t k = first; k < end; ++k) {
    const auto at = static_cast<std::size_t>(position_of_[row_of(order_[k])]);
    marks_[at / 64] |= std::uint64_t{1} << (at % 64);
    lowest = std::min(lowest, at / 64);
    highest = std::max(highest, at / 64);
  }
  for (std::size_t word = lowest; word <= highest; ++word) {
    // Each mark is read once and cleared, leaving the map empty for the next group.
    for (std::uint64_t bits = std::exchange(marks_[word], 0); bits != 0; bits &= bits - 1) {
      group_.push_back(
          static_cast<int>(word * 64 + static_cast<std::size_t>(std::countr_zero(bits))));
    }
  }
}

int DepthSorter::exchange_row(int position, int row) {
  const int selected = position_of_[row];
  const int displaced = row_at_[position];
  row_at_[position] = row;
  row_at_[selected] = displaced;
  position_of_[row] = position;
  position_of_[displaced] = selected;
  return selected;
}

void DepthSorter::exchange(int position, int selected) {
  exchange_row(position, row_at_[selected]);
}

void DepthSorter::apply(Table& table, runtime::HelperThread* helper, std::size_t row_bytes) {
  const int n = table.upper_row();
  // From one frame to the next most rows keep their places, and following
  // the cycles moves only the others; when many move, two threads gathering
  // the rows into a second table are quicker.
  const auto moved = std::count_if(row_at_.begin() + 1, row_at_.end(),
                                   [p = 1](int row) mutable { return row != p++; });
  if (helper != nullptr && moved > n / 4) {
    gather_rows(table, *helper, row_bytes);
  } else {
    follow_cycles(table, row_bytes);
  }
}

void DepthSorter::follow_cycles(Table& table, std::size_t row_bytes) {
  // Each cycle of the permutation with one row in hand: rows that stay cost
  // nothing, the others move once.
  held_.resize(static_cast<std::size_t>(table.columns()));
  for (int start = 1; start <= table.upper_row(); ++start) {
    if (row_at_[start] == start) continue;
    std::memcpy(held_.data(), table.row(start), row_bytes);
    int to = start;
    while (row_at_[to] != start) {
      const int from = row_at_[to];
      std::memcpy(table.row(to), table.row(from), row_bytes);
      row_at_[to] = to;
      to = from;
    }
    std::memcpy(table.row(to), held_.data(), row_bytes);
    row_at_[to] = to;
  }
}

void DepthSorter::gather_rows(Table& table, runtime::HelperThread& helper,
                              std::size_t row_bytes) {
  // Every row of the sorted table written once, in order, shared between
  // the threads; the second table then takes the first one's place.
  const int n = table.upper_row();
  shape_sorted_like(table);
  share_rows(helper, 1, n + 1,
             [&](int, int begin, int end) { gather(table, begin, end, row_bytes); });
  std::swap(table, sorted_);
}

void DepthSorter::shape_sorted_like(const Table& table) {
  if (sorted_.upper_row() != table.upper_row() || sorted_.columns() != table.columns()) {
    sorted_ = Table(table.upper_row(), table.columns());
  }
}

void DepthSorter::gather(const Table& table, int begin, int end, std::size_t row_bytes) {
  constexpr std::size_t kRowBytes = sizeof(float) * kColumns;
  // From frame to frame the rows move a few hundred places either way, which
  // leaves no pattern for the processor to fetch ahead by: the rows a few
  // places on are asked for while this one is copied.
  constexpr int kAhead = 8;
  const int last = table.upper_row();
  for (int p = begin; p < end; ++p) {
    if (p + kAhead <= last) {
      const char* ahead = reinterpret_cast<const char*>(table.row(row_at_[p + kAhead]));
      for (std::size_t byte = 0; byte < row_bytes; byte += 64) __builtin_prefetch(ahead + byte);
      __builtin_prefetch(ahead + row_bytes - 1);
    }
    // A copy of a size known here is a few moves in place; of the width read
    // at run time, a call to the library for every row.
    if (row_bytes == kRowBytes) {
      std::memcpy(sorted_.row(p), table.row(row_at_[p]), kRowBytes);
    } else {
      std::memcpy(sorted_.row(p), table.row(row_at_[p]), row_bytes);
    }
  }
}

void DepthSorter::replay_and_gather(Table& table, runtime::HelperThread& helper,
                                    std::size_t row_bytes) {
  // The calling thread replays the passes; the helper gathers the rows of
  // the positions they have placed into a second table, piece by piece from
  // the first, a little behind. When the replay ends the caller gathers from
  // the last piece back, so that each thread copies the rows it turned and
  // keyed.
  const int n = table.upper_row();
  shape_sorted_like(table);
  const std::thread::id caller = std::this_thread::get_id();
  std::atomic<int> placed{0};  // positions 1..placed hold their rows for good
  JobsFromBothEnds pieces((n + kGatherPiece - 1) / kGatherPiece);
  helper.share([&] {
    const bool replaying = std::this_thread::get_id() == caller;
    if (replaying) {
      replay(&placed);
      placed.store(n, std::memory_order_release);
    }
    for (int k; (k = pieces.take(!replaying)) >= 0;) {
      const int begin = 1 + k * kGatherPiece;
      const int end = std::min(n + 1, begin + kGatherPiece);
      // Only the helper can wait here, for the passes to place its piece.
      // The wait is a spin: yielding the processor here would make the
      // caller wait for the helper to get it back.
      while (placed.load(std::memory_order_acquire) < end - 1) {
      }
      gather(table, begin, end, row_bytes);
    }
  });
  std::swap(table, sorted_);
}

void B3D::DepthSort() {
  if (!TriangleTable) return;
  if (v_.sort == SortMethod::StagedCopy) {
    staged_sorter_.sort(*TriangleTable, LoadBuffer);
  } else {
    sorter_.sort(*TriangleTable, helper());
  }
}

}  // namespace b3d

#pragma once
// The depth sort's first step: every row's key written, and the rows whose
// keys the selection can take listed far to near.
//
// A big table is cut in two runs of rows, each keyed and radix-sorted by
// whichever thread is free, and the two runs are then merged. The entries
// are distinct (each holds its row) and sort as whole 64-bit numbers, so the
// merge gives the one order a single sort of all rows gives.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "b3d/depth_keys.h"
#include "b3d/triangle_table.h"
#include "platform/runtime/helper_thread.h"

namespace b3d {

class KeyOrder {
 public:
  class Keyer;

  // Writes column 0 of rows 1..N and returns the depth entries (see
  // depth_keys.h) of the keys above -9998, greatest key first, of equal keys
  // the lower row first. NaN is above nothing and is left out. The entries
  // stay valid until the next call.
  std::span<const std::uint64_t> sort(Table& table, runtime::HelperThread* helper);

  // The same in steps, for a pass over the rows that keys each as it goes
  // by: start(N); then keyer() called on every row 0..N, in any order, by
  // any thread; then order(helper).
  void start(int n);
  Keyer keyer();
  std::span<const std::uint64_t> order(runtime::HelperThread* helper);

 private:
  // The scan's starting "best" key: a key at or below it is never selected.
  static constexpr float kNoKey = -9998.0f;
  // The code of an entry the selection never takes: above every key's, so
  // such entries sort after all others.
  static constexpr std::uint64_t kUnusable = std::uint64_t{0xFFFFFFFFu} << 32;

  static constexpr int kDigits = 3;
  static constexpr int kDigitBits = 11;
  static constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;

  using DigitCounts = std::array<std::array<std::uint32_t, kBuckets>, kDigits>;

  // Rows [first_row, first_row + size) as entries_[first_row - 1, ...).
  struct Run {
    int first_row = 1;
    std::size_t size = 0;
    std::size_t usable = 0;                 // entries of keys the selection can take
    const std::uint64_t* sorted = nullptr;  // the run in order: in entries_ or buffer_
    // 24 KB a run: kept on the heap, so that a renderer standing in a
    // caller's frame does not take a deep bite of its stack.
    std::unique_ptr<DigitCounts> counts = std::make_unique<DigitCounts>();
  };

  // Rows 1..N cut in one run, or two with a helper for a big table; each
  // run then prepared by prepare(run) and sorted, by whichever thread is
  // free, and the runs merged.
  template <class Prepare>
  std::span<const std::uint64_t> sort_runs(runtime::HelperThread* helper, const Prepare& prepare);
  void sort_run(Run& run);

  std::vector<std::uint64_t> entries_;
  std::vector<std::uint64_t> buffer_;
  std::vector<std::uint64_t> merged_;
  std::array<Run, 2> runs_;
};

// Keys a row: writes its key in column 0, and its entry.
class KeyOrder::Keyer {
 public:
  // Row 0 is no triangle and is left alone.
  void operator()(float* row, int r) const {
    if (r == 0) return;
    const float key = depth_key(row);
    row[kKey] = key;
    // NaN fails the test too, as it fails the scan's.
    entries_[r - 1] = key > kNoKey ? depth_entry(key, r) : kUnusable | static_cast<std::uint32_t>(r);
  }

 private:
  friend class KeyOrder;
  explicit Keyer(std::uint64_t* entries) : entries_(entries) {}
  std::uint64_t* entries_;
};

inline KeyOrder::Keyer KeyOrder::keyer() { return Keyer(entries_.data()); }

}  // namespace b3d

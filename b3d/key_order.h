#pragma once
// The depth sort's first step: every row's key written, and the rows whose
// keys the selection can take listed far to near.
//
// A big table is cut in two runs of rows, each keyed and radix-sorted by
// whichever thread is free, and the two runs are then merged, the output cut
// in two where the merge crosses its middle, one half a thread. The entries
// are distinct (each holds its row) and sort as whole 64-bit numbers, so the
// merge gives the one order a single sort of all rows gives.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "b3d/triangle_table.h"
#include "platform/runtime/helper_thread.h"

namespace b3d {

class KeyOrder {
 public:
  // Writes column 0 of rows 1..N and returns the depth entries (see
  // depth_keys.h) of the keys above -9998, greatest key first, of equal keys
  // the lower row first. NaN is above nothing and is left out. The entries
  // stay valid until the next call.
  std::span<const std::uint64_t> sort(Table& table, runtime::HelperThread* helper);

 private:
  static constexpr int kDigits = 3;
  static constexpr int kDigitBits = 11;
  static constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;

  using DigitCounts = std::array<std::array<std::uint32_t, kBuckets>, kDigits>;

  // Rows [first_row, first_row + size) as entries_[begin, begin + size).
  struct Run {
    int first_row = 1;
    std::size_t begin = 0;
    std::size_t size = 0;
    std::size_t usable = 0;                 // entries of keys the selection can take
    const std::uint64_t* sorted = nullptr;  // the run in order: in entries_ or buffer_
    // 24 KB a run: kept on the heap, so that a renderer standing in a
    // caller's frame does not take a deep bite of its stack.
    std::unique_ptr<DigitCounts> counts = std::make_unique<DigitCounts>();
  };

  void key_run(Table& table, Run& run);
  void sort_run(Run& run);
  void merge_part(int part, int parts);

  std::vector<std::uint64_t> entries_;
  std::vector<std::uint64_t> buffer_;
  std::vector<std::uint64_t> merged_;
  std::array<Run, 2> runs_;
};

}  // namespace b3d

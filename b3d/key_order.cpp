#include "b3d/key_order.h"

#include <algorithm>
#include <utility>

#include "b3d/depth_keys.h"
#include "b3d/two_threads.h"

namespace b3d {

namespace {

// Below this many rows, handing half the keys to the helper costs more than
// it saves.
constexpr int kTwoRunsFromRows = 4096;

}  // namespace

std::span<const std::uint64_t> KeyOrder::sort(Table& table, runtime::HelperThread* helper) {
  start(table.upper_row());
  return sort_runs(helper, [&](const Run& run) {
    const Keyer key = keyer();
    const int end = run.first_row + static_cast<int>(run.size);
    for (int r = run.first_row; r < end; ++r) key(table.row(r), r);
  });
}

void KeyOrder::start(int n) {
  entries_.resize(static_cast<std::size_t>(n));
  buffer_.resize(static_cast<std::size_t>(n));
}

std::span<const std::uint64_t> KeyOrder::order(runtime::HelperThread* helper) {
  return sort_runs(helper, [](const Run&) {});
}

template <class Prepare>
std::span<const std::uint64_t> KeyOrder::sort_runs(runtime::HelperThread* helper,
                                                   const Prepare& prepare) {
  const auto n = static_cast<std::int64_t>(entries_.size());
  const int runs = helper != nullptr && n >= kTwoRunsFromRows ? 2 : 1;
  for (int k = 0; k < runs; ++k) {
    runs_[k].first_row = 1 + static_cast<int>(n * k / runs);
    runs_[k].size = static_cast<std::size_t>(n * (k + 1) / runs - n * k / runs);
  }
  const auto sort_one = [&](int k) {
    prepare(runs_[k]);
    sort_run(runs_[k]);
  };
  if (runs == 1) {
    sort_one(0);
    return {runs_[0].sorted, runs_[0].usable};
  }
  share_out(*helper, 2, sort_one);
  // The calling thread merges alone: it reads the merged entries next, and
  // those the other thread wrote would have to come over to its cache
  // first. At 19000 rows this takes 9 us, where each thread merging half
  // took 12 us and a wait.
  const Run& a = runs_[0];
  const Run& b = runs_[1];
  merged_.resize(a.usable + b.usable);
  std::merge(a.sorted, a.sorted + a.usable, b.sorted, b.sorted + b.usable, merged_.begin());
  return merged_;
}

void KeyOrder::sort_run(Run& run) {
  const auto begin = static_cast<std::size_t>(run.first_row - 1);
  std::uint64_t* from = entries_.data() + begin;
  std::uint64_t* to = buffer_.data() + begin;
  // The digits' counts do not depend on the entries' order, so all three
  // are taken in one pass.
  DigitCounts& counts = *run.counts;
  for (auto& count : counts) count.fill(0);
  std::size_t usable = 0;
  for (std::size_t k = 0; k < run.size; ++k) {
    const std::uint64_t entry = from[k];
    usable += entry < kUnusable;
    for (int d = 0; d < kDigits; ++d) ++counts[d][(entry >> (32 + d * kDigitBits)) & (kBuckets - 1)];
  }
  run.usable = usable;
  // Least significant digit first, each pass stable, so equal keys keep
  // their rows' order. A digit every entry shares is skipped.
  for (int d = 0; d < kDigits && run.size > 0; ++d) {
    const int shift = 32 + d * kDigitBits;
    std::array<std::uint32_t, kBuckets>& count = counts[d];
    if (count[(from[0] >> shift) & (kBuckets - 1)] == run.size) continue;
    std::uint32_t start = 0;
    for (std::uint32_t& c : count) start += std::exchange(c, start);
    for (std::size_t k = 0; k < run.size; ++k) {
      const std::uint64_t entry = from[k];
      to[count[(entry >> shift) & (kBuckets - 1)]++] = entry;
    }
    std::swap(from, to);
  }
  run.sorted = from;
}

}  // namespace b3d

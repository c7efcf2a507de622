#include "b3d/key_order.h"

#include <algorithm>
#include <utility>

#include "b3d/depth_keys.h"
#include "b3d/two_threads.h"

namespace b3d {

namespace {

// The scan's starting "best" key: a key at or below it is never selected.
constexpr float kNoKey = -9998.0f;

// The code of an entry the selection never takes: above every key's, so such
// entries sort after all others.
constexpr std::uint64_t kUnusable = std::uint64_t{0xFFFFFFFFu} << 32;

// Below this many rows, handing half the keys to the helper costs more than
// it saves.
constexpr int kTwoRunsFromRows = 4096;

// How many of the first k entries of the merge of a and b come from a. The
// entries are distinct, so the answer is the one i with a[i-1] < b[k-i] and
// b[k-i-1] < a[i], where they exist.
std::size_t taken_from_first(std::span<const std::uint64_t> a, std::span<const std::uint64_t> b,
                             std::size_t k) {
  std::size_t lo = k > b.size() ? k - b.size() : 0;
  std::size_t hi = std::min(k, a.size());
  while (lo < hi) {
    const std::size_t i = lo + (hi - lo) / 2;
    if (a[i] < b[k - i - 1]) {
      lo = i + 1;
    } else {
      hi = i;
    }
  }
  return lo;
}

}  // namespace

std::span<const std::uint64_t> KeyOrder::sort(Table& table, runtime::HelperThread* helper) {
  const int n = table.upper_row();
  entries_.resize(static_cast<std::size_t>(n));
  buffer_.resize(static_cast<std::size_t>(n));
  const int runs = helper != nullptr && n >= kTwoRunsFromRows ? 2 : 1;
  for (int k = 0; k < runs; ++k) {
    const int first = 1 + static_cast<int>(std::int64_t{n} * k / runs);
    const int end = 1 + static_cast<int>(std::int64_t{n} * (k + 1) / runs);
    runs_[k].first_row = first;
    runs_[k].begin = static_cast<std::size_t>(first - 1);
    runs_[k].size = static_cast<std::size_t>(end - first);
  }
  if (runs == 1) {
    key_run(table, runs_[0]);
    sort_run(runs_[0]);
    return {runs_[0].sorted, runs_[0].usable};
  }
  share_out(*helper, 2, [&](int k) {
    key_run(table, runs_[k]);
    sort_run(runs_[k]);
  });
  merged_.resize(runs_[0].usable + runs_[1].usable);
  share_out(*helper, 2, [&](int part) { merge_part(part, 2); });
  return merged_;
}

void KeyOrder::key_run(Table& table, Run& run) {
  // The digits' counts do not depend on the entries' order, so all three are
  // taken here, in the one pass that makes the entries.
  for (auto& count : *run.counts) count.fill(0);
  std::uint64_t* const out = entries_.data() + run.begin;
  std::size_t usable = 0;
  for (std::size_t k = 0; k < run.size; ++k) {
    const int r = run.first_row + static_cast<int>(k);
    float* row = table.row(r);
    const float key = depth_key(row);
    row[kKey] = key;
    std::uint64_t entry = kUnusable | static_cast<std::uint32_t>(r);
    if (key > kNoKey) {  // NaN fails this too, as it fails the scan's test
      entry = depth_entry(key, r);
      ++usable;
    }
    out[k] = entry;
    for (int d = 0; d < kDigits; ++d) {
      ++(*run.counts)[d][(entry >> (32 + d * kDigitBits)) & (kBuckets - 1)];
    }
  }
  run.usable = usable;
}

void KeyOrder::sort_run(Run& run) {
  // Least significant digit first, each pass stable, so equal keys keep
  // their rows' order. A digit every entry shares is skipped.
  std::uint64_t* from = entries_.data() + run.begin;
  std::uint64_t* to = buffer_.data() + run.begin;
  for (int d = 0; d < kDigits && run.size > 0; ++d) {
    const int shift = 32 + d * kDigitBits;
    std::array<std::uint32_t, kBuckets>& count = (*run.counts)[d];
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

void KeyOrder::merge_part(int part, int parts) {
  const std::span<const std::uint64_t> a(runs_[0].sorted, runs_[0].usable);
  const std::span<const std::uint64_t> b(runs_[1].sorted, runs_[1].usable);
  const std::size_t total = merged_.size();
  const std::size_t k0 = total * static_cast<std::size_t>(part) / static_cast<std::size_t>(parts);
  const std::size_t k1 =
      total * static_cast<std::size_t>(part + 1) / static_cast<std::size_t>(parts);
  const std::size_t i0 = taken_from_first(a, b, k0);
  const std::size_t i1 = taken_from_first(a, b, k1);
  std::merge(a.begin() + static_cast<std::ptrdiff_t>(i0), a.begin() + static_cast<std::ptrdiff_t>(i1),
             b.begin() + static_cast<std::ptrdiff_t>(k0 - i0),
             b.begin() + static_cast<std::ptrdiff_t>(k1 - i1),
             merged_.begin() + static_cast<std::ptrdiff_t>(k0));
}

}  // namespace b3d

#include "b3d/staged_sort.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace b3d {

namespace {

constexpr float kUsed = -9999.0f;
constexpr float kLowest = -9998.0f;

// A code whose unsigned order is the order of the keys, with +0 and -0 one
// key, as the comparison sees them.
std::uint32_t order_code(float key) {
  const std::uint32_t bits = std::bit_cast<std::uint32_t>(key == 0 ? 0.0f : key);
  return (bits & 0x80000000u) ? ~bits : bits | 0x80000000u;
}

}  // namespace

void StagedSorter::sort(Table& table, Table& staging) {
  const int n = table.upper_row();
  if (staging.upper_row() < n) staging = Table(n, staging.columns());
  const int width = std::min(table.columns(), staging.columns());
  const std::size_t row_bytes = sizeof(float) * static_cast<std::size_t>(width);

  // Greatest key first and, of equal keys, the last row first: the order in
  // which the passes take them. NaN and keys below -9998 are never taken.
  order_.clear();
  for (int r = 1; r <= n; ++r) {
    float* row = table.row(r);
    row[kKey] = (row[kViewZ1] + row[kViewZ2]) + row[kViewZ3];
    if (row[kKey] >= kLowest) {
      order_.push_back(std::uint64_t{order_code(row[kKey])} << 32 | static_cast<std::uint32_t>(r));
    }
  }
  std::sort(order_.begin(), order_.end(), std::greater<>());

  int taken = 0;  // the row the last pass took
  for (int pass = 1; pass <= n; ++pass) {
    if (static_cast<std::size_t>(pass) <= order_.size()) {
      taken = static_cast<int>(order_[static_cast<std::size_t>(pass) - 1] & 0xFFFFFFFFu);
    }
    table(taken, kKey) = kUsed;
    std::memcpy(staging.row(pass), table.row(taken), row_bytes);
  }
  for (int r = 0; r <= n; ++r) std::memcpy(table.row(r), staging.row(r), row_bytes);
}

}  // namespace b3d

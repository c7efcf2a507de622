#include "b3d/staged_sort.h"

#include <algorithm>
#include <cstring>

#include "b3d/depth_keys.h"

namespace b3d {

namespace {

constexpr float kUsed = -9999.0f;
constexpr float kLowest = -9998.0f;

}  // namespace

void StagedSorter::sort(Table& table, Table& staging) {
  const int n = table.upper_row();
  if (staging.upper_row() < n) staging = Table(n, staging.columns());
  const int width = std::min(table.columns(), staging.columns());
  const std::size_t row_bytes = sizeof(float) * static_cast<std::size_t>(width);

  // Greatest key first and, of equal keys, the last row first: the order in
  // which the passes take them. The rows go in last first, and the sort keeps
  // the order of equal keys. NaN and keys below -9998 are never taken.
  write_depth_keys(table);
  order_.clear();
  for (int r = n; r >= 1; --r) {
    if (table(r, kKey) >= kLowest) order_.push_back(depth_entry(table(r, kKey), r));
  }
  sort_by_code(order_, buffer_);

  int taken = 0;  // the row the last pass took
  for (int pass = 1; pass <= n; ++pass) {
    if (static_cast<std::size_t>(pass) <= order_.size()) {
      taken = row_of(order_[static_cast<std::size_t>(pass) - 1]);
    }
    table(taken, kKey) = kUsed;
    std::memcpy(staging.row(pass), table.row(taken), row_bytes);
  }
  for (int r = 0; r <= n; ++r) std::memcpy(table.row(r), staging.row(r), row_bytes);
}

}  // namespace b3d

#include "b3d/depth_keys.h"

#include <cstddef>
#include <utility>

namespace b3d {

void write_depth_keys(Table& table) {
  for (int r = 1; r <= table.upper_row(); ++r) {
    float* row = table.row(r);
    row[kKey] = depth_key(row);
  }
}

// Three passes of 11 bits over the code; a pass in which every entry has the
// same digit is skipped.
void sort_by_code(std::vector<std::uint64_t>& entries, std::vector<std::uint64_t>& buffer) {
  constexpr int kDigitBits = 11;
  constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;
  buffer.resize(entries.size());
  for (int shift = 32; shift < 64; shift += kDigitBits) {
    std::size_t count[kBuckets] = {};
    for (std::uint64_t e : entries) ++count[(e >> shift) & (kBuckets - 1)];
    if (!entries.empty() && count[(entries[0] >> shift) & (kBuckets - 1)] == entries.size()) {
      continue;
    }
    std::size_t start = 0;
    for (std::size_t& c : count) start += std::exchange(c, start);
    for (std::uint64_t e : entries) buffer[count[(e >> shift) & (kBuckets - 1)]++] = e;
    entries.swap(buffer);
  }
}

}  // namespace b3d

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

std::uint64_t depth_entry(float key, int row) {
  if (key == 0.0f) key = 0.0f;
  // The builtin behind std::bit_cast: emscripten 3.1.6's libc++ lacks the
  // library function, and every compiler we build with has the builtin.
  const auto bits = __builtin_bit_cast(std::uint32_t, key);
  const std::uint32_t ascending = (bits & 0x80000000u) ? ~bits : (bits | 0x80000000u);
  return std::uint64_t{~ascending} << 32 | static_cast<std::uint32_t>(row);
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

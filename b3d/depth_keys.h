#pragma once
// What the two depth sorts share: the key of a row, and putting rows in
// order of their keys, far to near.

#include <cstdint>
#include <vector>

#include "b3d/triangle_table.h"

namespace b3d {

// The key of a row: the sum of its three view z, left to right.
inline float depth_key(const float* row) { return (row[kViewZ1] + row[kViewZ2]) + row[kViewZ3]; }

// Column 0 of rows 1..N: each row's key.
void write_depth_keys(Table& table);

// An entry of a sort: the key's code in the upper 32 bits, the row below.
// Codes sort ascending as the keys sort descending; +0 and -0 are equal keys
// and share a code.
inline std::uint64_t depth_entry(float key, int row) {
  // The builtin behind std::bit_cast: emscripten 3.1.6's libc++ lacks the
  // library function, and every compiler we build with has the builtin.
  std::uint32_t bits = __builtin_bit_cast(std::uint32_t, key);
  if (key == 0.0f) bits = 0;
  // Negative keys have every bit turned, others the sign bit alone; keys are
  // negative at random along a table, so this is done without a branch.
  const auto negative = static_cast<std::uint32_t>(static_cast<std::int32_t>(bits) >> 31);
  const std::uint32_t ascending = bits ^ (negative | 0x80000000u);
  return std::uint64_t{~ascending} << 32 | static_cast<std::uint32_t>(row);
}
inline std::uint32_t code_of(std::uint64_t entry) { return static_cast<std::uint32_t>(entry >> 32); }
inline int row_of(std::uint64_t entry) { return static_cast<int>(entry & 0xFFFFFFFFu); }

// Sorts entries by their code, stably: equal keys keep the order they came in.
void sort_by_code(std::vector<std::uint64_t>& entries, std::vector<std::uint64_t>& buffer);

}  // namespace b3d

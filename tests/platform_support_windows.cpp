#include "tests/platform_support.h"

namespace test_support {

// Named pipes live in their own namespace, never in a folder of models.
bool make_fifo(const std::string&) { return false; }

std::string forbid_reading(const std::string&) {
  return "Windows files have no read permission to take away";
}

// No fork: a child would start afresh, without the test's window and files.
std::optional<bool> within_memory(std::size_t, bool, const std::function<bool()>&) {
  return std::nullopt;
}

}  // namespace test_support

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

// Windows has no root, and no bits that keep a folder from its owner.
bool as_ordinary_user(const std::function<void()>& body) {
  body();
  return true;
}

std::string why_reasons_differ() {
  return "Windows gives its own reasons, in its own words, and has no permission bits";
}

}  // namespace test_support

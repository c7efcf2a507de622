#include <sys/stat.h>
#include <unistd.h>

#include "tests/platform_support.h"

namespace test_support {

bool make_fifo(const std::string& path) { return mkfifo(path.c_str(), 0600) == 0; }

std::string forbid_reading(const std::string& path) {
  if (geteuid() == 0) return "root reads files without read permission";
  return chmod(path.c_str(), 0) == 0 ? "" : "chmod failed";
}

}  // namespace test_support

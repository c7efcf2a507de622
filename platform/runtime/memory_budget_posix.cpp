#include "platform/runtime/memory_budget.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <limits>

namespace runtime {
namespace {

// The address space mapped now, in bytes; 0 when it cannot be read.
std::uint64_t mapped_now() {
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (statm == nullptr) return 0;
  unsigned long long pages = 0;
  const bool read = std::fscanf(statm, "%llu", &pages) == 1;
  std::fclose(statm);
  const long page_size = sysconf(_SC_PAGESIZE);
  if (!read || page_size <= 0) return 0;
  return pages * static_cast<std::uint64_t>(page_size);
}

}  // namespace

void limit_further_memory(std::uint64_t bytes) {
  const std::uint64_t mapped = mapped_now();
  if (bytes > std::numeric_limits<std::uint64_t>::max() - mapped) return;
  const std::uint64_t ceiling = mapped + bytes;
  rlimit limit{};
  if (getrlimit(RLIMIT_AS, &limit) != 0) return;
  if (limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur <= ceiling) return;
  limit.rlim_cur = static_cast<rlim_t>(ceiling);
  setrlimit(RLIMIT_AS, &limit);  // where it cannot be lowered, the conversion goes on without
}

}  // namespace runtime

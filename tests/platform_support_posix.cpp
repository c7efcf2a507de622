#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "tests/platform_support.h"

namespace test_support {

bool make_fifo(const std::string& path) { return mkfifo(path.c_str(), 0600) == 0; }

std::string forbid_reading(const std::string& path) {
  if (geteuid() == 0) return "root reads files without read permission";
  return chmod(path.c_str(), 0) == 0 ? "" : "chmod failed";
}

bool as_ordinary_user(const std::function<void()>& body) {
  const bool root = geteuid() == 0;
  // 65534 is nobody.
  if (root && seteuid(65534) != 0) return false;
  body();
  if (root && seteuid(0) != 0) std::abort();  // the tests after this need root back
  return true;
}

std::string why_reasons_differ() { return ""; }

namespace {

// Where taken blocks go: an allocation nobody uses may be left out by the
// compiler, and the loop that takes them with it.
void* volatile held_block = nullptr;

}  // namespace

std::optional<bool> within_memory(std::size_t headroom, bool exhausted,
                                  const std::function<bool()>& body) {
  const pid_t child = fork();
  if (child == 0) {
    long pages = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
      if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
      std::fclose(statm);
    }
    const rlim_t limit = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + headroom;
    const rlimit cap{limit, limit};
    if (pages == 0 || setrlimit(RLIMIT_AS, &cap) != 0) _exit(2);
    for (void* block = nullptr; exhausted && (block = std::malloc(1 << 20)) != nullptr;) {
      held_block = block;
    }
    _exit(body() ? 0 : 1);
  }
  int status = -1;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace test_support

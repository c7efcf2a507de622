#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

#include "platform/runtime/temporary_files.h"

namespace runtime {

namespace {

// Fixed slots, since the signal handler may neither allocate nor lock: a
// slot's name is written before it is marked used, and the handler reads
// only the names of used slots.
struct Slot {
  std::atomic<bool> used{false};
  char path[4096];
};
Slot slots[16];

void remove_and_end(int signal_number) {
  for (Slot& slot : slots) {
    if (slot.used.load()) unlink(slot.path);
  }
  // The handler was reset to the default on entry, so this ends the process.
  raise(signal_number);
}

}  // namespace

void remove_temporary_files_on_signals() {
  struct sigaction action {};
  action.sa_handler = &remove_and_end;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND | SA_NODEFER;
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    // A signal ignored from the start stays ignored: nohup and background
    // jobs of a shell rely on it.
    struct sigaction before {};
    if (sigaction(signal_number, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    sigaction(signal_number, &action, nullptr);
  }
}

int register_temporary_file(const std::string& path) {
  if (path.size() >= sizeof slots[0].path) return -1;
  for (int i = 0; i < static_cast<int>(std::size(slots)); ++i) {
    Slot& slot = slots[i];
    if (slot.used.load()) continue;
    std::memcpy(slot.path, path.c_str(), path.size() + 1);
    slot.used.store(true);
    return i;
  }
  return -1;
}

void release_temporary_file(int slot) {
  if (slot >= 0) slots[slot].used.store(false);
}

}  // namespace runtime

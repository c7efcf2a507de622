#include "platform/runtime/temporary_files.h"

#include <atomic>
#include <cstring>
#include <iterator>

#include "platform/runtime/temporary_files_list.h"

namespace runtime {

namespace {

// Fixed slots, since a signal handler may neither allocate nor lock: a
// slot's name is written before it is marked used, and the handler reads
// only the names of used slots.
struct Slot {
  std::atomic<bool> used{false};
  char path[4096];
};
Slot slots[16];

}  // namespace

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

void remove_registered_files(void (*remove)(const char* path)) {
  for (Slot& slot : slots) {
    if (slot.used.load()) remove(slot.path);
  }
}

}  // namespace runtime

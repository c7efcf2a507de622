#pragma once
// Between the list of temporary files and each platform's way of being
// interrupted.

namespace runtime {

// Calls `remove` on every registered file; safe in a signal handler when
// `remove` is.
void remove_registered_files(void (*remove)(const char* path));

}  // namespace runtime

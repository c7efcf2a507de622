#pragma once
// Temporary files that an interrupted program must not leave behind.

#include <string>

namespace runtime {

// From now on SIGINT, SIGTERM and SIGHUP remove the registered files, then
// end the process by that signal, as it would have ended without this
// (a shell sees 128 + the signal's number). A signal ignored when this is
// called stays ignored.
void remove_temporary_files_on_signals();

// Registers a file to be removed on such a signal; returns the slot to
// release once the file is gone or renamed, -1 when none was free (the file
// then stays if a signal comes).
int register_temporary_file(const std::string& path);
void release_temporary_file(int slot);

}  // namespace runtime

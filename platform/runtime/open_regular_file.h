#pragma once
// Opens a file for reading, but only a regular file, and without waiting on
// the way. The name is UTF-8 on every platform.

#include <cstdio>
#include <string>

namespace runtime {

// Throws std::runtime_error "Cannot open "PATH": REASON" when the file cannot
// be opened or is not a regular file (a folder, a fifo, a device).
std::FILE* open_regular_file(const std::string& path);

}  // namespace runtime

#pragma once
// What the tests need of the operating system beyond the standard library.
// Each platform has its own file: platform_support_posix.cpp on Linux,
// platform_support_windows.cpp on Windows.

#include <string>

namespace test_support {

// Makes a fifo at `path`; false where the platform has none in its folders.
bool make_fifo(const std::string& path);

// Takes away every permission to read `path`. Empty when that works here;
// otherwise why a reader still reads the file.
std::string forbid_reading(const std::string& path);

}  // namespace test_support

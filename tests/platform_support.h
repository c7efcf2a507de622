#pragma once
// What the tests need of the operating system beyond the standard library.
// Each platform has its own file: platform_support_posix.cpp on Linux,
// platform_support_windows.cpp on Windows.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace test_support {

// Makes a fifo at `path`; false where the platform has none in its folders.
bool make_fifo(const std::string& path);

// Takes away every permission to read `path`. Empty when that works here;
// otherwise why a reader still reads the file.
std::string forbid_reading(const std::string& path);

// Runs `body` in a child process whose address space may grow by at most
// `headroom` bytes, and gives what it returned. With `exhausted`, every block
// of a megabyte or more that the child still has free is taken first, so
// that no allocation of that size can succeed. Nothing where the platform
// has no such child processes.
std::optional<bool> within_memory(std::size_t headroom, bool exhausted,
                                  const std::function<bool()>& body);

// Runs `body` without root's right to read every folder, as an ordinary
// user would; false when that right could not be dropped.
bool as_ordinary_user(const std::function<void()>& body);

// Empty where the system gives its reasons in POSIX's words ("Permission
// denied", "Not a directory"); otherwise why a test of them is skipped.
std::string why_reasons_differ();

}  // namespace test_support

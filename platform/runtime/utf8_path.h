#pragma once
// The program keeps every file name as UTF-8 text. A std::filesystem::path
// made from a plain string takes the system's narrow code page, which on
// Windows is not UTF-8 and loses every name outside it; these two go through
// char8_t, which means UTF-8 on every platform.

#include <filesystem>
#include <string>
#include <string_view>

namespace runtime {

inline std::filesystem::path path_of(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8_of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace runtime

// A double as text with 15 significant digits in the browser build, whose
// libc++ (emscripten 3.1.6) has no floating-point to_chars: its C library's
// snprintf, which converts exactly, in the C locale a page always has.

#include <cstdio>

#include "platform/runtime/number.h"

namespace runtime {

std::string fifteen_digits(double value) {
  char buffer[40];
  const int length = std::snprintf(buffer, sizeof buffer, "%.15g", value);
  return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace runtime

// A double as text with 15 significant digits, by the standard library's
// to_chars: printf's %.15g, whatever the locale.

#include <charconv>

#include "platform/runtime/number.h"

namespace runtime {

std::string fifteen_digits(double value) {
  char buffer[40];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::general, 15);
  return std::string(buffer, result.ptr);
}

}  // namespace runtime

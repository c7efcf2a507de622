// The conversion of a decimal literal to the nearest double in the browser
// build, whose libc++ (emscripten 3.1.6) has no floating-point from_chars:
// its C library's strtod (musl's), correctly rounded, in the C locale a page
// always has. Beyond the range it gives infinity or zero of the literal's
// sign, and between them the correctly rounded denormals, as from_chars.

#include <cstdlib>
#include <string>

#include "platform/runtime/number.h"

namespace runtime {

double decimal_to_double(std::string_view literal) {
  const std::string terminated(literal);
  return std::strtod(terminated.c_str(), nullptr);
}

}  // namespace runtime

// The conversion of a decimal literal to the nearest double, by the standard
// library's from_chars: correctly rounded, and the same whatever the locale.

#include <charconv>
#include <limits>

#include "platform/runtime/number.h"

namespace runtime {

double decimal_to_double(std::string_view literal) {
  const char* const first = literal.data();
  const char* const last = first + literal.size();
  double value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc::result_out_of_range) return value;

  // Out of range leaves value alone: infinite when the point lies far to the
  // right, zero when far to the left, with the literal's sign either way.
  const bool negative = *first == '-';
  const char* digits = negative ? first + 1 : first;
  const char* e = digits;
  while (e < last && *e != 'e' && *e != 'E') ++e;
  long exponent = 0;
  if (e + 1 < last) std::from_chars(e + 1 + (e[1] == '+'), last, exponent);
  const double magnitude =
      exponent + (e - digits) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  return negative ? -magnitude : magnitude;
}

}  // namespace runtime

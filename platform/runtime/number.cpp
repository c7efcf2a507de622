#include "platform/runtime/number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

#include "platform/runtime/runtime_error.h"

namespace runtime {
namespace {

bool is_ignored(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Walks the text with the ignored characters taken out.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) { skip(); }
  bool done() const { return pos_ >= text_.size(); }
  char peek() const { return done() ? '\0' : text_[pos_]; }
  void next() {
    ++pos_;
    skip();
  }

 private:
  void skip() {
    while (pos_ < text_.size() && is_ignored(text_[pos_])) ++pos_;
  }
  std::string_view text_;
  std::size_t pos_ = 0;
};

int digit_value(char c, int base) {
  int v = -1;
  if (is_digit(c)) {
    v = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    v = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    v = c - 'A' + 10;
  }
  return v < base ? v : -1;
}

double read_radix(Cursor& in, int base, bool& found) {
  double value = 0;
  for (int d; (d = digit_value(in.peek(), base)) >= 0; in.next()) {
    value = value * base + d;
    found = true;
  }
  return value;
}

// The power of ten of a literal's first significant digit, saturated far
// beyond the double range: tells an overflow from an underflow.
long long decimal_order(const std::string& literal) {
  const std::size_t e = literal.find('e');
  long long exponent = 0;
  if (e != std::string::npos) {
    for (std::size_t i = e + 1; i < literal.size(); ++i) {
      if (is_digit(literal[i])) exponent = std::min(exponent * 10 + (literal[i] - '0'), 1000000LL);
    }
    if (literal.find('-', e) != std::string::npos) exponent = -exponent;
  }
  const std::string mantissa = literal.substr(0, e);
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first = mantissa.find_first_of("123456789");
  if (first == std::string::npos) return 0;
  const long long shift = first < point ? static_cast<long long>(point - first) - 1
                                        : -static_cast<long long>(first - point);
  return exponent + shift;
}

// from_chars is correctly rounded, ignores the user's locale and is the same
// code on every platform. Instead of a value beyond the range it reports the
// range: that is an infinity of the literal's sign, or a zero of it below
// the smallest denormal.
double decimal_value(const std::string& literal) {
  double value = 0;
  const char* first = literal.data();
  const auto result = std::from_chars(first, first + literal.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    const double magnitude = decimal_order(literal) < 0 ? 0.0 : HUGE_VAL;
    return literal[0] == '-' ? -magnitude : magnitude;
  }
  return value;
}

// Reads one number; found says whether there was one.
double read_number(Cursor& in, bool& found) {
  found = false;
  if (in.peek() == '&') {
    in.next();
    const char kind = in.peek();
    if (kind == 'H' || kind == 'h') {
      in.next();
      return read_radix(in, 16, found);
    }
    if (kind == 'O' || kind == 'o') {
      in.next();
      return read_radix(in, 8, found);
    }
    return 0;
  }

  std::string literal;
  if (in.peek() == '+' || in.peek() == '-') {
    if (in.peek() == '-') literal += '-';
    in.next();
  }
  for (; is_digit(in.peek()); in.next()) {
    literal += in.peek();
    found = true;
  }
  if (in.peek() == '.') {
    literal += '.';
    in.next();
    for (; is_digit(in.peek()); in.next()) {
      literal += in.peek();
      found = true;
    }
  }
  if (!found) return 0;
  if (in.peek() == 'E' || in.peek() == 'e') {
    // The exponent counts only when digits follow; "1E" reads as 1 and
    // leaves the "E" unread.
    Cursor look = in;
    look.next();
    std::string exponent = "e";
    if (look.peek() == '+' || look.peek() == '-') {
      exponent += look.peek();
      look.next();
    }
    if (is_digit(look.peek())) {
      for (; is_digit(look.peek()); look.next()) exponent += look.peek();
      literal += exponent;
      in = look;
    }
  }
  return decimal_value(literal);
}

}  // namespace

double parse_number(std::string_view text) {
  Cursor in(text);
  bool found = false;
  const double value = read_number(in, found);
  return found ? value : 0.0;
}

double text_to_number(std::string_view text) {
  Cursor in(text);
  bool found = false;
  const double value = read_number(in, found);
  if (!found || !in.done()) raise_type_mismatch(std::string(text));
  if (std::isinf(value)) raise_overflow();
  return value;
}

std::string number_to_text(double value) {
  if (value == 0) return "0";  // also -0
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  char buffer[40];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::general, 15);
  std::string text(buffer, result.ptr);
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  return text;
}

}  // namespace runtime

#include "platform/runtime/number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "platform/runtime/runtime_error.h"

namespace runtime {
namespace {

bool is_ignored(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

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

// An exponent this large is far past the double range whatever the digits
// before it, so counting stops there instead of overflowing.
constexpr std::int64_t kExponentCap = 1'000'000'000'000'000;

// Beyond this power of ten a literal of at most kMaxDigits + 1 digits is
// infinite or zero either way, so the exponent handed on is clamped to it.
constexpr std::int64_t kScaleClamp = 2000;

}  // namespace

void NumberReader::reset() {
  state_ = State::Start;
  negative_ = false;
  found_ = false;
  radix_ = 0;
  radix_value_ = 0;
  kept_ = 0;
  dropped_nonzero_ = false;
  scale_ = 0;
  exponent_negative_ = false;
  exponent_ = 0;
}

// The run of digits from p, which is a digit; returns where the run ends.
// Leading zeros only move the point. Past the kept digits the loop only
// counts and looks for a digit other than zero, so a line of millions of
// digits goes by quickly.
const char* NumberReader::read_decimal_digits(const char* p, const char* end, bool fraction) {
  found_ = true;
  if (kept_ == 0) {
    const char* zeros = p;
    while (p < end && *p == '0') ++p;
    if (fraction) scale_ -= p - zeros;
  }
  for (; p < end && kept_ < kMaxDigits && is_digit(*p); ++p) {
    digits_[kept_++] = *p;
    if (fraction) --scale_;
  }
  const char* dropped = p;
  bool nonzero = false;
  for (; p < end && is_digit(*p); ++p) nonzero |= *p != '0';
  dropped_nonzero_ |= nonzero;
  if (!fraction) scale_ += p - dropped;
  return p;
}

void NumberReader::add(std::string_view piece) {
  const char* p = piece.data();
  const char* const end = p + piece.size();
  while (p < end && state_ != State::Stopped) {
    const char c = *p;
    if (is_ignored(c)) {
      ++p;
      continue;
    }
    switch (state_) {
      case State::Start:
        if (c == '&') {
          state_ = State::Ampersand;
        } else if (c == '+' || c == '-') {
          negative_ = c == '-';
          state_ = State::Signed;
        } else if (is_digit(c)) {
          state_ = State::Integer;
          continue;
        } else if (c == '.') {
          state_ = State::Fraction;
        } else {
          state_ = State::Stopped;
        }
        ++p;
        break;
      case State::Ampersand:
        radix_ = c == 'H' || c == 'h' ? 16 : c == 'O' || c == 'o' ? 8 : 0;
        state_ = radix_ != 0 ? State::Radix : State::Stopped;
        ++p;
        break;
      case State::Radix: {
        const int d = digit_value(c, radix_);
        if (d < 0) {
          state_ = State::Stopped;
          break;
        }
        // Summed digit by digit in double, rounding at each step.
        radix_value_ = radix_value_ * radix_ + d;
        found_ = true;
        ++p;
        break;
      }
      case State::Signed:
        if (is_digit(c)) {
          state_ = State::Integer;
        } else if (c == '.') {
          state_ = State::Fraction;
          ++p;
        } else {
          state_ = State::Stopped;
        }
        break;
      case State::Integer:
        if (is_digit(c)) {
          p = read_decimal_digits(p, end, false);
        } else if (c == '.') {
          state_ = State::Fraction;
          ++p;
        } else {
          state_ = c == 'E' || c == 'e' ? State::Exponent : State::Stopped;
          if (state_ == State::Exponent) ++p;
        }
        break;
      case State::Fraction:
        if (is_digit(c)) {
          p = read_decimal_digits(p, end, true);
        } else {
          // "-.E5" holds no number, so no exponent either.
          state_ = found_ && (c == 'E' || c == 'e') ? State::Exponent : State::Stopped;
          if (state_ == State::Exponent) ++p;
        }
        break;
      case State::Exponent:
        if (c == '+' || c == '-') {
          exponent_negative_ = c == '-';
          state_ = State::ExponentSign;
          ++p;
        } else {
          state_ = is_digit(c) ? State::ExponentDigits : State::Stopped;
        }
        break;
      case State::ExponentSign:
        state_ = is_digit(c) ? State::ExponentDigits : State::Stopped;
        break;
      case State::ExponentDigits:
        if (!is_digit(c)) {
          state_ = State::Stopped;
          break;
        }
        if (exponent_ < kExponentCap) exponent_ = exponent_ * 10 + (c - '0');
        ++p;
        break;
      case State::Stopped:
        break;
    }
  }
}

double NumberReader::decimal_value() const {
  // Without digits the exponent stays 0: "1E" reads as 1.
  const std::int64_t exponent = exponent_negative_ ? -exponent_ : exponent_;
  if (const auto fast = exact_value(exponent)) return negative_ ? -*fast : *fast;
  char literal[1 + kMaxDigits + 1 + 8];
  char* out = literal;
  if (negative_) *out++ = '-';
  if (kept_ == 0) {
    *out++ = '0';
  } else {
    out = std::copy(digits_, digits_ + kept_, out);
  }
  std::int64_t scale = scale_ + exponent;
  if (dropped_nonzero_) {
    // Any digit past the kept ones that is not zero puts the value strictly
    // between the kept literal and the next one up, which a final 1 says.
    *out++ = '1';
    --scale;
  }
  scale = std::clamp(scale, -kScaleClamp, kScaleClamp);
  *out++ = 'e';
  out = std::to_chars(out, literal + sizeof literal, scale).ptr;
  return decimal_to_double(std::string_view(literal, static_cast<std::size_t>(out - literal)));
}

// Most coordinates have a few digits and a small exponent: up to 15 digits
// make a whole number below 2^53 and 10^0..10^22 are doubles, both exact, so
// one multiplication or division, rounded once, gives the correctly rounded
// value without the general conversion.
std::optional<double> NumberReader::exact_value(std::int64_t exponent) const {
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const std::int64_t scale = scale_ + exponent;
  if (dropped_nonzero_ || kept_ > 15 || scale < -22 || scale > 22) return std::nullopt;
  std::int64_t whole = 0;
  for (int i = 0; i < kept_; ++i) whole = whole * 10 + (digits_[i] - '0');
  const double m = static_cast<double>(whole);
  return scale < 0 ? m / kPowers[-scale] : m * kPowers[scale];
}

double NumberReader::value() const {
  if (!found_) return 0.0;
  if (radix_ != 0) return radix_value_;
  return decimal_value();
}

bool NumberReader::is_whole_number() const {
  if (!found_) return false;
  return state_ == State::Radix || state_ == State::Integer || state_ == State::Fraction ||
         state_ == State::ExponentDigits;
}

double parse_number(std::string_view text) {
  NumberReader reader;
  reader.add(text);
  return reader.value();
}

double text_to_number(std::string_view text) {
  NumberReader reader;
  reader.add(text);
  if (!reader.is_whole_number()) raise_type_mismatch(std::string(text));
  const double value = reader.value();
  if (std::isinf(value)) raise_overflow();
  return value;
}

std::string number_to_text(double value) {
  if (value == 0) return "0";  // also -0
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  std::string text = fifteen_digits(value);
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  return text;
}

}  // namespace runtime

#pragma once
// Numbers as text: the reading rule of the model files (also used for every
// text box), and the decimal text the program writes back.
//
// The rule: blanks, tabs and line feeds are ignored anywhere; then an
// optional sign, digits, an optional "." and digits, an optional exponent
// (E or e, optional sign, digits); or "&H" hexadecimal / "&O" octal digits.
// Reading stops at the first character that does not fit; no number at the
// start reads as 0. Beyond the double range: an infinity of its sign.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace runtime {

// Reads one number by the rule from text that may arrive in pieces: a model
// line can be longer than any buffer, so nothing here grows with the text.
// A decimal number keeps its first kMaxDigits significant digits and notes
// whether any later digit is not zero, which is all that correct rounding
// to a double needs; the result is the correctly rounded value of the whole
// literal, however long.
class NumberReader {
 public:
  NumberReader() { reset(); }
  // Starts a new number.
  void reset();
  // Reads on through the next piece of the text.
  void add(std::string_view piece);

  // The number read so far; 0 when the text held none.
  double value() const;
  // Whether the text read so far is one whole number and nothing else
  // (ignored characters apart).
  bool is_whole_number() const;

  // A halfway point between two doubles has at most 767 significant digits.
  static constexpr int kMaxDigits = 800;

 private:
  enum class State : std::uint8_t {
    Start,     // nothing but ignored characters yet
    Ampersand, // "&", waiting for H or O
    Radix,     // hexadecimal or octal digits
    Signed,    // a sign, waiting for digits or "."
    Integer,   // digits before the point
    Fraction,  // after the point
    Exponent,  // after E, waiting for a sign or digits
    ExponentSign,
    ExponentDigits,
    Stopped,   // met a character that does not fit; the rest is ignored
  };

  const char* read_decimal_digits(const char* p, const char* end, bool fraction);
  double decimal_value() const;
  std::optional<double> exact_value(std::int64_t exponent) const;

  State state_;
  bool negative_;
  bool found_;            // at least one digit of the number itself
  int radix_;
  double radix_value_;
  int kept_;              // significant digits kept in digits_
  bool dropped_nonzero_;  // a digit past the kept ones is not zero
  // The value is digits_ × 10^scale_ × 10^(±exponent_).
  std::int64_t scale_;
  bool exponent_negative_;
  std::int64_t exponent_;  // saturates: far past any double's range
  char digits_[kMaxDigits];
};

// Reads the number at the start of text by the rule above.
double parse_number(std::string_view text);

// The whole text must be one number by the rule above (blanks, tabs and line
// feeds still ignored); otherwise raises a type mismatch. A value beyond the
// double range raises Overflow.
double text_to_number(std::string_view text);

// Whole numbers without a decimal point, others with up to 15 significant
// digits; a minus sign and no leading blank. parse_number reads it back.
std::string number_to_text(double value);

// The value in printf's %.15g form: 15 significant digits, fixed or with an
// exponent ("1.5e+20"), as the C locale writes it. The one place the
// platform's conversion to text is called.
std::string fifteen_digits(double value);

// The correctly rounded double of a decimal literal of the form
// [-]DIGITS[eEXPONENT] with at most a few thousand characters; ±infinity
// above the range, ±0 below it. The one place the platform's conversion is
// called.
double decimal_to_double(std::string_view literal);

}  // namespace runtime

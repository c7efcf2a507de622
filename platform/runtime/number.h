#pragma once
// Numbers as text: the reading rule of the model files (also used for every
// text box), and the decimal text the program writes back.

#include <string>
#include <string_view>

namespace runtime {

// Reads the number at the start of text, ignoring blanks, tabs and line feeds
// anywhere: an optional sign, digits, an optional "." and digits, an optional
// exponent (E or e, optional sign, digits); or "&H" hexadecimal / "&O" octal
// digits. Reading stops at the first character that does not fit; no number
// at the start reads as 0. Beyond the double range: an infinity of its sign.
double parse_number(std::string_view text);

// The whole text must be one number by the rule above (blanks, tabs and line
// feeds still ignored); otherwise raises a type mismatch. A value beyond the
// double range raises Overflow.
double text_to_number(std::string_view text);

// Whole numbers without a decimal point, others with up to 15 significant
// digits; a minus sign and no leading blank. parse_number reads it back.
std::string number_to_text(double value);

}  // namespace runtime

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "platform/runtime/number.h"
#include "platform/runtime/runtime_error.h"
#include "tests/runtime/number_reference.h"

using runtime::ErrorKind;
using runtime::number_to_text;
using runtime::parse_number;
using runtime::RuntimeError;
using runtime::text_to_number;

TEST(ParseNumber, ReadsTheNumberAtTheStartOfALine) {
  EXPECT_EQ(parse_number("42"), 42);
  EXPECT_EQ(parse_number("-3"), -3);
  EXPECT_EQ(parse_number("+.5"), 0.5);
  EXPECT_EQ(parse_number("7."), 7);
  EXPECT_EQ(parse_number("1.5E1"), 15);
  EXPECT_EQ(parse_number("2e-1"), 0.2);
  EXPECT_EQ(parse_number("&H10"), 16);
  EXPECT_EQ(parse_number("&hff"), 255);
  EXPECT_EQ(parse_number("&O17"), 15);
  // The decimal point is always the full stop.
  EXPECT_EQ(parse_number("1,5"), 1);
  EXPECT_EQ(parse_number("12abc"), 12);
}

TEST(ParseNumber, IgnoresBlanksTabsAndLineFeedsEverywhere) {
  EXPECT_EQ(parse_number("1 000"), 1000);
  EXPECT_EQ(parse_number("\t- 2\n5 "), -25);
  EXPECT_EQ(parse_number("1 . 5 e 2"), 150);
  EXPECT_EQ(parse_number("1\n2\n3\n"), 123);  // a file with line feeds only
}

TEST(ParseNumber, NoNumberReadsAsZero) {
  EXPECT_EQ(parse_number(""), 0);
  EXPECT_EQ(parse_number("   "), 0);
  EXPECT_EQ(parse_number("abc"), 0);
  EXPECT_EQ(parse_number("-"), 0);
  EXPECT_EQ(parse_number("."), 0);
  EXPECT_EQ(parse_number("&"), 0);
  EXPECT_EQ(parse_number("&H"), 0);
  EXPECT_EQ(parse_number(" #1"), 0);
}

TEST(ParseNumber, AnExponentCountsOnlyWithDigits) {
  EXPECT_EQ(parse_number("1E"), 1);
  EXPECT_EQ(parse_number("1e+"), 1);
  EXPECT_EQ(parse_number("3e-x"), 3);
}

TEST(ParseNumber, BeyondTheDoubleRangeGivesAnInfinityOfItsSign) {
  EXPECT_EQ(parse_number("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(parse_number("-1e400"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(parse_number("1e99999999999999999999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(parse_number("1e-400"), 0);
  EXPECT_EQ(parse_number(std::string(400, '9')), std::numeric_limits<double>::infinity());
}

TEST(ParseNumber, IsCorrectlyRounded) {
  EXPECT_EQ(parse_number("0.1"), 0.1);
  EXPECT_EQ(parse_number("123456789012345678901234567890"), 1.2345678901234568e29);
}

TEST(TextToNumber, AcceptsOnlyAWholeNumber) {
  EXPECT_EQ(text_to_number(" 42 "), 42);
  EXPECT_EQ(text_to_number("-1.5E+2"), -150);
  EXPECT_EQ(text_to_number("&H10"), 16);
  for (const char* bad : {"", " ", "abc", "12abc", "1E", "-", "1,5", "&H"}) {
    try {
      text_to_number(bad);
      ADD_FAILURE() << "accepted \"" << bad << "\"";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.kind(), ErrorKind::TypeMismatch) << bad;
    }
  }
  try {
    text_to_number("1e999");
    ADD_FAILURE() << "accepted 1e999";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Overflow);
  }
}

TEST(NumberToText, WholeNumbersHaveNoDecimalPoint) {
  EXPECT_EQ(number_to_text(0), "0");
  EXPECT_EQ(number_to_text(-0.0), "0");
  EXPECT_EQ(number_to_text(2), "2");
  EXPECT_EQ(number_to_text(-5), "-5");
  EXPECT_EQ(number_to_text(19000), "19000");
  EXPECT_EQ(number_to_text(123456789012345), "123456789012345");
  EXPECT_EQ(number_to_text(1e15), "1E+15");
}

TEST(NumberToText, OtherValuesHaveUpTo15SignificantDigitsAndReadBack) {
  EXPECT_EQ(number_to_text(0.1), "0.1");
  EXPECT_EQ(number_to_text(-2.5), "-2.5");
  EXPECT_EQ(number_to_text(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(number_to_text(1.5e-7), "1.5E-07");
  for (double v : {0.1, -2.5, 1.0 / 3, 1.5e-7, 360.2, 1e300, -7.25e-300}) {
    const double back = parse_number(number_to_text(v));
    EXPECT_NEAR(back, v, std::abs(v) * 1e-14) << v;
  }
}

namespace {

using runtime::NumberReader;

// The streaming reader fed `text` in the pieces that `cuts` marks.
NumberReader read_in_pieces(std::string_view text, std::mt19937& random) {
  NumberReader reader;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t size = std::uniform_int_distribution<std::size_t>(1, 7)(random);
    reader.add(text.substr(at, size));
    at += size;
  }
  return reader;
}

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

TEST(NumberReader, AgreesWithThePlainReadingOnAnyTextInAnyPieces) {
  std::mt19937 random(20261207);
  const std::string alphabet = "0123456789000.+-eE&HhOoAFf \t\n,x\r#";
  for (int i = 0; i < 200000; ++i) {
    std::string text(std::uniform_int_distribution<std::size_t>(0, 24)(random), ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    const reference::Reading expected = reference::read_number(text);
    const NumberReader reader = read_in_pieces(text, random);
    ASSERT_TRUE(same_bits(reader.value(), expected.value))
        << '"' << text << "\" " << reader.value() << " != " << expected.value;
    ASSERT_EQ(reader.is_whole_number(), expected.whole) << '"' << text << '"';
  }
}

// Short literals, the coordinates of every model, take a quicker way to
// their double than long ones; both must round as the plain reading does.
TEST(NumberReader, ShortLiteralsRoundAsThePlainReadingDoes) {
  std::mt19937_64 random(12);
  for (int i = 0; i < 300000; ++i) {
    std::string text = random() % 2 ? "-" : "";
    const int digits = 1 + static_cast<int>(random() % 17);
    for (int d = 0; d < digits; ++d) text += static_cast<char>('0' + random() % 10);
    if (random() % 2) text.insert(text.size() - random() % digits, ".");
    if (random() % 2) text += "e" + std::to_string(static_cast<int>(random() % 60) - 30);
    ASSERT_TRUE(same_bits(parse_number(text), reference::read_number(text).value)) << text;
  }
}

// Past 800 significant digits only the zero-or-not of the rest is kept; the
// numbers where that matters most are those next to a halfway point between
// two doubles, whose decimal expansions run to hundreds of digits.
TEST(NumberReader, RoundsLongLiteralsCorrectlyAtHalfwayPoints) {
  std::mt19937_64 random(7);
  std::mt19937 cuts(8);
  for (int i = 0; i < 3000; ++i) {
    double low;
    const std::uint64_t bits = random() >> 2;  // positive and finite
    std::memcpy(&low, &bits, sizeof low);
    const long double halfway =
        (static_cast<long double>(low) + std::nextafter(low, HUGE_VAL)) / 2;
    char exact[1400];
    std::snprintf(exact, sizeof exact, "%.1100Le", halfway);
    std::string digits(exact);
    const std::size_t e = digits.find('e');
    const std::string mantissa = digits.substr(0, e), exponent = digits.substr(e);
    // The trailing zeros of the exact expansion cut away, then each kind of
    // neighbour: the halfway point itself, a hair above, a hair below.
    std::string cut = mantissa.substr(0, mantissa.find_last_not_of('0') + 1);
    for (const std::string& text :
         {cut + exponent, cut + std::string(900, '0') + "1" + exponent,
          cut.substr(0, cut.size() - 1) + std::string(1, static_cast<char>(cut.back() - 1)) +
              std::string(900, '9') + exponent}) {
      const reference::Reading expected = reference::read_number(text);
      ASSERT_TRUE(same_bits(read_in_pieces(text, cuts).value(), expected.value)) << text;
    }
  }
}

TEST(NumberReader, LinesFarLongerThanAnyBufferReadInBoundedSpace) {
  // A million zeros after the point, then a one, scaled back up.
  EXPECT_EQ(parse_number("0." + std::string(1'000'000, '0') + "1e1000001"), 1);
  EXPECT_EQ(parse_number("1" + std::string(1'000'000, '0') + "e-1000000"), 1);
  EXPECT_EQ(parse_number(std::string(3'000'000, '0') + "25"), 25);
  EXPECT_EQ(parse_number("-" + std::string(1'000'000, '9')), -HUGE_VAL);
  EXPECT_TRUE(std::signbit(parse_number("-0." + std::string(1'000'000, '0') + "1")));
  EXPECT_EQ(parse_number("1e" + std::string(1'000'000, '9')), HUGE_VAL);
  EXPECT_EQ(parse_number("&H" + std::string(1'000'000, 'F')), HUGE_VAL);
  // Long enough to hold a digit that matters far past the kept ones.
  std::mt19937 random(3);
  std::string text(100'000, '0');
  for (char& c : text) c = static_cast<char>('0' + random() % 10);
  text.insert(400, ".");
  EXPECT_TRUE(same_bits(parse_number(text), reference::read_number(text).value));
}

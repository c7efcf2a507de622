#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/runtime/number.h"
#include "platform/runtime/runtime_error.h"

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

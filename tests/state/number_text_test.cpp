#include "state/number_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace tov {
namespace {

TEST(IsNumber, AcceptsDecimalNumbersAndRejectsAlmostNumbers) {
  for (const char* text :
       {"5", "5.", ".5", "-5", "+5", "007", " 12 ", "\t3.5\t", "1E+03", "2.5e-6", "-.5E2", "-0"}) {
    EXPECT_TRUE(IsNumber(text)) << '"' << text << '"';
  }
  for (const char* text :
       {"",    " ",  ".",     "-",   "1,000", "1,5", "0x10", "inf",   "nan",  "1e999", "1e",
        "1e+", "e5", "1.2.3", "5 5", "--5",   "+-5", "5-",   "12abc", "1 e5", "5%",    "\u00a05"}) {
    EXPECT_FALSE(IsNumber(text)) << '"' << text << '"';
  }
}

TEST(ParseNumber, ReadsTinyValuesAsZeroAndRejectsHugeOnes) {
  const std::string many_zeros(400, '0');
  EXPECT_EQ(ParseNumber(" -2.5e2 "), -250.0);
  EXPECT_EQ(ParseNumber("+.125"), 0.125);
  EXPECT_EQ(ParseNumber("abc"), std::nullopt);
  EXPECT_EQ(ParseNumber("1e-400"), 0.0);
  EXPECT_EQ(ParseNumber("0." + many_zeros + "1"), 0.0);
  EXPECT_EQ(ParseNumber("1" + many_zeros), std::nullopt);
  EXPECT_EQ(ParseNumber("10000e305"), std::nullopt);
  EXPECT_EQ(ParseNumber("0.0001e99999999999999999999"), std::nullopt);
  EXPECT_EQ(ParseNumber("1000e305"), 1e308);
  EXPECT_EQ(ParseNumber("4.9e-324"), std::numeric_limits<double>::denorm_min());
}

struct PlainCase {
  double value;
  const char* expected;
};

// Shortest plain form, 15 digits for 8-byte values, 7 for 4-byte floats; an
// exponent form outside the plain range, also where rounding leads out of it.
TEST(PlainNumberText, WritesTheShortestFormAndAnExponentOutsideThePlainRange) {
  const PlainCase doubles[] = {
      {0, "0"},
      {-0.5, "-0.5"},
      {0.1 * 1.5, "0.15"},
      {-2.0 / 3, "-0.666666666666667"},
      {999999999999999, "999999999999999"},
      {0.00001, "0.00001"},
      {999999999999999.9, "1E+15"},
      {1e100, "1E+100"},
      {-2.5e-6, "-2.5E-06"},
  };
  for (const auto& c : doubles) EXPECT_EQ(PlainNumberText(c.value, 15), c.expected) << c.value;
  const PlainCase singles[] = {
      {1.0f / 3, "0.3333333"},
      {0.0000099999999, "0.00001"},
      {12345678, "1.234568E+07"},
  };
  for (const auto& c : singles) EXPECT_EQ(PlainNumberText(c.value, 7), c.expected) << c.value;
}

}  // namespace
}  // namespace tov

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

TEST(PlainNumberText, WritesTheShortestFormAndAnExponentOutsideThePlainRange) {
  const struct {
    double value;
    int digits;
    const char* expected;
  } cases[] = {
      {0, 15, "0"},
      {-0.5, 15, "-0.5"},
      {0.1 * 1.5, 15, "0.15"},
      {-2.0 / 3, 15, "-0.666666666666667"},
      {999999999999999, 15, "999999999999999"},
      {0.00001, 15, "0.00001"},
      {static_cast<double>(1.0f / 3), 7, "0.3333333"},
      {static_cast<double>(35.25f), 7, "35.25"},
      {0.0000099999999, 7, "0.00001"},   // rounds up into the plain range
      {999999999999999.9, 15, "1E+15"},  // rounds up out of the plain range
      {1e100, 15, "1E+100"},
      {-2.5e-6, 15, "-2.5E-06"},
      {12345678, 7, "1.234568E+07"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PlainNumberText(c.value, c.digits), c.expected) << c.value << " / " << c.digits;
  }
}

}  // namespace
}  // namespace tov

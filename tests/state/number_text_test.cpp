#include "state/number_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

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
  const std::string zeros(400, '0');
  EXPECT_EQ(ParseNumber(" -2.5e2 "), -250.0);
  EXPECT_EQ(ParseNumber("0." + zeros + "1"), 0.0);
  EXPECT_EQ(ParseNumber("1000e305"), 1e308);
  for (std::string huge :
       {"1" + zeros, std::string("10000e305"), std::string("1e99999999999999999999")}) {
    EXPECT_EQ(ParseNumber(huge), std::nullopt);
  }
}

// Shortest plain form, 15 digits for 8-byte values, 7 for 4-byte floats; an
// exponent form outside the plain range, also where rounding leads out of it.
TEST(PlainNumberText, WritesTheShortestFormAndAnExponentOutsideThePlainRange) {
  // clang-format off
  const std::tuple<double, int, const char*> cases[] = {
      {0.1 * 1.5, 15, "0.15"}, {-2.0 / 3, 15, "-0.666666666666667"},
      {999999999999999, 15, "999999999999999"}, {0.00001, 15, "0.00001"},
      {999999999999999.9, 15, "1E+15"}, {-2.5e-6, 15, "-2.5E-06"},
      {1.0f / 3, 7, "0.3333333"}, {0.0000099999999, 7, "0.00001"}, {12345678, 7, "1.234568E+07"}};
  // clang-format on
  for (const auto& [value, digits, text] : cases) EXPECT_EQ(PlainNumberText(value, digits), text);
}

}  // namespace
}  // namespace tov

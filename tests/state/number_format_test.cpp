#include "state/number_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace tov {
namespace {

struct FormatCase {
  double value;
  const char* pattern;
  const char* expected;
};

class FormatNumberTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumberTest, WritesTheValueWithTheDigitPattern) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(FormatNumber(c.value, c.pattern), c.expected) << c.value << " in " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    EveryPattern, FormatNumberTest,
    ::testing::Values(
        // "0" positions always show a digit.
        FormatCase{0, "0.000", "0.000"}, FormatCase{0.4, "0.000", "0.400"},
        FormatCase{12.3456, "0.000", "12.346"}, FormatCase{0, "0.00", "0.00"},
        FormatCase{0, "#####0.00", "0.00"}, FormatCase{1234567.891, "#####0.00", "1234567.89"},
        FormatCase{0, "##0.0", "0.0"}, FormatCase{0, "####0.0", "0.0"},
        FormatCase{35.25, "####0.0", "35.3"}, FormatCase{0.125, "#0.00", "0.13"},
        FormatCase{0.0004, "###0.000", "0.000"}, FormatCase{0.0005, "###0.000", "0.001"},
        // "#" positions show only significant digits: zero in "###" is empty.
        FormatCase{0, "###", ""}, FormatCase{0.4, "###", ""}, FormatCase{0.5, "###", "1"},
        FormatCase{12345678, "###", "12345678"},
        // Half away from zero on the 15-digit form, not on the binary value.
        FormatCase{2.675, "0.00", "2.68"}, FormatCase{1.005, "#####0.00", "1.01"},
        FormatCase{-1.2345, "0.000", "-1.235"}, FormatCase{2.5, "###", "3"},
        FormatCase{-2.5, "###", "-3"}, FormatCase{0.25, "##0.0", "0.3"},
        FormatCase{999.95, "##0.0", "1000.0"}, FormatCase{9.9999, "0.000", "10.000"},
        // No minus sign on a value that rounds to zero.
        FormatCase{-0.04, "##0.0", "0.0"}, FormatCase{-0.001, "0.00", "0.00"},
        FormatCase{-0.4, "###", ""}, FormatCase{-1e-20, "0.000", "0.000"},
        // Large and negative values, no thousands separator.
        FormatCase{1e20, "0.00", "100000000000000000000.00"},
        FormatCase{1234567890123456.7, "###", "1234567890123460"},
        FormatCase{-98765.4321, "#####0.00", "-98765.43"}, FormatCase{1e-20, "#0.00", "0.00"}));

TEST(FormatNumber, HasNoTextForNonFiniteValues) {
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::quiet_NaN(), "0.00"), std::nullopt);
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), "###"), std::nullopt);
  EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::infinity(), "0.000"), std::nullopt);
}

}  // namespace
}  // namespace tov

#include "state/number_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace tov {
namespace {

// "0" positions always show a digit, "#" positions only significant ones; half
// away from zero on the 15-digit form, not on the binary value; no minus sign on
// a value that rounds to zero; no thousands separator.
TEST(FormatNumber, WritesTheValueWithTheDigitPattern) {
  // clang-format off
  const struct {
    double value;
    const char *pattern, *expected;
  } cases[] = {
      {0, "#####0.00", "0.00"}, {0.4, "0.000", "0.400"}, {0.4, "###", ""}, {0.5, "###", "1"},
      {2.675, "0.00", "2.68"}, {1.005, "#####0.00", "1.01"}, {-2.5, "###", "-3"},
      {999.95, "##0.0", "1000.0"}, {-0.04, "##0.0", "0.0"}, {-0.4, "###", ""},
      {-98765.4321, "#####0.00", "-98765.43"}, {1234567890123456.7, "###", "1234567890123460"}};
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(FormatNumber(c.value, c.pattern), c.expected) << c.value << " in " << c.pattern;
  }
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::quiet_NaN(), "0.00"), std::nullopt);
  EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::infinity(), "###"), std::nullopt);
}

}  // namespace
}  // namespace tov

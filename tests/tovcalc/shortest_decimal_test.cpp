// The shortest decimal of a double against the standard library's shortest
// form, over values of every kind.

#include "app/tovcalc/shortest_decimal.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <string>

#include "support/number_samples.h"

namespace tov::tovcalc {
namespace {

// "d.ddde±x" as the library writes it, for the digits and exponent found.
std::string Scientific(const Decimal& decimal) {
  const std::string digits = std::to_string(decimal.significand);
  const int exponent = decimal.exponent + static_cast<int>(digits.size()) - 1;
  std::string text = digits.substr(0, 1);
  if (digits.size() > 1) text += "." + digits.substr(1);
  const std::string magnitude = std::to_string(exponent < 0 ? -exponent : exponent);
  return text + (exponent < 0 ? "e-" : "e+") + (magnitude.size() < 2 ? "0" : "") + magnitude;
}

std::string LibraryScientific(double value) {
  char text[64];
  return {text, std::to_chars(text, text + sizeof text, value, std::chars_format::scientific).ptr};
}

TEST(ShortestDecimal, AgreesWithTheLibraryOnEveryKindOfValue) {
  int disagreements = 0;
  for (const double value : testing::NumberSamples()) {
    const double magnitude = std::fabs(value);
    if (!std::isfinite(magnitude) || magnitude == 0) continue;
    const std::string expected = LibraryScientific(magnitude);
    const std::string found = Scientific(ShortestDecimal(magnitude));
    if (found != expected && ++disagreements <= 3) {
      ADD_FAILURE() << std::hexfloat << magnitude << " gave " << found << ", the library "
                    << expected;
    }
  }
  EXPECT_EQ(disagreements, 0);
}

TEST(ShortestDecimal, KeepsNoTrailingZero) {
  EXPECT_EQ(ShortestDecimal(100.0).significand, 1u);
  EXPECT_EQ(ShortestDecimal(100.0).exponent, 2);
  EXPECT_EQ(ShortestDecimal(1e23).significand, 1u);
  EXPECT_EQ(ShortestDecimal(1e23).exponent, 23);
  EXPECT_EQ(ShortestDecimal(0.3).significand, 3u);
  EXPECT_EQ(ShortestDecimal(0.3).exponent, -1);
}

}  // namespace
}  // namespace tov::tovcalc

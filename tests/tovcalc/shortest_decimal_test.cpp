// The shortest decimal of a double against the standard library's shortest
// form, over every binary exponent and the kinds of value written.

#include "app/tovcalc/shortest_decimal.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <string>

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

double FromBits(std::uint64_t bits) {
  return std::bit_cast<double>(bits);
}

TEST(ShortestDecimal, AgreesWithTheLibraryOnEveryKindOfValue) {
  std::mt19937_64 random(11);
  constexpr std::uint64_t kFraction = (std::uint64_t{1} << 52) - 1;
  struct Kind {
    const char* what;
    int count;
    std::function<double(int)> value;
  };
  const Kind kinds[] = {
      // At a power of two the interval below is half the one above.
      {"every power of two", 2046, [](int i) { return FromBits(std::uint64_t(i + 1) << 52); }},
      {"just above every power of two", 2046,
       [](int i) { return FromBits((std::uint64_t(i + 1) << 52) + 1); }},
      {"just below every power of two", 2046,
       [](int i) { return FromBits((std::uint64_t(i + 1) << 52) - 1); }},
      {"every exponent, any fraction", 2046 * 40,
       [&](int i) { return FromBits(std::uint64_t(i / 40 + 1) << 52 | (random() & kFraction)); }},
      {"subnormal", 20000, [&](int) { return FromBits((random() & kFraction) | 1); }},
      {"extremes", 3,
       [](int i) {
         return i == 0   ? std::numeric_limits<double>::denorm_min()
                : i == 1 ? std::numeric_limits<double>::min()
                         : std::numeric_limits<double>::max();
       }},
      {"float widened", 100000,
       [&](int) {
         return double{std::bit_cast<float>(static_cast<std::uint32_t>(random() % 0x7f800000u))};
       }},
      {"short decimal", 100000,
       [&](int) {
         const std::string text = std::to_string(random() % 100000 + 1) + "e" +
                                  std::to_string(static_cast<int>(random() % 640) - 330);
         double value = 0;
         std::from_chars(text.data(), text.data() + text.size(), value);
         return value;
       }},
      {"whole number about 2^53", 2000,
       [](int i) { return 9007199254740992.0 + 2.0 * (i - 1000); }},
  };
  for (const Kind& kind : kinds) {
    int disagreements = 0;
    for (int i = 0; i < kind.count; ++i) {
      const double value = kind.value(i);
      if (!(value > 0) || value > std::numeric_limits<double>::max()) continue;
      const std::string expected = LibraryScientific(value);
      const std::string found = Scientific(ShortestDecimal(value));
      if (found != expected && ++disagreements <= 3) {
        ADD_FAILURE() << kind.what << ": " << std::hexfloat << value << " gave " << found
                      << ", the library " << expected;
      }
    }
    EXPECT_EQ(disagreements, 0) << kind.what;
  }
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

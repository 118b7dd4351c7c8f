// The digit-pattern formatter on hand-worked cases, and against the plain
// printf-based one it replaced over 200,000 values: random magnitudes,
// every kind of tie (at the 15th significant digit and at the pattern's last
// decimal), carries through nines, floats as the engines store them, zero and
// the extremes.

#include "state/number_format.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

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

// The earlier formatter: "%.14e", then half away from zero on the digits.
std::string PrintfFormat(double value, std::string_view pattern) {
  std::size_t min_integer = 0, min_decimals = 0, decimals = 0;
  const std::size_t point = pattern.find('.');
  for (char c : pattern.substr(0, point)) min_integer += c == '0';
  if (point != std::string_view::npos) {
    for (char c : pattern.substr(point + 1)) {
      min_decimals += c == '0';
      decimals += c == '0' || c == '#';
    }
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
  std::string digits;
  const char* p = buffer;
  for (; *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') digits.push_back(*p);
  }
  const long integer_digits = std::strtol(p + 1, nullptr, 10) + 1;
  std::string integer = "0", fraction;
  if (value != 0 && integer_digits <= 0) {
    fraction = std::string(static_cast<std::size_t>(-integer_digits), '0') + digits;
  } else if (value != 0 && static_cast<std::size_t>(integer_digits) >= digits.size()) {
    integer = digits + std::string(static_cast<std::size_t>(integer_digits) - digits.size(), '0');
  } else if (value != 0) {
    integer = digits.substr(0, static_cast<std::size_t>(integer_digits));
    fraction = digits.substr(static_cast<std::size_t>(integer_digits));
  }
  if (fraction.size() < decimals + 1) fraction.resize(decimals + 1, '0');
  std::string kept = integer + fraction.substr(0, decimals);
  if (fraction[decimals] >= '5') {
    std::size_t i = kept.size();
    while (i > 0 && kept[i - 1] == '9') kept[--i] = '0';
    if (i == 0)
      kept.insert(kept.begin(), '1');
    else
      ++kept[i - 1];
  }
  std::string int_part = kept.substr(0, kept.size() - decimals),
              frac_part = kept.substr(kept.size() - decimals);
  const bool zero = kept.find_first_not_of('0') == std::string::npos;
  const std::size_t first = int_part.find_first_not_of('0');
  int_part = first == std::string::npos ? "" : int_part.substr(first);
  if (int_part.size() < min_integer) int_part.insert(0, min_integer - int_part.size(), '0');
  while (frac_part.size() > min_decimals && frac_part.back() == '0') frac_part.pop_back();
  std::string out = std::signbit(value) && value != 0 && !zero ? "-" : "";
  return out + int_part + (frac_part.empty() ? "" : "." + frac_part);
}

TEST(FormatNumber, AgreesWithThePrintfFormatterOnRandomValuesTiesAndCarries) {
  // The last shows all fifteen digits of values from 1e-5 on.
  constexpr std::array<std::string_view, 12> kPatterns = {
      "0.000",    "#####0.00", "###", "##0.0",  "####0.0",      "#0.00",
      "###0.000", "0.00",      "0",   "#.####", "0.0000000000", "0.####################"};
  std::mt19937_64 rng(20240607);
  std::uniform_real_distribution<double> unit(0, 1);
  long mismatches = 0, checked = 0;
  const auto check = [&](double value) {
    for (const double v : {value, -value}) {
      for (std::string_view pattern : kPatterns) {
        const std::string expected = PrintfFormat(v, pattern);
        ++checked;
        if (FormatNumber(v, pattern) != expected && ++mismatches < 10) {
          ADD_FAILURE() << std::hexfloat << v << " in " << pattern << ": " << expected << " vs "
                        << FormatNumber(v, pattern).value_or("nullopt");
        }
      }
    }
  };
  for (int i = 0; i < 1000; ++i) {
    // Any magnitude, and the 4-byte floats the engines store (also scaled
    // to millimetres and watts as the presentation scales them).
    const double any = std::ldexp(unit(rng) + 0.5, static_cast<int>(rng() % 140) - 70);
    const float stored = static_cast<float>(any);
    for (double v : {any, double{stored}, 25.4 * stored, stored / 1000.0}) check(v);
    // Ties at the 15th significant digit: n / 2^k with n odd has exactly k
    // more decimals than n, ending in 5; n is drawn so that there are 16.
    const int k = 1 + static_cast<int>(rng() % 40);
    const double scale = std::pow(5.0, k);
    const auto low = static_cast<uint64_t>(std::ceil(1e15 / scale));
    const auto high = static_cast<uint64_t>(std::floor(1e16 / scale));
    if (low < high && high < (uint64_t{1} << 53)) {
      check(std::ldexp(static_cast<double>((low + rng() % (high - low)) | 1), -k));
    }
    check(
        static_cast<double>((1'000'000'000'000'000 + rng() % 8'000'000'000'000'000) / 10 * 10 + 5));
    // Ties at a pattern's last decimal, and carries through nines.
    const auto whole = static_cast<double>(rng() % 1'000'000);
    for (int decimals = 0; decimals <= 4; ++decimals) {
      const double step = std::pow(10.0, -decimals);
      check((whole + 0.5) * step);
      check((whole + 1) * step - step / 2);
      check(std::pow(10.0, static_cast<int>(rng() % 12)) - step / 2);
    }
  }
  for (double v :
       {0.0, std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(),
        std::numeric_limits<double>::min(), 1e15, 1e16 - 1, 0.5, 9.5, 99.95}) {
    check(v);
  }
  EXPECT_EQ(mismatches, 0) << "of " << checked;
  EXPECT_GT(checked, 200'000);
}

}  // namespace
}  // namespace tov

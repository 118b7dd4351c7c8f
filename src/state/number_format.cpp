#include "state/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tov {
namespace {

struct Pattern {
  std::size_t min_integer_digits = 0;  // "0" positions before the point
  std::size_t min_decimals = 0;        // "0" positions after the point
  std::size_t max_decimals = 0;        // all positions after the point
};

Pattern ParsePattern(std::string_view pattern) {
  Pattern p;
  const std::size_t point = pattern.find('.');
  const std::string_view integer = pattern.substr(0, point);
  for (char c : integer) {
    if (c == '0') ++p.min_integer_digits;
  }
  if (point != std::string_view::npos) {
    for (char c : pattern.substr(point + 1)) {
      if (c == '0') ++p.min_decimals;
      if (c == '0' || c == '#') ++p.max_decimals;
    }
  }
  return p;
}

// Adds one unit in the last place of a string of decimal digits.
void Increment(std::string& digits) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
}

}  // namespace

std::optional<std::string> FormatNumber(double value, std::string_view pattern_text) {
  if (!std::isfinite(value)) return std::nullopt;
  const Pattern pattern = ParsePattern(pattern_text);
  const bool negative = std::signbit(value) && value != 0;

  // The value to 15 significant digits: digits d0..d14 and a decimal exponent.
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
  std::string digits;
  const char* p = buffer;
  for (; *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') digits.push_back(*p);
  }
  const long exponent = std::strtol(p + 1, nullptr, 10);

  // Split into integer and fraction digits.
  std::string integer;
  std::string fraction;
  const long integer_digits = exponent + 1;
  if (value == 0) {
    integer = "0";
  } else if (integer_digits <= 0) {
    integer = "0";
    fraction = std::string(static_cast<std::size_t>(-integer_digits), '0') + digits;
  } else if (static_cast<std::size_t>(integer_digits) >= digits.size()) {
    integer = digits + std::string(static_cast<std::size_t>(integer_digits) - digits.size(), '0');
  } else {
    integer = digits.substr(0, static_cast<std::size_t>(integer_digits));
    fraction = digits.substr(static_cast<std::size_t>(integer_digits));
  }

  // Round half away from zero to the pattern's decimals.
  const std::size_t decimals = pattern.max_decimals;
  if (fraction.size() < decimals + 1) fraction.resize(decimals + 1, '0');
  std::string kept = integer + fraction.substr(0, decimals);
  if (fraction[decimals] >= '5') Increment(kept);
  std::string int_part = kept.substr(0, kept.size() - decimals);
  std::string frac_part = kept.substr(kept.size() - decimals);

  const bool rounds_to_zero = kept.find_first_not_of('0') == std::string::npos;

  // Digit positions: "0" always shows a digit, "#" only a significant one.
  const std::size_t first = int_part.find_first_not_of('0');
  int_part = first == std::string::npos ? "" : int_part.substr(first);
  if (int_part.size() < pattern.min_integer_digits) {
    int_part.insert(0, pattern.min_integer_digits - int_part.size(), '0');
  }
  while (frac_part.size() > pattern.min_decimals && frac_part.back() == '0') frac_part.pop_back();

  std::string out = (negative && !rounds_to_zero) ? "-" : "";
  out += int_part;
  if (!frac_part.empty()) out += "." + frac_part;
  return out;
}

}  // namespace tov

#include "state/number_format.h"

#include <algorithm>
#include <cmath>

#include "state/decimal_digits.h"

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

constexpr int kSignificant = 15;

}  // namespace

std::optional<std::string> FormatNumber(double value, std::string_view pattern_text) {
  if (!std::isfinite(value)) return std::nullopt;
  const Pattern pattern = ParsePattern(pattern_text);
  const bool negative = std::signbit(value) && value != 0;

  // digits[1..15] are the significant digits, digits[1] worth 10^X; digits[0]
  // takes a carry. Index X + 1 is the units digit; rounding to the pattern's
  // decimals drops every digit from index `cut` on.
  char digits[kSignificant + 1];
  digits[0] = '0';
  const int X = SignificantDigits(std::fabs(value), kSignificant, digits + 1);
  const int units = X + 1;
  const int decimals = static_cast<int>(pattern.max_decimals);
  const int cut = units + 1 + decimals;

  // Round half away from zero on those decimal digits.
  if (cut >= 1 && cut <= kSignificant && digits[cut] >= '5') {
    for (int i = cut - 1; i >= 0; --i) {
      if (digits[i] != '9') {
        ++digits[i];
        break;
      }
      digits[i] = '0';
    }
  }
  // The kept digit at any index; '0' before the first and after the last.
  const auto digit = [&](int i) {
    return i >= 0 && i < cut && i <= kSignificant ? digits[i] : '0';
  };

  bool rounds_to_zero = true;
  for (int i = 0; i < std::min(cut, kSignificant + 1); ++i) {
    rounds_to_zero = rounds_to_zero && digits[i] == '0';
  }

  // Integer digits: the significant ones, at least the pattern's "0" positions.
  int integer_start = 0;
  while (integer_start <= units && digit(integer_start) == '0') ++integer_start;
  const int integer_digits = std::max(units + 1 - integer_start, 0);
  const int leading_zeros =
      std::max(static_cast<int>(pattern.min_integer_digits) - integer_digits, 0);

  // Fraction digits: trailing zeros only down to the pattern's "0" positions.
  int fraction_end = units + decimals;
  while (fraction_end > units + static_cast<int>(pattern.min_decimals) &&
         digit(fraction_end) == '0') {
    --fraction_end;
  }
  const int fraction_digits = fraction_end - units;

  // Sized once, then filled.
  const bool minus = negative && !rounds_to_zero;
  std::string out(static_cast<std::size_t>(minus + leading_zeros + integer_digits +
                                           (fraction_digits > 0 ? 1 + fraction_digits : 0)),
                  '0');
  char* p = out.data();
  if (minus) *p++ = '-';
  p += leading_zeros;
  for (int i = integer_start; i <= units; ++i) *p++ = digit(i);
  if (fraction_digits > 0) {
    *p++ = '.';
    for (int i = units + 1; i <= fraction_end; ++i) *p++ = digit(i);
  }
  return out;
}

}  // namespace tov

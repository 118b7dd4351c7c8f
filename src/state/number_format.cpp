#include "state/number_format.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "state/decimal_digits.h"
#include "state/powers_of_ten.h"

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

// 15 significant digits of `magnitude` into digits[0..14], correctly
// rounded from its exact binary value with ties to even, as printf's "%.14e"
// writes them; returns the decimal exponent of digits[0].
//
// Between 1e-5 and 1e15 the digits come from one exact integer product:
// m 2^e 10^k with m < 2^53 and k = 14 - X <= 19 fits in 128 bits, so the
// quotient and remainder of the shift by -e are exact. Other magnitudes, and
// zero, take the library's formatter.
int FifteenDigits(double magnitude, char* digits) {
  constexpr auto kLowest = static_cast<unsigned __int128>(kWholePowersOfTen[14]);
  const auto bits = std::bit_cast<uint64_t>(magnitude);
  const int biased = static_cast<int>(bits >> 52);
  const uint64_t m = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);
  const int e = biased - 1075;  // magnitude = m 2^e for a normal number
  const int binary_exponent = e + 52;
  // floor(log10(2^binary_exponent)), the decimal exponent or one below it.
  int X = (binary_exponent * 78913) >> 18;
  if (biased != 0 && X >= -5 && X <= 14 && e < 0) {
    const int shift = -e;
    const auto product = [&](int x) {
      return static_cast<unsigned __int128>(m) * kWholePowersOfTen[14 - x];
    };
    unsigned __int128 n = product(X);
    if ((n >> shift) >= kLowest * 10 && X < 14) n = product(++X);
    if ((n >> shift) < kLowest * 10) {
      unsigned __int128 q = n >> shift;
      const unsigned __int128 rest = n - (q << shift);
      const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
      if (rest > half || (rest == half && (q & 1) != 0)) ++q;
      if (q == kLowest * 10) {
        q = kLowest;
        ++X;
      }
      WriteDigitsEndingAt(digits + kSignificant, static_cast<uint64_t>(q));
      return X;
    }
  }
  // "d.dddddddddddddde+X" from the library, correctly rounded the same way.
  char scientific[32];
  const auto written = std::to_chars(scientific, scientific + sizeof scientific, magnitude,
                                     std::chars_format::scientific, kSignificant - 1);
  const char* exponent_text = scientific + kSignificant + 2;  // after "e"
  if (*exponent_text == '+') ++exponent_text;
  std::from_chars(exponent_text, written.ptr, X);
  digits[0] = scientific[0];
  std::memcpy(digits + 1, scientific + 2, kSignificant - 1);
  return X;
}

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
  const int X = FifteenDigits(std::fabs(value), digits + 1);
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

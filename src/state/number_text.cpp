#include "state/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "state/decimal_digits.h"

namespace tov {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Whether the text (blanks already trimmed) has the shape of a plain number.
bool HasNumberShape(std::string_view t) {
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < t.size() && IsDigit(t[i])) ++i, ++digits;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && IsDigit(t[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    std::size_t exponent_digits = 0;
    while (i < t.size() && IsDigit(t[i])) ++i, ++exponent_digits;
    if (exponent_digits == 0) return false;
  }
  return i == t.size();
}

// Power of ten of the first significant digit of a number text without sign
// (0 for 5, 2 for 500, -3 for 0.005e0, 10 for 1e10), for a text whose value is
// not zero. Only its sign matters: it tells overflow from underflow.
long long LeadingDigitExponent(std::string_view t) {
  const std::size_t e_pos = t.find_first_of("eE");
  const std::string_view mantissa = t.substr(0, e_pos);
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return 0;
  long long power = first < point ? static_cast<long long>(point - first) - 1
                                  : -static_cast<long long>(first - point);
  if (e_pos != std::string_view::npos) {
    std::string_view exponent = t.substr(e_pos + 1);
    const bool negative = !exponent.empty() && exponent.front() == '-';
    if (!exponent.empty() && (exponent.front() == '+' || exponent.front() == '-')) {
      exponent.remove_prefix(1);
    }
    long long magnitude = 0;
    for (char c : exponent) magnitude = std::min(magnitude * 10 + (c - '0'), 1'000'000'000LL);
    power += negative ? -magnitude : magnitude;
  }
  return power;
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) {
  std::string_view t = TrimBlanks(text);
  if (!HasNumberShape(t)) return std::nullopt;
  bool negative = false;
  if (t.front() == '+' || t.front() == '-') {
    negative = t.front() == '-';
    t.remove_prefix(1);
  }
  double value = 0;
  auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Too small for a double reads as zero; too large is not a number.
    if (LeadingDigitExponent(t) > 0) return std::nullopt;
    value = 0;
  } else if (error != std::errc() || end != t.data() + t.size()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

bool IsNumberBeyondDouble(std::string_view text) {
  return HasNumberShape(TrimBlanks(text)) && !ParseNumber(text);
}

bool IsNumber(std::string_view text) {
  return ParseNumber(text).has_value();
}

std::string PlainNumberText(double value, int significant_digits) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value > 0 ? "Inf" : "-Inf");
  if (value == 0) return "0";
  if (significant_digits < 1) significant_digits = 1;
  if (significant_digits > 17) significant_digits = 17;

  // Round to the significant digits first: the exponent of the rounded value
  // decides between the plain and the exponent form. The digits are those
  // of printf's "%.*e", without their trailing zeros.
  const bool negative = value < 0;
  char digit_buffer[17];
  const int exponent = SignificantDigits(std::fabs(value), significant_digits, digit_buffer);
  auto count = static_cast<std::size_t>(significant_digits);
  while (count > 1 && digit_buffer[count - 1] == '0') --count;
  const std::string_view digits(digit_buffer, count);

  std::string out = negative ? "-" : "";
  if (exponent < -5 || exponent >= significant_digits) {
    out.push_back(digits.front());
    if (digits.size() > 1) out.append(".").append(digits.substr(1));
    const int magnitude = exponent < 0 ? -exponent : exponent;
    out.push_back('E');
    out.push_back(exponent < 0 ? '-' : '+');
    if (magnitude < 10) out.push_back('0');
    return out.append(std::to_string(magnitude));
  }
  if (exponent < 0) {
    out.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
    return out;
  }
  const std::size_t integer_digits = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= integer_digits) {
    out.append(digits).append(integer_digits - digits.size(), '0');
  } else {
    out.append(digits, 0, integer_digits).append(".").append(digits, integer_digits);
  }
  return out;
}

}  // namespace tov

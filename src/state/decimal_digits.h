#pragma once
// Decimal digits written straight into a buffer: those of a whole number,
// and the leading significant digits of a double.

#include <cstdint>

namespace tov {

// The number of decimal digits of a number from 1 up.
int DigitCount(std::uint64_t value);

// The digits of a number below 10^17 (at least one, no leading zeros),
// written so that they end at `end`.
void WriteDigitsEndingAt(char* end, std::uint64_t value);

// The first `count` (1 to 17) significant digits of a finite magnitude,
// rounded from its exact binary value to the nearest, ties to even, as
// printf's "%.*e" writes them, into digits[0 .. count - 1]; returns the
// decimal exponent of digits[0]. Zero gives zeros and exponent 0.
int SignificantDigits(double magnitude, int count, char* digits);

}  // namespace tov

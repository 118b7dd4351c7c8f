#pragma once
// The decimal digits of a whole number, written straight into a buffer.

#include <cstdint>

namespace tov {

// The number of decimal digits of a number from 1 up.
int DigitCount(std::uint64_t value);

// The digits of a number below 10^17 (at least one, no leading zeros),
// written so that they end at `end`.
void WriteDigitsEndingAt(char* end, std::uint64_t value);

}  // namespace tov

#pragma once
// The shortest decimal form of a double: the fewest significant digits that
// read back as it, and among several such the one closest to it (a tie to
// the even one), as std::to_chars chooses them.

#include <cstdint>

namespace tov::tovcalc {

struct Decimal {
  std::uint64_t significand;  // up to 17 digits, no trailing zero
  int exponent;               // the value is significand × 10^exponent
};

// For a finite magnitude above zero.
Decimal ShortestDecimal(double magnitude);

}  // namespace tov::tovcalc

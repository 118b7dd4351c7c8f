#include "app/tovcalc/shortest_decimal.h"

#include <bit>

#include "state/powers_of_ten.h"

// The search multiplies the magnitude and the two borders of the interval
// that reads back as it by one 128-bit power of ten, so that the interval
// spans a few units of the last place of the digits sought; it then takes
// the shorter decimal when one lies inside, else the nearer of the two
// decimals about the magnitude (R. Giulietti, "The Schubfach way to render
// doubles", 2020).

namespace tov::tovcalc {
namespace {

constexpr int kSignificandBits = 52;
constexpr int kExponentBias = 1075;  // of the significand read as a whole number

// floor(log2(10^e)), floor(log10(2^e)) and floor(log10(3/4 · 2^e)), exact
// for |e| up to 1233, 1650 and 1650.
constexpr int FloorLog2Pow10(int e) {
  return (e * 1741647) >> 19;
}
constexpr int FloorLog10Pow2(int e) {
  return (e * 1262611) >> 22;
}
constexpr int FloorLog10ThreeQuartersPow2(int e) {
  return (e * 1262611 - 524031) >> 22;
}

// g · scaled / 2^128 (g the power's 128 bits) rounded down, its lowest bit
// set when more was cut off than g's own excess over the power accounts
// for: rounded to odd, so that comparisons with an even multiple stay exact.
std::uint64_t RoundToOdd(const PowerOfTen& g, std::uint64_t scaled) {
  using Wide = unsigned __int128;
  const Wide low = static_cast<Wide>(g.low) * scaled;
  const Wide whole = static_cast<Wide>(g.high) * scaled + (low >> 64);
  return static_cast<std::uint64_t>(whole >> 64) | (static_cast<std::uint64_t>(whole) > 1);
}

// The significand (never zero) without its trailing zeros.
Decimal WithoutTrailingZeros(std::uint64_t significand, int exponent) {
  while (significand % 10 == 0) {
    significand /= 10;
    ++exponent;
  }
  return {significand, exponent};
}

}  // namespace

Decimal ShortestDecimal(double magnitude) {
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << kSignificandBits) - 1);
  const auto biased = static_cast<int>(bits >> kSignificandBits);
  // The magnitude is c · 2^q; the subnormals share the smallest exponent.
  const std::uint64_t c = biased == 0 ? fraction : fraction | std::uint64_t{1} << kSignificandBits;
  const int q = biased == 0 ? 1 - kExponentBias : biased - kExponentBias;
  // At a power of two the next magnitude down lies half as far as the next one up.
  const bool lower_closer = fraction == 0 && biased > 1;
  const bool even = c % 2 == 0;

  // Four times the magnitude and its borders, in units of 10^k.
  const int k = lower_closer ? FloorLog10ThreeQuartersPow2(q) : FloorLog10Pow2(q);
  const int h = q + FloorLog2Pow10(-k) + 1;
  const PowerOfTen& g = kPowersOfTen[-k - kLowestPowerOfTen];
  const std::uint64_t lower_border = RoundToOdd(g, (4 * c - 2 + lower_closer) << h);
  const std::uint64_t middle = RoundToOdd(g, 4 * c << h);
  const std::uint64_t upper_border = RoundToOdd(g, (4 * c + 2) << h);
  // A border reads back as the magnitude only when its significand is even.
  const std::uint64_t lowest = lower_border + !even;
  const std::uint64_t highest = upper_border - !even;

  const std::uint64_t s = middle / 4;
  if (s >= 10) {
    // One digit fewer: a multiple of ten inside the interval.
    const std::uint64_t tens = s / 10;
    const bool below_inside = lowest <= 40 * tens;
    const bool above_inside = 40 * tens + 40 <= highest;
    if (below_inside != above_inside) return WithoutTrailingZeros(tens + above_inside, k + 1);
  }
  const bool below_inside = lowest <= 4 * s;
  const bool above_inside = 4 * s + 4 <= highest;
  if (below_inside != above_inside) return WithoutTrailingZeros(s + above_inside, k);
  // Both or neither inside: the nearer one, a tie to the even one.
  const std::uint64_t half = 4 * s + 2;
  const bool round_up = middle > half || (middle == half && s % 2 != 0);
  return WithoutTrailingZeros(s + round_up, k);
}

}  // namespace tov::tovcalc

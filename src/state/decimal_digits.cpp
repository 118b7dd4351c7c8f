#include "state/decimal_digits.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "state/powers_of_ten.h"

namespace tov {
namespace {

// "00" to "99", two characters each.
constexpr std::array<char, 200> kTwoDigits = [] {
  std::array<char, 200> pairs{};
  for (std::size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// Eight digits of a number below 10^8, leading zeros included.
void WriteEightDigits(char* to, std::uint32_t value) {
  for (int place = 6; place >= 0; place -= 2) {
    std::memcpy(to + place, kTwoDigits.data() + 2 * (value % 100), 2);
    value /= 100;
  }
}

}  // namespace

int DigitCount(std::uint64_t value) {
  // log10(2) is about 1233 / 4096: the count from the bit width, or one more.
  const int guess = (64 - std::countl_zero(value)) * 1233 >> 12;
  return guess + (value >= kWholePowersOfTen[guess]);
}

// Eight at a time from the last, then two at a time.
void WriteDigitsEndingAt(char* end, std::uint64_t value) {
  constexpr std::uint32_t kEight = 100000000;
  while (value >= kEight) {
    end -= 8;
    WriteEightDigits(end, static_cast<std::uint32_t>(value % kEight));
    value /= kEight;
  }
  auto rest = static_cast<std::uint32_t>(value);
  for (; rest >= 100; rest /= 100) {
    end -= 2;
    std::memcpy(end, kTwoDigits.data() + 2 * (rest % 100), 2);
  }
  if (rest >= 10) {
    std::memcpy(end - 2, kTwoDigits.data() + 2 * rest, 2);
  } else {
    end[-1] = static_cast<char>('0' + rest);
  }
}

// Where m 2^e 10^k (m < 2^53, k = count - 1 - X) fits in 128 bits, that is
// while k <= 19, the digits come from that one exact product: the quotient
// and remainder of the shift by -e are exact. Other magnitudes, and zero,
// take the library's formatter.
int SignificantDigits(double magnitude, int count, char* digits) {
  const auto lowest = static_cast<unsigned __int128>(kWholePowersOfTen[count - 1]);
  const auto beyond = static_cast<unsigned __int128>(kWholePowersOfTen[count]);
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const int biased = static_cast<int>(bits >> 52);
  const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int e = biased - 1075;  // magnitude = m 2^e for a normal number
  // floor(log10(2^(e + 52))): the decimal exponent or one below it.
  int X = ((e + 52) * 78913) >> 18;
  if (biased != 0 && e < 0 && X >= count - 20 && X <= count - 1) {
    const int shift = -e;
    const auto product = [&](int x) {
      return static_cast<unsigned __int128>(m) * kWholePowersOfTen[count - 1 - x];
    };
    unsigned __int128 n = product(X);
    if ((n >> shift) >= beyond && X < count - 1) n = product(++X);
    if ((n >> shift) < beyond) {
      unsigned __int128 q = n >> shift;
      const unsigned __int128 rest = n - (q << shift);
      const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
      if (rest > half || (rest == half && (q & 1) != 0)) ++q;
      if (q == beyond) {
        q = lowest;
        ++X;
      }
      WriteDigitsEndingAt(digits + count, static_cast<std::uint64_t>(q));
      return X;
    }
  }
  // "d.ddde+X" (or "de+X" for one digit) from the library, rounded the same way.
  char scientific[32];
  const auto written = std::to_chars(scientific, scientific + sizeof scientific, magnitude,
                                     std::chars_format::scientific, count - 1);
  digits[0] = scientific[0];
  if (count > 1) std::memcpy(digits + 1, scientific + 2, static_cast<std::size_t>(count - 1));
  const char* exponent_text = scientific + (count > 1 ? count + 2 : 2);  // after "e"
  if (*exponent_text == '+') ++exponent_text;
  std::from_chars(exponent_text, written.ptr, X);
  return X;
}

}  // namespace tov

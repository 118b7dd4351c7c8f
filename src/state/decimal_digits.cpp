#include "state/decimal_digits.h"

#include <array>
#include <bit>
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

}  // namespace tov

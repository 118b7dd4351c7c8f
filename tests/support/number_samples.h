#pragma once
// Doubles of every kind a number writer meets, for agreement tests.

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace tov::testing {

// Values of every kind: any bit pattern (subnormals, NaNs and infinities
// among them), floats widened, short decimals and their neighbours at the
// borders of the forms, wholes about 2^53, halves; every power of two and
// its neighbours (where the interval that reads back as it is narrower
// below) and random fractions at every binary exponent; and a pool drawn
// again and again so that remembered digits are reused and overwritten.
inline std::vector<double> NumberSamples() {
  std::mt19937_64 random(23);
  std::vector<double> values{0.0,
                             -0.0,
                             NAN,
                             INFINITY,
                             -INFINITY,
                             std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::min()};
  std::uniform_int_distribution<int> decimals(-330, 310);
  std::vector<double> pool;
  for (int i = 0; i < 100000; ++i) {
    const std::uint64_t bits = random();
    values.push_back(std::bit_cast<double>(bits));
    values.push_back(double{std::bit_cast<float>(static_cast<std::uint32_t>(bits))});
    const double decimal = static_cast<double>(bits % 100000) * std::pow(10.0, decimals(random));
    values.push_back(decimal);
    values.push_back(std::nextafter(decimal, 0.0));
    const double border = std::pow(10.0, static_cast<int>(bits >> 60) - 6 + (i % 2 ? 16 : 0));
    values.push_back(std::nextafter(border, i % 3 ? INFINITY : -INFINITY));
    values.push_back(9007199254740992.0 + static_cast<double>(bits % 64) * 2 - 64);
    values.push_back(static_cast<double>(static_cast<std::int32_t>(bits)) + 0.5);
    if (i < 2000) pool.push_back(values[values.size() - 1 - bits % 7]);
  }
  constexpr std::uint64_t kFraction = (std::uint64_t{1} << 52) - 1;
  for (std::uint64_t exponent = 0; exponent < 2047; ++exponent) {
    const std::uint64_t power = exponent << 52;
    values.push_back(std::bit_cast<double>(power));
    values.push_back(std::bit_cast<double>(power + 1));
    if (exponent > 0) values.push_back(std::bit_cast<double>(power - 1));
    for (int i = 0; i < 20; ++i)
      values.push_back(std::bit_cast<double>(power | (random() & kFraction)));
  }
  for (int i = 0; i < 100000; ++i) values.push_back(-pool[random() % pool.size()]);
  return values;
}

}  // namespace tov::testing

#pragma once
// Number rules shared by every calculation: 16-bit counts, 4-byte stored
// quantities, rounding to counts, and the step rule of a design run.

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace tov {

// Nearest 16-bit count, ties to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// nullopt when the value is not finite or the count lies outside -32768..32767.
std::optional<int16_t> RoundToCount(double value);

// Integer part rounded down (toward minus infinity) as a 16-bit count: 2.9 -> 2, -2.1 -> -3.
// nullopt when the value is not finite or the count lies outside -32768..32767.
std::optional<int16_t> FloorToCount(double value);

// Nearest whole number, ties to even, without a range limit; nullopt when not finite.
std::optional<double> RoundHalfEven(double value);

// 16-bit count arithmetic; nullopt on overflow.
std::optional<int16_t> CheckedAdd(int16_t a, int16_t b);
std::optional<int16_t> CheckedSub(int16_t a, int16_t b);
std::optional<int16_t> CheckedMul(int16_t a, int16_t b);

// A computed value stored as a 4-byte float. nullopt when it is NaN, infinite,
// or beyond the float range (an overflow); values too small for a float become 0.
// Inline: the turn solution calls it several times per turn it tries.
inline std::optional<float> ToSingle(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max())) {
    return std::nullopt;
  }
  return static_cast<float>(value);
}

// A computed intermediate kept in 8 bytes; nullopt when it is NaN or infinite.
inline std::optional<double> Finite(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

// The step rule of a design run: a step that has a result commits it; a step
// that failed leaves the target as it was. Returns whether the step committed.
template <class T>
bool Commit(T& target, const std::optional<T>& result) {
  if (!result) return false;
  target = *result;
  return true;
}

}  // namespace tov

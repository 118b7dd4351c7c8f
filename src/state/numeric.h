#pragma once
// Number rules shared by every calculation: 16-bit counts, 4-byte stored
// quantities, rounding to counts, and the step rule of a design run.

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace tov {

namespace numeric_detail {
inline std::optional<int16_t> ToInt16(double whole) {
  if (!std::isfinite(whole) || whole < std::numeric_limits<int16_t>::min() ||
      whole > std::numeric_limits<int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int16_t>(whole);
}
inline std::optional<int16_t> FromInt(int value) {
  if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int16_t>(value);
}
}  // namespace numeric_detail

// The rules below are inline: the turn solution applies them to every turn
// count it tries.

// Nearest whole number, ties to even, without a range limit; nullopt when not finite.
inline std::optional<double> RoundHalfEven(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  // nearbyint follows the rounding mode, which is round-to-nearest-even by default.
  return std::nearbyint(value);
}

// Nearest 16-bit count, ties to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// nullopt when the value is not finite or the count lies outside -32768..32767.
inline std::optional<int16_t> RoundToCount(double value) {
  const std::optional<double> whole = RoundHalfEven(value);
  if (!whole) return std::nullopt;
  return numeric_detail::ToInt16(*whole);
}

// 16-bit count arithmetic; nullopt on overflow.
inline std::optional<int16_t> CheckedAdd(int16_t a, int16_t b) {
  return numeric_detail::FromInt(int{a} + int{b});
}
inline std::optional<int16_t> CheckedMul(int16_t a, int16_t b) {
  return numeric_detail::FromInt(int{a} * int{b});
}

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

#include "state/numeric.h"

#include <cmath>
#include <limits>

namespace tov {
namespace {

std::optional<int16_t> ToInt16(double whole) {
  if (!std::isfinite(whole) || whole < std::numeric_limits<int16_t>::min() ||
      whole > std::numeric_limits<int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int16_t>(whole);
}

std::optional<int16_t> FromInt(int value) {
  if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int16_t>(value);
}

}  // namespace

std::optional<double> RoundHalfEven(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  // nearbyint follows the rounding mode, which is round-to-nearest-even by default.
  return std::nearbyint(value);
}

std::optional<int16_t> RoundToCount(double value) {
  auto whole = RoundHalfEven(value);
  if (!whole) return std::nullopt;
  return ToInt16(*whole);
}

std::optional<int16_t> FloorToCount(double value) {
  return ToInt16(std::floor(value));
}

std::optional<int16_t> CheckedAdd(int16_t a, int16_t b) {
  return FromInt(int{a} + int{b});
}
std::optional<int16_t> CheckedSub(int16_t a, int16_t b) {
  return FromInt(int{a} - int{b});
}
std::optional<int16_t> CheckedMul(int16_t a, int16_t b) {
  return FromInt(int{a} * int{b});
}

}  // namespace tov

#include "models/rolloff_range.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tov {
namespace {

constexpr double kNone = std::numeric_limits<double>::infinity();

// The smallest root above zero of a + b x + c x^2; infinity when there is none.
double FirstPositiveRoot(double a, double b, double c) {
  if (c == 0) {
    if (b == 0) return kNone;
    const double x = -a / b;
    return x > 0 ? x : kNone;
  }
  const double discriminant = b * b - 4 * a * c;
  if (discriminant < 0) return kNone;
  const double root = std::sqrt(discriminant);
  double first = kNone;
  for (const double x : {(-b - root) / (2 * c), (-b + root) / (2 * c)}) {
    if (x > 0) first = std::min(first, x);
  }
  return first;
}

}  // namespace

RollOffRange RangeOf(const RollOffCoefficients& k) {
  // ue/ui = sqrt(n(x) / d(x)) with n = 1 + A x + B x^2, d = 1 + C x + D x^2,
  // x = ui H. It falls while n' d - n d' < 0, whose expansion is
  // (A - C) + 2 (B - D) x + (B C - A D) x^2.
  const double A = k.A, B = k.B, C = k.C, D = k.D;
  const double slope_at_zero = A - C;
  if (!(slope_at_zero < 0)) return {0, RollOffLimit::Minimum};
  const double minimum = FirstPositiveRoot(slope_at_zero, 2 * (B - D), B * C - A * D);
  // The denominator cannot reach zero first: the fit would have to climb
  // towards infinity before it, past a minimum.
  const double no_value = FirstPositiveRoot(1, A, B);
  if (minimum == kNone && no_value == kNone) return {kNone, RollOffLimit::None};
  if (no_value <= minimum) return {no_value, RollOffLimit::NoValue};
  return {minimum, RollOffLimit::Minimum};
}

bool InFitRange(const RollOffRange& range, float ui, float H) {
  return static_cast<double>(ui) * H <= range.ui_H_Oe;
}

}  // namespace tov

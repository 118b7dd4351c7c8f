#include "engines/worst_case.h"

#include <cmath>

#include "models/winding_build.h"
#include "state/constants.h"
#include "state/numeric.h"

namespace tov {
namespace {

// The rise settles geometrically (each round narrows the gap by a factor
// below 0.833, the exponent of the rise law), so at most about eighty rounds
// reach the tolerance, near a 4-byte value's resolution; more mean the
// numbers have run away.
constexpr int kMostRounds = 200;
constexpr double kSettledDegC = 1e-6;
constexpr double kPercent = 100;

std::optional<HotWinding> Heat(const DesignResult& d) {
  if (!(d.copper_factor > 0)) return std::nullopt;
  double rise = d.dT;
  for (int round = 0; round < kMostRounds; ++round) {
    // R(T) = R20 (1 + alpha (T - 20)) and Rdc = R20 copper_factor at the ambient,
    // so R(ambient + rise) = Rdc (1 + alpha rise / copper_factor).
    const auto R = ToSingle(d.Rdc * (1 + kCopperTempCoefficient * rise / d.copper_factor));
    const auto Pcu = R ? CopperLoss(*R, d.in.Iw) : std::nullopt;
    const auto Ptot = Pcu ? ToSingle(double{d.Pfe} + *Pcu) : std::nullopt;
    const auto dT = Ptot ? TempRise(*Ptot, d.As) : std::nullopt;
    if (!dT || !(rise >= 0)) return std::nullopt;
    if (std::fabs(*dT - rise) <= kSettledDegC * (1 + rise)) {
      const auto T = ToSingle(AmbientOf(d) + *dT);
      if (!T || *T > kCopperMeltingC) return std::nullopt;
      return HotWinding{*R, *T, *Pcu, *Ptot, *dT};
    }
    rise = *dT;
  }
  return std::nullopt;
}

}  // namespace

double AmbientOf(const DesignResult& d) {
  return kWireTableTemperature + (double{d.copper_factor} - 1) / kCopperTempCoefficient;
}

bool ALToleranceAllowed(double percent) {
  return percent >= kLowestALTolerancePercent && percent <= 0;
}

WorstCase WorstCaseOf(const DesignResult& d, float al_tolerance_percent) {
  WorstCase w;
  w.al_tolerance_percent = al_tolerance_percent;
  const double nominal_uH = 1000.0 * d.stack_count * d.Lfl;
  w.Lfl_min_uH = nominal_uH * (1 + al_tolerance_percent / kPercent);
  w.hot = Heat(d);
  return w;
}

}  // namespace tov

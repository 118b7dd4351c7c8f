#include "engines/spice_model.h"

#include <algorithm>
#include <cmath>

#include "engines/curves.h"

namespace tov {
namespace {

// The table reaches this many times the peak current.
constexpr double kTableToPeak = 4;
// Step bounds as fractions of the table's span: the curve is followed at
// least every 1/256 of it and never closer than 1/2^20, a few 4-byte steps
// of the largest current. Only where the inductance plunges towards a gap of
// the roll-off model does a shortest step still see it change by more than
// kStepChange: there a segment's slope is the curve's mean over it.
constexpr double kLongestStep = 1.0 / 256;
constexpr double kShortestStep = 1.0 / 1048576;
// A step is taken when the inductance changes by at most this fraction over
// it, of the larger of its value and 1 % of the no-load inductance; a
// segment's slope then lies within a fraction of a percent of the curve.
constexpr double kStepChange = 0.004;
constexpr double kChangeFloor = 0.01;
constexpr double kHenriesPerMillihenry = 1e-3;
constexpr double kHertzPerKilohertz = 1e3;
constexpr double kWattsPerMilliwatt = 1e-3;

// The inductance at I, or `held` where the roll-off model has no value.
double Bridged(const DesignResult& d, double I, double held, bool& bridged) {
  if (const auto L = StackInductance(d, I)) return *L;
  bridged = true;
  return held;
}

// Integral of the squared incremental inductance from 0 to x >= 0, H^2 A.
double SquaredSlopeIntegral(const SpiceModel& m, double x) {
  double sum = 0;
  for (std::size_t k = 1; k < m.table.size(); ++k) {
    const FluxPoint& a = m.table[k - 1];
    const FluxPoint& b = m.table[k];
    if (x <= a.I) return sum;
    const double slope = (b.flux - a.flux) / (b.I - a.I);
    sum += slope * slope * (std::min(x, b.I) - a.I);
  }
  const double end = m.table.back().I;
  if (x > end) sum += m.L_beyond * m.L_beyond * (x - end);
  return sum;
}

// The resistance that dissipates the core loss `P` (W) at the voltage a
// symmetric triangular current of dI peak to peak at f (Hz) about Idc (A)
// produces across the model's inductance: v = L(i) di/dt with di/dt = 2 dI f,
// so the mean of v^2 is (2 dI f)^2 times the mean of L^2 over the swing.
std::optional<double> LossResistance(const SpiceModel& m, double Idc, double dI, double f,
                                     double P) {
  if (!(dI > 0) || !(f > 0) || !(P > 0)) return std::nullopt;
  const double lo = Idc - dI / 2;
  const double hi = Idc + dI / 2;
  const double area = lo >= 0 ? SquaredSlopeIntegral(m, hi) - SquaredSlopeIntegral(m, lo)
                              : SquaredSlopeIntegral(m, hi) + SquaredSlopeIntegral(m, -lo);
  const double v_rms_squared = (2 * dI * f) * (2 * dI * f) * area / (hi - lo);
  const double R = v_rms_squared / P;
  if (!std::isfinite(R) || !(R > 0)) return std::nullopt;
  return R;
}

}  // namespace

std::optional<double> StackInductance(const DesignResult& d, double I) {
  const auto mH = InductanceAtCurrent(d, static_cast<float>(std::fabs(I)));
  if (!mH) return std::nullopt;
  return *mH * kHenriesPerMillihenry * d.stack_count;
}

std::optional<SpiceModel> BuildSpiceModel(const DesignResult& d) {
  const auto L0 = StackInductance(d, 0);
  // A 4-byte span, so that the last step ends on it exactly.
  const double span = static_cast<float>(kTableToPeak * d.in.Ipk);
  if (!L0 || !(*L0 > 0) || !std::isfinite(span) || !(span > 0)) return std::nullopt;

  SpiceModel m;
  m.Rdc = d.Rdc;
  m.table.push_back({0, 0});
  // Walks the curve from zero current: each step as long as the inductance
  // changes little over it, the flux gained by Simpson's rule.
  double a = 0, La = *L0, flux = 0;
  double step = kLongestStep * span;
  while (a < span) {
    step = std::min(step, span - a);
    double b = 0, Lm = 0, Lb = 0;
    for (;;) {
      // The table's currents are 4-byte values, as the curve's are.
      // (The shortest step is far above a 4-byte value's resolution.)
      b = static_cast<float>(a + step);
      const double mid = static_cast<float>((a + b) / 2);
      bool bridged = false;
      Lm = Bridged(d, mid, La, bridged);
      Lb = Bridged(d, b, La, bridged);
      const double allowed = kStepChange * std::max(std::fabs(La), kChangeFloor * *L0);
      const bool smooth = std::fabs(Lb - La) <= allowed && std::fabs(Lm - La) <= allowed;
      if (smooth || step <= kShortestStep * span) {
        m.gap_bridged = m.gap_bridged || bridged;
        break;
      }
      step /= 2;
    }
    flux += (b - a) / 6 * (La + 4 * Lm + Lb);
    m.table.push_back({b, flux});
    a = b;
    La = Lb;
    step = std::min(2 * step, kLongestStep * span);
  }
  m.L_beyond = La;
  m.Rloss =
      LossResistance(m, d.in.Idc, d.in.dI, d.in.f * kHertzPerKilohertz, d.Pfe * kWattsPerMilliwatt);
  return m;
}

double ModelInductance(const SpiceModel& m, double I) {
  const double x = std::fabs(I);
  const auto above = std::upper_bound(m.table.begin(), m.table.end(), x,
                                      [](double v, const FluxPoint& p) { return v < p.I; });
  if (above == m.table.end() || above == m.table.begin()) return m.L_beyond;
  const FluxPoint& lo = *(above - 1);
  return (above->flux - lo.flux) / (above->I - lo.I);
}

}  // namespace tov

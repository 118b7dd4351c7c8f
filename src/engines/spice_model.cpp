#include "engines/spice_model.h"

#include <algorithm>
#include <cmath>

#include "engines/curves.h"
#include "state/constants.h"

namespace tov {
namespace {

// The table reaches this many times the peak current.
constexpr double kTableToPeak = 10;
// Step bounds as fractions of the table's span: the curve is followed at
// least every 1/256 of it and never closer than 1/2^20, a few 4-byte steps
// of the largest current. Only where the inductance plunges towards a gap of
// the roll-off model does a shortest step still see it change by more than
// kStepChange: there a segment's slope is the curve's mean over it.
constexpr double kLongestStep = 1.0 / 640;
constexpr double kShortestStep = 1.0 / 1048576;
// A step is taken when the inductance changes by at most this fraction over
// it, of the larger of its value and 1 % of the no-load inductance; a
// segment's slope then lies within a fraction of a percent of the curve.
constexpr double kStepChange = 0.004;
constexpr double kChangeFloor = 0.01;
constexpr double kHenriesPerMillihenry = 1e-3;
constexpr double kHertzPerKilohertz = 1e3;
constexpr double kWattsPerMilliwatt = 1e-3;
// The model leaves the curve where it differs from it by more than this
// fraction (a curve flat to rounding does not count as rising).
constexpr double kLeavesCurve = 1e-3;

// What the model follows: the curve's running minimum, floored at the
// air-core inductance; notes the first current where that is not the curve.
class Follower {
 public:
  Follower(const DesignResult& d, double L0, double L_air) : d_(&d), lowest_(L0), L_air_(L_air) {}

  double At(double I) {
    const std::optional<double> curve = StackInductance(*d_, I);
    if (curve) lowest_ = std::min(lowest_, *curve);
    const double L = std::max(lowest_, L_air_);
    gap_ = gap_ || !curve;
    if (!leaves_at_ && (!curve || std::fabs(L - *curve) > kLeavesCurve * *curve)) leaves_at_ = I;
    return L;
  }
  bool gap() const { return gap_; }
  std::optional<double> leaves_at() const { return leaves_at_; }

 private:
  const DesignResult* d_;
  double lowest_;
  double L_air_;
  bool gap_ = false;
  std::optional<double> leaves_at_;
};

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

double AirCoreInductance(const DesignResult& d) {
  if (!(d.le > 0) || !(d.Ae > 0)) return 0;
  return kAirCoreHenriesPerTurn2Cm * d.N * d.N * d.stack_count * static_cast<double>(d.Ae) / d.le;
}

double LossFactorAtDuty(double duty) {
  return 1 / (4 * duty * (1 - duty));
}

std::optional<SpiceModel> BuildSpiceModel(const DesignResult& d) {
  const auto L0 = StackInductance(d, 0);
  // A 4-byte span, so that the last step ends on it exactly.
  const double span = static_cast<float>(kTableToPeak * d.in.Ipk);
  if (!L0 || !(*L0 > 0) || !std::isfinite(span) || !(span > 0)) return std::nullopt;

  SpiceModel m;
  m.Rdc = d.Rdc;
  m.L_air = AirCoreInductance(d);
  Follower follow(d, *L0, m.L_air);
  m.table.push_back({0, 0});
  // Walks the curve from zero current: each step as long as the inductance
  // changes little over it, the flux gained by Simpson's rule.
  double a = 0, La = follow.At(0), flux = 0;
  double step = kLongestStep * span;
  while (a < span) {
    step = std::min(step, span - a);
    double b = 0, Lm = 0, Lb = 0;
    for (;;) {
      // The table's currents are 4-byte values, as the curve's are.
      // (The shortest step is far above a 4-byte value's resolution.)
      b = static_cast<float>(a + step);
      const double mid = static_cast<float>((a + b) / 2);
      // The follower's minimum only falls: probing a step that is then
      // halved looks ahead, which the shorter steps then follow.
      Follower probe = follow;
      Lm = probe.At(mid);
      Lb = probe.At(b);
      const double allowed = kStepChange * std::max(std::fabs(La), kChangeFloor * *L0);
      const bool smooth = std::fabs(Lb - La) <= allowed && std::fabs(Lm - La) <= allowed;
      if (smooth || step <= kShortestStep * span) {
        follow = probe;
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
  m.gap_bridged = follow.gap();
  m.leaves_curve_at = follow.leaves_at();
  m.loss_ripple_a = d.in.dI;
  m.loss_dc_a = d.in.Idc;
  m.loss_frequency_hz = d.in.f * kHertzPerKilohertz;
  m.Rloss = LossResistance(m, d.in.Idc, d.in.dI, m.loss_frequency_hz, d.Pfe * kWattsPerMilliwatt);
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

double ModelFlux(const SpiceModel& m, double I) {
  const double x = std::fabs(I);
  const auto above = std::upper_bound(m.table.begin(), m.table.end(), x,
                                      [](double v, const FluxPoint& p) { return v < p.I; });
  double flux = 0;
  if (above == m.table.end()) {
    flux = m.table.back().flux + m.L_beyond * (x - m.table.back().I);
  } else if (above != m.table.begin()) {
    const FluxPoint& lo = *(above - 1);
    flux = lo.flux + (above->flux - lo.flux) / (above->I - lo.I) * (x - lo.I);
  }
  return I < 0 ? -flux : flux;
}

double ModelRipple(const SpiceModel& m, double center, double flux_step) {
  if (!(flux_step > 0) || !(m.L_beyond > 0)) return 0;
  const auto step = [&](double x) { return ModelFlux(m, center + x) - ModelFlux(m, center - x); };
  // The flux grows by at least L_beyond per ampere (the least slope), so
  // the half-swing lies below flux_step / (2 L_beyond); bisection from there.
  double low = 0, high = flux_step / (2 * m.L_beyond);
  while (step(high) < flux_step) high *= 2;
  for (int k = 0; k < 100; ++k) {
    const double mid = (low + high) / 2;
    (step(mid) < flux_step ? low : high) = mid;
  }
  return low + high;
}

}  // namespace tov

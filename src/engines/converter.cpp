#include "engines/converter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "state/constants.h"

namespace tov {
namespace {

constexpr double kHertzPerKilohertz = 1e3;
constexpr double kHenriesPerMicrohenry = 1e-6;
constexpr double kPercent = 100;
// A ripple goal above twice the DC current leaves continuous conduction.
constexpr double kMostRipplePercent = 200;
constexpr double kDegreesPerHalfTurn = 180;
constexpr double kRightAngleDeg = 90;
// Midpoint samples of the quarter line cycle for the RMS current.
constexpr int kRmsSamples = 900;

bool Positive(double value) {
  return std::isfinite(value) && value > 0;
}

// The duty, inductor DC current and on-time voltage of a DC converter at
// input vin, from the charge balance at Pin = Pout / efficiency.
struct Balance {
  double duty = 0;
  double idc = 0;
  double v_on = 0;
};

Balance BalanceAt(const ConverterRequest& r, double vin) {
  const double eta = r.efficiency;
  switch (r.topology) {
    case Topology::Buck:
      return {r.vout / (eta * vin), r.iout, vin - r.vout};
    case Topology::Boost:
      return {1 - eta * vin / r.vout, r.vout * r.iout / (eta * vin), vin};
    case Topology::BuckBoost:
    default: {
      const double duty = r.vout / (r.vout + eta * vin);
      return {duty, r.iout / (1 - duty), vin};
    }
  }
}

// The PFC boost at RMS line vac and line angle theta (degrees): the line
// current's crest is sqrt(2) Pin / vac.
Balance PfcBalanceAt(const ConverterRequest& r, double vac, double theta_deg) {
  const double s = std::sin(theta_deg * kPi / kDegreesPerHalfTurn);
  const double vin = std::sqrt(2.0) * vac * s;
  const double crest = std::sqrt(2.0) * r.pout / (r.efficiency * vac);
  return {1 - r.efficiency * vin / r.vout, crest * s, vin};
}

OperatingPoint PointOf(double vin, const Balance& b, double volt_seconds_per_henry) {
  OperatingPoint p;
  p.vin = vin;
  p.duty = b.duty;
  p.idc = b.idc;
  p.ripple_pp = volt_seconds_per_henry;
  p.ipk = b.idc + p.ripple_pp / 2;
  p.continuous = p.ripple_pp / 2 <= b.idc;
  return p;
}

std::string CheckRequest(const ConverterRequest& r) {
  const bool pfc = r.topology == Topology::PfcBoost;
  if (!Positive(r.vin_min) || !Positive(r.vin_max) || r.vin_min > r.vin_max) {
    return pfc ? "The line voltage range needs two positive RMS voltages, the lower first."
               : "The input voltage range needs two positive voltages, the lower first.";
  }
  if (!Positive(r.vout)) return "The output voltage must be a positive number.";
  if (pfc && !Positive(r.pout)) return "The output power must be a positive number.";
  if (pfc && !Positive(r.fline)) return "The line frequency must be a positive number.";
  if (!pfc && !Positive(r.iout)) return "The output current must be a positive number.";
  if (!Positive(r.fsw_khz)) return "The switching frequency must be a positive number.";
  if (!Positive(r.efficiency) || r.efficiency > 1) {
    return "The efficiency must be above 0 and at most 1.";
  }
  if (r.ripple_percent.has_value() == r.inductance_uh.has_value()) {
    return "Give either the ripple goal in percent or the inductance, not both.";
  }
  if (r.ripple_percent &&
      (!Positive(*r.ripple_percent) || *r.ripple_percent > kMostRipplePercent)) {
    return "The ripple goal must be above 0 and at most 200 % of the DC current.";
  }
  if (r.inductance_uh && !Positive(*r.inductance_uh)) {
    return "The inductance must be a positive number.";
  }
  return "";
}

// Whether every corner has a duty within (0, 1); else why not.
std::string CheckDuty(const ConverterRequest& r, double vin, double duty) {
  if (duty > 0 && duty < 1) return "";
  char text[200];
  switch (r.topology) {
    case Topology::Buck:
      std::snprintf(text, sizeof text,
                    "A buck makes less than its input: %.6g V out needs more than %.6g V in.",
                    r.vout, vin);
      break;
    case Topology::Boost:
      std::snprintf(text, sizeof text,
                    "A boost makes more than its input: %.6g V out needs less than %.6g V in.",
                    r.vout, vin);
      break;
    default:
      std::snprintf(text, sizeof text,
                    "A PFC boost makes more than the line's crest: %.6g V out is not above "
                    "%.6g V.",
                    r.vout, vin);
      break;
  }
  return text;
}

std::vector<double> Corners(const ConverterRequest& r) {
  if (r.vin_min == r.vin_max) return {r.vin_min};
  return {r.vin_min, r.vin_max};
}

ConverterOutcome DesignDc(const ConverterRequest& r) {
  const double f = r.fsw_khz * kHertzPerKilohertz;
  ConverterDesign c;
  double most_volt_seconds = 0;
  for (const double vin : Corners(r)) {
    const Balance b = BalanceAt(r, vin);
    if (std::string e = CheckDuty(r, vin, b.duty); !e.empty()) return {std::nullopt, e};
    c.idc = std::max(c.idc, b.idc);
    most_volt_seconds = std::max(most_volt_seconds, b.v_on * b.duty / f);
  }
  const double L = r.inductance_uh ? *r.inductance_uh * kHenriesPerMicrohenry
                                   : most_volt_seconds / (*r.ripple_percent / kPercent * c.idc);
  c.inductance_uh = L / kHenriesPerMicrohenry;
  for (const double vin : Corners(r)) {
    const Balance b = BalanceAt(r, vin);
    c.corners.push_back(PointOf(vin, b, b.v_on * b.duty / f / L));
    const OperatingPoint& p = c.corners.back();
    if (p.ripple_pp > c.ripple_pp) {
      c.ripple_pp = p.ripple_pp;
      c.ripple_vin = vin;
    }
    c.ipk = std::max(c.ipk, p.ipk);
  }
  return {c, ""};
}

ConverterOutcome DesignPfc(const ConverterRequest& r) {
  const double f = r.fsw_khz * kHertzPerKilohertz;
  // The crest of the highest line must stay below the output.
  const Balance crest_high = PfcBalanceAt(r, r.vin_max, kRightAngleDeg);
  if (std::string e = CheckDuty(r, crest_high.v_on, crest_high.duty); !e.empty()) {
    return {std::nullopt, e};
  }
  // The angles of a quarter cycle, and at each line the one where vin D is
  // largest (vin = Vout / (2 efficiency)) when the line reaches it.
  const auto angles = [&](double vac) {
    std::vector<double> list;
    for (double a = 0; a <= kRightAngleDeg; a += kLineAngleStepDeg) list.push_back(a);
    const double s = r.vout / (2 * r.efficiency * std::sqrt(2.0) * vac);
    if (s < 1) list.push_back(std::asin(s) * kDegreesPerHalfTurn / kPi);
    std::sort(list.begin(), list.end());
    return list;
  };
  ConverterDesign c;
  c.idc = PfcBalanceAt(r, r.vin_min, kRightAngleDeg).idc;
  double most_volt_seconds = 0;
  for (const double vac : Corners(r)) {
    for (const double a : angles(vac)) {
      const Balance b = PfcBalanceAt(r, vac, a);
      most_volt_seconds = std::max(most_volt_seconds, b.v_on * b.duty / f);
    }
  }
  const double L = r.inductance_uh ? *r.inductance_uh * kHenriesPerMicrohenry
                                   : most_volt_seconds / (*r.ripple_percent / kPercent * c.idc);
  c.inductance_uh = L / kHenriesPerMicrohenry;
  for (const double vac : Corners(r)) {
    std::vector<OperatingPoint>& cycle = vac == r.vin_min ? c.low_line_cycle : c.high_line_cycle;
    for (const double a : angles(vac)) {
      const Balance b = PfcBalanceAt(r, vac, a);
      cycle.push_back(PointOf(b.v_on, b, b.v_on * b.duty / f / L));
      const OperatingPoint& p = cycle.back();
      if (p.ripple_pp > c.ripple_pp) {
        c.ripple_pp = p.ripple_pp;
        c.ripple_vin = vac;
        c.ripple_angle_deg = a;
      }
      c.ipk = std::max(c.ipk, p.ipk);
    }
    c.corners.push_back(cycle.back());
  }
  if (c.high_line_cycle.empty()) c.high_line_cycle = c.low_line_cycle;
  // The RMS current at the lowest line: the line current's and the
  // triangle's ripple (dI^2 / 12) over a quarter cycle.
  double sum = 0;
  for (int k = 0; k < kRmsSamples; ++k) {
    const Balance b = PfcBalanceAt(r, r.vin_min, kRightAngleDeg * (k + 0.5) / kRmsSamples);
    const double ripple = b.v_on * b.duty / f / L;
    sum += b.idc * b.idc + ripple * ripple / 12;
  }
  c.i_rms_squared = sum / kRmsSamples;
  return {c, ""};
}

}  // namespace

const TopologyInfo& InfoOf(Topology topology) {
  return kTopologies[static_cast<std::size_t>(topology)];
}

std::optional<Topology> TopologyNamed(std::string_view name) {
  for (const TopologyInfo& t : kTopologies) {
    if (t.name == name) return t.topology;
  }
  return std::nullopt;
}

ConverterOutcome DesignConverter(const ConverterRequest& r) {
  if (std::string e = CheckRequest(r); !e.empty()) return {std::nullopt, e};
  return r.topology == Topology::PfcBoost ? DesignPfc(r) : DesignDc(r);
}

}  // namespace tov

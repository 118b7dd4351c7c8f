#include "io/converter_deck.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <regex>

#include "io/spice_netlist.h"

namespace tov {
namespace {

constexpr double kSwitchOhms = 1e-3;  // each switch's on-resistance
constexpr double kHertzPerKilohertz = 1e3;
// The output capacitor holds the voltage ripple to this fraction of Vout.
constexpr double kVoltageRipple = 0.002;
// Switching periods simulated, and the last ones measured.
constexpr int kPeriods = 40;
constexpr int kMeasuredPeriods = 5;
// Largest time step and the switches' edges, per switching period.
constexpr double kStepsPerPeriod = 500;
constexpr double kEdgeOfPeriod = 1e-3;
constexpr double kMilliwattsPerWatt = 1e3;
constexpr const char* kChoke = "CHOKE";

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

// The steady state with the drops of R = R_DC + a switch: the inductor's
// mean current, the duty and the inductance's voltage during the on-time.
struct Steady {
  double idc = 0;
  double duty = 0;
  double v_on = 0;
};

Steady SteadyState(const ConverterRequest& r, double vin, double R) {
  Steady s;
  switch (r.topology) {
    case Topology::Buck:
      s.idc = r.iout;
      s.duty = (r.vout + s.idc * R) / vin;
      s.v_on = vin - r.vout - s.idc * R;
      break;
    case Topology::Boost: {
      // vin I = vout iout + I^2 R, the smaller root.
      const double discriminant = vin * vin - 4 * R * r.vout * r.iout;
      if (discriminant < 0) return {};
      s.idc = R > 0 ? (vin - std::sqrt(discriminant)) / (2 * R) : r.vout * r.iout / vin;
      s.duty = 1 - (vin - s.idc * R) / r.vout;
      s.v_on = vin - s.idc * R;
      break;
    }
    case Topology::BuckBoost:
    case Topology::PfcBoost:
      s.duty = r.vout / (vin + r.vout);
      for (int k = 0; k < 50; ++k) {
        s.idc = r.iout / (1 - s.duty);
        s.duty = (r.vout + s.idc * R) / (vin + r.vout);
      }
      s.v_on = vin - s.idc * R;
      break;
  }
  return s;
}

// The output capacitor's voltage (magnitude) at the start of an on-time
// when its mean is vout: the charge it takes from a linear ripple of
// `ripple` about `idc` (all of it in a buck, the off-time's in a boost or
// buck-boost) less the load's, integrated over one period, against its mean.
double StartingVoltage(const ConverterRequest& r, double idc, double ripple, double duty, double T,
                       double C) {
  constexpr int kSteps = 2000;
  const double dt = T / kSteps, valley = idc - ripple / 2;
  double v = 0, sum = 0;
  for (int k = 0; k < kSteps; ++k) {
    const double t = (k + 0.5) * dt;
    const bool on = t < duty * T;
    const double iL = on ? valley + ripple * t / (duty * T)
                         : valley + ripple - ripple * (t - duty * T) / ((1 - duty) * T);
    const double delivered = r.topology == Topology::Buck ? iL : (on ? 0 : iL);
    const double step = (delivered - r.iout) * dt / C;
    sum += v + step / 2;
    v += step;
  }
  return r.vout - sum / kSteps;
}

}  // namespace

std::optional<ConverterDeck> BuildConverterDeck(const SpiceModel& model, const ConverterRequest& r,
                                                const ConverterDesign& c) {
  if (r.topology == Topology::PfcBoost || model.table.size() < 2) return std::nullopt;
  const double R = model.Rdc + kSwitchOhms;
  const Steady s = SteadyState(r, c.ripple_vin, R);
  if (!(s.duty > 0 && s.duty < 1) || !(s.idc > 0)) return std::nullopt;
  const double f = r.fsw_khz * kHertzPerKilohertz, T = 1 / f;

  ConverterDeck deck;
  deck.vin = c.ripple_vin;
  deck.duty = s.duty;
  deck.inductor_idc = s.idc;
  deck.predicted_ripple = ModelRipple(model, s.idc, s.v_on * s.duty / f);
  deck.simulated_s = kPeriods * T;

  const bool buck = r.topology == Topology::Buck;
  const double C = buck ? deck.predicted_ripple / (8 * f * kVoltageRipple * r.vout)
                        : r.iout * s.duty / (f * kVoltageRipple * r.vout);
  const double start = StartingVoltage(r, s.idc, deck.predicted_ripple, s.duty, T, C);
  const double vout_node = r.topology == Topology::BuckBoost ? -start : start;
  const double valley = s.idc - deck.predicted_ripple / 2;
  const double edge = kEdgeOfPeriod * T, on = s.duty * T;

  std::string& t = deck.text;
  t = "* " + std::string(InfoOf(r.topology).caption) + " converter around the choke\n";
  t += SpiceNetlist(model, {kChoke, {}, {}});
  t += ".model SWITCH sw vt=0.5 vh=0.1 ron=" + Number(kSwitchOhms) + " roff=1e8\n";
  t += "V_IN in 0 DC " + Number(deck.vin) + "\n";
  t += "V_G1 g1 0 PULSE(0 1 0 " + Number(edge) + " " + Number(edge) + " " + Number(on - edge) +
       " " + Number(T) + ")\n";
  t += "V_G2 g2 0 PULSE(1 0 0 " + Number(edge) + " " + Number(edge) + " " + Number(on - edge) +
       " " + Number(T) + ")\n";
  // node2 is the choke's second terminal.
  std::string node2;
  switch (r.topology) {
    case Topology::Buck:
      t += "S_HIGH in sw g1 0 SWITCH\nS_LOW sw 0 g2 0 SWITCH\nV_METER sw l 0\nX_L l out CHOKE\n";
      node2 = "out";
      break;
    case Topology::Boost:
      t += "V_METER in l 0\nX_L l sw CHOKE\nS_LOW sw 0 g1 0 SWITCH\nS_HIGH sw out g2 0 SWITCH\n";
      node2 = "sw";
      break;
    default:
      t += "S_HIGH in sw g1 0 SWITCH\nV_METER sw l 0\nX_L l 0 CHOKE\nS_OUT sw out g2 0 SWITCH\n";
      node2 = "0";
      break;
  }
  t += "C_OUT out 0 " + Number(C) + " IC=" + Number(vout_node) + "\n";
  t += "R_LOAD out 0 " + Number(r.vout / r.iout) + "\n";
  t += ".ic v(x_l.d)=" + Number(FluxNodeScale(model) * ModelFlux(model, valley)) + "\n";
  t += ".tran " + Number(T / kStepsPerPeriod) + " " + Number(deck.simulated_s) + " 0 " +
       Number(T / kStepsPerPeriod) + " uic\n";
  const std::string window = " from=" + Number((kPeriods - kMeasuredPeriods) * T) +
                             " to=" + Number(deck.simulated_s) + "\n";
  t += ".meas tran lmax max i(v.x_l.v_sense)" + window;
  t += ".meas tran lmin min i(v.x_l.v_sense)" + window;
  t += ".meas tran iavg avg i(V_METER)" + window;
  t += ".meas tran ipeak max i(V_METER)" + window;
  t += ".meas tran irms rms i(V_METER)" + window;
  const std::string b = model.Rdc > 0 ? "v(x_l.b)" : "v(l)";
  if (model.Rdc > 0) t += ".meas tran prdc avg par('(v(l)-v(x_l.b))*i(V_METER)')" + window;
  if (model.Rloss) {
    t += ".meas tran ploss avg par('(" + b + "-v(" + node2 + "))*(" + b + "-v(" + node2 + "))/" +
         Number(*model.Rloss) + "')" + window;
  }
  t += ".end\n";
  return deck;
}

double MeasuredNumber(const std::string& text) {
  char* end = nullptr;
  const double number = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && std::isfinite(number) ? number : std::nan("");
}

std::optional<SimulatedChoke> ReadSimulatedChoke(std::string_view output, bool has_rloss) {
  const std::regex line(R"((?:^|\n)(\w+)\s*=\s*([-+]?[0-9.]+(?:[eE][-+]?[0-9]+)?))");
  std::optional<double> lmax, lmin, iavg, ipeak, irms, prdc, ploss;
  const std::pair<const char*, std::optional<double>*> names[] = {
      {"lmax", &lmax}, {"lmin", &lmin}, {"iavg", &iavg},  {"ipeak", &ipeak},
      {"irms", &irms}, {"prdc", &prdc}, {"ploss", &ploss}};
  const std::string text(output);
  for (auto it = std::sregex_iterator(text.begin(), text.end(), line); it != std::sregex_iterator();
       ++it) {
    const double number = MeasuredNumber((*it)[2].str());
    for (const auto& [name, value] : names) {
      if ((*it)[1] == name && std::isfinite(number)) *value = number;
    }
  }
  if (!lmax || !lmin || !iavg || !ipeak || !irms || (has_rloss && !ploss)) return std::nullopt;
  SimulatedChoke s;
  s.ripple_pp_a = *lmax - *lmin;
  s.i_avg_a = *iavg;
  s.i_peak_a = *ipeak;
  s.i_rms_a = *irms;
  s.p_rdc_mw = prdc.value_or(0) * kMilliwattsPerWatt;
  s.p_rloss_mw = ploss.value_or(0) * kMilliwattsPerWatt;
  // Figures each finite can still overflow in a difference or a product.
  for (const double v : {s.ripple_pp_a, s.p_rdc_mw, s.p_rloss_mw}) {
    if (!std::isfinite(v)) return std::nullopt;
  }
  return s;
}

}  // namespace tov

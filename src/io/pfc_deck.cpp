#include "io/pfc_deck.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <regex>

#include "io/spice_netlist.h"
#include "state/constants.h"

namespace tov {
namespace {

constexpr double kSwitchOhms = 1e-3;
constexpr double kHertzPerKilohertz = 1e3;
// The bulk capacitor holds the twice-line ripple to this fraction of Vout.
constexpr double kBulkRipple = 0.01;
constexpr double kStepsPerPeriod = 100;
// The duty stays within (0, kLongestDuty): the sawtooth's fall takes the rest.
constexpr double kLongestDuty = 0.98;
constexpr double kSawtoothFall = 0.01;
// The current loop: its sense filter and its crossover at these fractions
// of the switching frequency.
constexpr double kSenseDivider = 20;
constexpr double kLoopDivider = 50;
constexpr double kSenseOhms = 1e3;
// Switching periods about the crest the crest's ripple is measured over.
constexpr int kCrestPeriods = 2;

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

}  // namespace

std::optional<ConverterDeck> BuildPfcDeck(const SpiceModel& model, const ConverterRequest& r) {
  if (r.topology != Topology::PfcBoost || model.table.size() < 2) return std::nullopt;
  if (!(r.vin_min > 0) || !(r.vout > 0) || !(r.pout > 0) || !(r.fline > 0)) return std::nullopt;
  const double f = r.fsw_khz * kHertzPerKilohertz, T = 1 / f;
  const double crest_v = std::sqrt(2.0) * r.vin_min;
  if (!(r.efficiency * crest_v < r.vout)) return std::nullopt;
  ConverterDeck deck;
  deck.vin = r.vin_min;
  deck.duty = 1 - r.efficiency * crest_v / r.vout;
  deck.inductor_idc = std::sqrt(2.0) * r.pout / (r.efficiency * r.vin_min);
  deck.predicted_ripple = ModelRipple(model, deck.inductor_idc, crest_v * deck.duty / f);
  deck.simulated_s = 1 / (2 * r.fline);
  const double omega = 2 * kPi * r.fline;
  const double C = r.pout / (omega * kBulkRipple * r.vout * r.vout);

  std::string& t = deck.text;
  t = "* PFC boost around the choke, a half cycle of the lowest line\n";
  t += SpiceNetlist(model, {"CHOKE", {}, {}});
  t += ".model SWITCH sw vt=0 vh=0.001 ron=" + Number(kSwitchOhms) + " roff=1e8\n";
  t += "B_IN in 0 V = " + Number(crest_v) + "*abs(sin(" + Number(omega) + "*time))\n";
  // Average-current control: the switch node's mean follows the line less
  // Ka times the current's error against the line-shaped reference, the
  // current sensed through a low-pass at a twentieth of the switching
  // frequency, the loop closing at a fiftieth.
  const double Ka = 2 * kPi * f / kLoopDivider * ModelInductance(model, deck.inductor_idc);
  const double sense_farads = 1 / (2 * kPi * kSenseOhms * f / kSenseDivider);
  t += "B_SENSE sense 0 V = i(V_METER)\nR_SENSE sense sensed " + Number(kSenseOhms) +
       "\nC_SENSE sensed 0 " + Number(sense_farads) + "\n";
  t += "B_DUTY duty 0 V = max(0, min(" + Number(kLongestDuty) + ", 1 - (v(in) - " + Number(Ka) +
       "*(" + Number(deck.inductor_idc) + "*abs(sin(" + Number(omega) + "*time)) - v(sensed)))/" +
       Number(r.vout) + "))\n";
  t += "V_RAMP ramp 0 PULSE(0 1 0 " + Number((1 - kSawtoothFall) * T) + " " +
       Number(kSawtoothFall * T) + " 0 " + Number(T) + ")\n";
  t += "V_METER in l 0\nX_L l sw CHOKE\n";
  t += "S_LOW sw 0 duty ramp SWITCH\nS_HIGH sw out ramp duty SWITCH\n";
  t += "C_OUT out 0 " + Number(C) + " IC=" + Number(r.vout) + "\n";
  t += "R_LOAD out 0 " + Number(r.vout * r.vout / r.pout) + "\n";
  t += ".ic v(x_l.d)=0\n";
  t += ".tran " + Number(T / kStepsPerPeriod) + " " + Number(deck.simulated_s) + " 0 " +
       Number(T / kStepsPerPeriod) + " uic\n";
  const double crest_t = deck.simulated_s / 2;
  const std::string crest = " from=" + Number(crest_t - kCrestPeriods / 2.0 * T) +
                            " to=" + Number(crest_t + kCrestPeriods / 2.0 * T) + "\n";
  t += ".meas tran lmax max i(v.x_l.v_sense)" + crest;
  t += ".meas tran lmin min i(v.x_l.v_sense)" + crest;
  const std::string whole = " from=0 to=" + Number(deck.simulated_s) + "\n";
  t += ".meas tran iavg avg i(V_METER)" + whole;
  t += ".meas tran ipeak max i(V_METER)" + whole;
  t += ".meas tran irms rms i(V_METER)" + whole;
  if (model.Rdc > 0) t += ".meas tran prdc avg par('(v(l)-v(x_l.b))*i(V_METER)')" + whole;
  const std::string b = model.Rdc > 0 ? "v(x_l.b)" : "v(l)";
  if (model.Rloss) {
    t += ".meas tran ploss avg par('(" + b + "-v(sw))*(" + b + "-v(sw))/" + Number(*model.Rloss) +
         "')" + whole;
  }
  for (int k = 0; k < kEnvelopeWindows; ++k) {
    const std::string window = " from=" + Number(deck.simulated_s * k / kEnvelopeWindows) +
                               " to=" + Number(deck.simulated_s * (k + 1) / kEnvelopeWindows) +
                               "\n";
    t += ".meas tran emax" + std::to_string(k) + " max i(V_METER)" + window;
    t += ".meas tran emin" + std::to_string(k) + " min i(V_METER)" + window;
  }
  t += ".end\n";
  return deck;
}

Envelope ReadEnvelope(std::string_view output) {
  const std::regex line(R"((?:^|\n)e(max|min)(\d{1,2})\s*=\s*([-+]?[0-9.]+(?:[eE][-+]?[0-9]+)?))");
  Envelope e;
  e.upper.assign(kEnvelopeWindows, std::nan(""));
  e.lower.assign(kEnvelopeWindows, std::nan(""));
  const std::string text(output);
  for (auto it = std::sregex_iterator(text.begin(), text.end(), line); it != std::sregex_iterator();
       ++it) {
    const auto k = static_cast<std::size_t>(std::stoi((*it)[2]));
    const double number = MeasuredNumber((*it)[3].str());
    if (k < static_cast<std::size_t>(kEnvelopeWindows) && std::isfinite(number)) {
      ((*it)[1] == "max" ? e.upper : e.lower)[k] = number;
    }
  }
  for (std::size_t k = 0; k < e.upper.size(); ++k) {
    if (std::isnan(e.upper[k]) || std::isnan(e.lower[k])) return {};
  }
  return e;
}

}  // namespace tov

#include "ui/logic/converter_simulation.h"

#include <cmath>
#include <cstdio>
#include <regex>

namespace tov {
namespace {

constexpr double kHertzPerKilohertz = 1e3;
constexpr double kMicrosecondsPerSecond = 1e6;
// The periods shown: the last of the simulated ones.
constexpr int kShownPeriods = 3;
constexpr int kBisections = 60;

// The current whose flux linkage is `flux`, between `low` and `high`.
double CurrentOfFlux(const SpiceModel& m, double flux, double low, double high) {
  for (int k = 0; k < kBisections; ++k) {
    const double mid = (low + high) / 2;
    (ModelFlux(m, mid) < flux ? low : high) = mid;
  }
  return (low + high) / 2;
}

std::string Line(const char* format, double a, double b, double c = 0) {
  char text[200];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

}  // namespace

std::optional<SimulationPlan> PlanSimulation(const DesignResult& choke, const ConverterRequest& r,
                                             const ConverterDesign& c, std::string& error) {
  if (r.topology == Topology::PfcBoost) {
    error =
        "The window simulates a buck, boost or buck-boost; for a PFC boost use "
        "tovcalc --converter pfc-boost ... --simulate.";
    return std::nullopt;
  }
  std::optional<SpiceModel> model = BuildSpiceModel(choke);
  if (!model) {
    error = "The design shown has no inductance to simulate.";
    return std::nullopt;
  }
  std::optional<ConverterDeck> deck = BuildConverterDeck(*model, r, c);
  if (!deck) {
    error = "The converter cannot hold its output with the choke's resistance.";
    return std::nullopt;
  }
  SimulationPlan plan{std::move(*model), std::move(*deck), choke, 0, 0};
  plan.period_s = 1 / (r.fsw_khz * kHertzPerKilohertz);
  plan.shown_from_s = plan.deck.simulated_s - kShownPeriods * plan.period_s;
  const std::size_t end = plan.deck.text.rfind(".end");
  plan.deck.text.insert(end, ".print tran i(v.x_l.v_sense)\n");
  return plan;
}

SimulationView ReadSimulationView(const SimulationPlan& plan, const std::string& output,
                                  double seconds) {
  SimulationView view;
  const std::optional<SimulatedChoke> sim =
      ReadSimulatedChoke(output, plan.model.Rloss.has_value());
  if (!sim) {
    view.error = "ngspice did not measure the choke; it said:\n" + output.substr(0, 1500);
    return view;
  }
  // The predicted waveform: from the ripple's valley the flux rises
  // linearly through the on-time and falls back through the off-time.
  const ConverterDeck& d = plan.deck;
  const double half = d.predicted_ripple / 2;
  const double valley_flux = ModelFlux(plan.model, d.inductor_idc - half);
  const double swing = ModelFlux(plan.model, d.inductor_idc + half) - valley_flux;
  const double T = plan.period_s, on = d.duty * T;
  const std::regex row(R"(^\d+\s+(\S+)\s+(\S+))");
  std::smatch m;
  std::size_t from = 0;
  while (from < output.size()) {
    std::size_t to = output.find('\n', from);
    if (to == std::string::npos) to = output.size();
    const std::string line = output.substr(from, to - from);
    from = to + 1;
    if (!std::regex_search(line, m, row)) continue;
    const double t = MeasuredNumber(m[1].str()), i = MeasuredNumber(m[2].str());
    if (!(t >= plan.shown_from_s) || std::isnan(i)) continue;
    const double tau = std::fmod(t, T);
    const double rise = tau < on ? tau / on : 1 - (tau - on) / (T - on);
    view.t_us.push_back((t - plan.shown_from_s) * kMicrosecondsPerSecond);
    view.simulated_a.push_back(i);
    view.predicted_a.push_back(CurrentOfFlux(plan.model, valley_flux + swing * rise,
                                             d.inductor_idc - 2 * half - 1,
                                             d.inductor_idc + 2 * half + 1));
  }
  const DesignResult& c = plan.choke;
  view.figures = {
      Line("Ripple: %.4g A peak to peak (predicted from the curve %.4g A; design %.4g A)",
           sim->ripple_pp_a, d.predicted_ripple, c.in.dI),
      Line("Mean current: %.4g A (the duty was set for %.4g A; design I_dc %.4g A)", sim->i_avg_a,
           d.inductor_idc, c.in.Idc),
      Line("Peak current: %.4g A (design I_pk %.4g A)", sim->i_peak_a, c.in.Ipk),
      Line("Power in R_DC: %.1f mW (design's copper loss %.1f mW)", sim->p_rdc_mw, c.Pcu),
      Line("Power in R_LOSS: %.1f mW (design's core loss %.1f mW)", sim->p_rloss_mw, c.Pfe),
      Line("At %.4g V in, duty %.4f; ngspice ran %.2f s", d.vin, d.duty, seconds),
  };
  return view;
}

}  // namespace tov

// tovcalc --converter beside the design shown: the figures, and with
// --simulate the choke run in its converter by ngspice.

#include <cstdio>
#include <memory>

#include "app/tovcalc/converter_options.h"
#include "engines/line_cycle_loss.h"
#include "engines/spice_model.h"
#include "io/converter_deck.h"
#include "io/ngspice_run.h"
#include "io/pfc_deck.h"
#include "ui/logic/design_controller.h"

namespace tov::tovcalc {
namespace {

// ngspice gets this long for one converter.
constexpr double kSimulationSeconds = 120;

struct Simulation {
  SimulatedChoke choke;
  double predicted_ripple_pp_a = 0;
  double ngspice_seconds = 0;
  double vin = 0;
  double duty = 0;
  Envelope envelope;  // PFC: the current's envelope over the half line cycle
};

// The simulation of the design shown in its converter, or why there is none.
std::shared_ptr<Simulation> Simulate(const Settings& s, const DesignController& form,
                                     std::string& error) {
  const std::optional<DesignResult>& shown = form.ShownDesign();
  const std::optional<SpiceModel> model = shown ? BuildSpiceModel(*shown) : std::nullopt;
  if (!model) {
    error = "No design with an inductance is shown, so there is nothing to simulate.";
    return nullptr;
  }
  const bool pfc = s.converter->topology == Topology::PfcBoost;
  const std::optional<ConverterDeck> deck =
      pfc ? BuildPfcDeck(*model, *s.converter)
          : BuildConverterDeck(*model, *s.converter, *s.converter_design);
  if (!deck) {
    error = "The converter cannot hold its output with the choke's resistance: no simulation.";
    return nullptr;
  }
  const NgspiceRun run = RunNgspice(deck->text, kSimulationSeconds);
  if (!run.finished) {
    error = "The simulation did not run: " + run.error;
    return nullptr;
  }
  const std::optional<SimulatedChoke> choke =
      ReadSimulatedChoke(run.output, model->Rloss.has_value());
  if (!choke) {
    error = "ngspice did not measure the choke; it said:\n" + run.output.substr(0, 2000);
    return nullptr;
  }
  Envelope envelope;
  if (pfc) {
    envelope = ReadEnvelope(run.output);
    if (envelope.upper.empty()) {
      error =
          "ngspice did not measure the current's envelope; it said:\n" + run.output.substr(0, 2000);
      return nullptr;
    }
  }
  return std::make_shared<Simulation>(
      Simulation{*choke, deck->predicted_ripple, run.seconds, deck->vin, deck->duty, envelope});
}

void WriteSimulationJson(JsonWriter& json, const Simulation& sim) {
  json.BeginObject();
  json.Key("duty");
  json.Double(sim.duty);
  if (!sim.envelope.upper.empty()) {
    for (const auto& [name, values] : {std::pair{"envelope_lower_a", &sim.envelope.lower},
                                       std::pair{"envelope_upper_a", &sim.envelope.upper}}) {
      json.Key(name);
      json.BeginArray();
      for (const double v : *values) json.Double(v);
      json.EndArray();
    }
  }
  json.Key("i_avg_a");
  json.Double(sim.choke.i_avg_a);
  json.Key("i_peak_a");
  json.Double(sim.choke.i_peak_a);
  json.Key("i_rms_a");
  json.Double(sim.choke.i_rms_a);
  json.Key("ngspice_seconds");
  json.Double(sim.ngspice_seconds);
  json.Key("p_rdc_mw");
  json.Double(sim.choke.p_rdc_mw);
  json.Key("p_rloss_mw");
  json.Double(sim.choke.p_rloss_mw);
  json.Key("predicted_ripple_pp_a");
  json.Double(sim.predicted_ripple_pp_a);
  json.Key("ripple_pp_a");
  json.Double(sim.choke.ripple_pp_a);
  json.Key("vin_v");
  json.Double(sim.vin);
  json.EndObject();
}

std::string SimulationText(const Simulation& sim, const DesignResult& d) {
  char text[600];
  std::snprintf(text, sizeof text,
                "Simulated in ngspice at %.4g V in, duty %.4f (%.2f s):\n"
                "  ripple %.4g A pp (predicted from the curve %.4g A), mean %.4g A, peak %.4g A\n"
                "  R_DC %.4g mW (design's copper loss %.4g mW), R_LOSS %.4g mW (design's core "
                "loss %.4g mW)\n",
                sim.vin, sim.duty, sim.ngspice_seconds, sim.choke.ripple_pp_a,
                sim.predicted_ripple_pp_a, sim.choke.i_avg_a, sim.choke.i_peak_a,
                sim.choke.p_rdc_mw, static_cast<double>(d.Pcu), sim.choke.p_rloss_mw,
                static_cast<double>(d.Pfe));
  return text;
}

}  // namespace

ConverterRun RunConverter(const Settings& s, const DesignController& form) {
  ConverterRun run;
  if (!s.converter || !s.converter_design) return run;
  const ConverterRequest request = *s.converter;
  const ConverterDesign design = *s.converter_design;
  const std::optional<DesignResult>& shown = form.ShownDesign();
  const std::optional<LineCycleLoss> line_cycle =
      shown ? PfcLineCycleLoss(*shown, request) : std::nullopt;
  run.json.converter = [request, design, line_cycle](JsonWriter& json) {
    WriteConverterJson(json, request, design, line_cycle);
  };
  run.text = ConverterReport(request, design);
  if (line_cycle) {
    char text[300];
    std::snprintf(text, sizeof text,
                  "  Over the line cycle at %.4g V: core loss %.1f mW, copper loss %.1f mW "
                  "(%.4g A RMS), ripple up to %.4g A pp\n",
                  request.vin_min, line_cycle->core_mw, line_cycle->copper_mw, line_cycle->i_rms_a,
                  line_cycle->ripple_pp_max_a);
    run.text += text;
  }
  if (s.simulate) {
    const std::shared_ptr<Simulation> sim = Simulate(s, form, run.error);
    if (sim) {
      run.json.simulation = [sim](JsonWriter& json) { WriteSimulationJson(json, *sim); };
      run.text += SimulationText(*sim, *form.ShownDesign());
    }
  }
  run.text += "\n";
  return run;
}

}  // namespace tov::tovcalc

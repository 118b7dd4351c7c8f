#pragma once
// Tools > Simulate Converter: the choke shown run in the converter of Tools >
// Converter... (buck, boost, buck-boost), and what the window shows of it:
// the inductor's current over the last switching periods beside the
// waveform the program's own curve predicts, and the figures beside the
// design's.

#include <optional>
#include <string>
#include <vector>

#include "engines/converter.h"
#include "engines/design_result.h"
#include "engines/spice_model.h"
#include "io/converter_deck.h"

namespace tov {

struct SimulationPlan {
  SpiceModel model;
  ConverterDeck deck;  // its text also prints the inductor's current
  DesignResult choke;
  double period_s = 0;      // s, a switching period
  double shown_from_s = 0;  // s, where the periods shown begin
};

// The plan, or why there is none (a PFC boost, no inductance, a duty the
// drops push out of range).
std::optional<SimulationPlan> PlanSimulation(const DesignResult& choke,
                                             const ConverterRequest& request,
                                             const ConverterDesign& converter, std::string& error);

struct SimulationView {
  std::vector<double> t_us;          // time within the periods shown, us
  std::vector<double> simulated_a;   // the inductance's current, A
  std::vector<double> predicted_a;   // the curve's prediction at the same times, A
  std::vector<std::string> figures;  // one line each: simulated beside the design's
  std::string error;                 // why there is nothing to show
};

// What ngspice's output shows against the plan; `seconds` it ran.
SimulationView ReadSimulationView(const SimulationPlan& plan, const std::string& output,
                                  double seconds);

}  // namespace tov

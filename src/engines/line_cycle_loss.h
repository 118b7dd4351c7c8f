#pragma once
// The losses of a PFC boost choke over the line cycle: at each angle the
// line current, the ripple its own inductance curve gives, and the core loss
// of that ripple by the program's loss law, averaged.

#include <optional>

#include "engines/converter.h"
#include "engines/design_result.h"

namespace tov {

// Core loss of the whole stack (mW) of a ripple `ripple_pp` (A peak to peak)
// whose peak is `i_peak` (A), by the design's loss law: Bac from the
// effective permeability at the peak current, as the design takes it.
// nullopt where the roll-off model has no value.
std::optional<double> CoreLossOfSwing(const DesignResult& design, double i_peak, double ripple_pp);

struct LineCycleLoss {
  double core_mw = 0;            // the core loss averaged over the line cycle
  double copper_mw = 0;          // R_DC times the mean square current
  double i_rms_a = 0;            // the choke's RMS current
  double ripple_pp_max_a = 0;    // the largest ripple over the cycle
  int angles_without_value = 0;  // angles where the roll-off model has no value (left out)
};

// The losses of `design` in the PFC boost `request` at its lowest line, over
// a quarter line cycle in kLineCycleSamples midpoint angles; the ripple at
// each angle from the choke's inductance at the line current there.
// nullopt for another topology or a design without inductance.
std::optional<LineCycleLoss> PfcLineCycleLoss(const DesignResult& design,
                                              const ConverterRequest& request);

inline constexpr int kLineCycleSamples = 180;

}  // namespace tov

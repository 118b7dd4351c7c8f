#pragma once
// The design as a circuit-simulator model, in numbers: the flux linkage of the
// winding against its current, integrated from the roll-off model so that the
// incremental inductance dPhi/dI at every current is the inductance curve's
// value there (not Phi = L(I) I); the winding's DC resistance; and a parallel
// resistance that dissipates the design's core loss at its ripple.

#include <optional>
#include <vector>

#include "engines/design_result.h"

namespace tov {

struct FluxPoint {
  double I = 0;     // A
  double flux = 0;  // Wb (V s), flux linkage of the whole stack
};

struct SpiceModel {
  double Rdc = 0;  // ohms, the winding at the design's copper temperature (as shown)
  // From (0, 0) up to four times the peak current, I ascending; the flux is
  // odd in the current, so the table's mirror image holds below zero.
  std::vector<FluxPoint> table;
  double L_beyond = 0;  // H, the last slope, continued past the table's ends
  // Ohms across the inductance; nullopt when there is no core loss to model
  // (no ripple, or no loss data for the core's grade).
  std::optional<double> Rloss;
  // The roll-off model has no value at some currents of the table: there the
  // inductance holds the last value it had at a lower current.
  bool gap_bridged = false;
};

// The model of the design; nullopt when it has no inductance to model (no
// positive inductance at zero current, or no positive peak current).
std::optional<SpiceModel> BuildSpiceModel(const DesignResult& design);

// The model's incremental inductance at current I (H), as the simulator sees
// it: the slope of the table segment holding |I| (the upper one at a table
// point), L_beyond past the table.
double ModelInductance(const SpiceModel& model, double I);

// Inductance of the whole stack at current I (H) as the roll-off model gives
// it, the sign of I ignored; nullopt where the model has no value.
std::optional<double> StackInductance(const DesignResult& design, double I);

}  // namespace tov

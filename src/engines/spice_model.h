#pragma once
// The design as a circuit-simulator model, in numbers: the flux linkage of the
// winding against its current, integrated from the roll-off model so that the
// incremental inductance dPhi/dI at every current is the inductance curve's
// value there (not Phi = L(I) I), held at the curve's minimum and floored at
// the air-core inductance; the winding's DC resistance; and a parallel
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
  // From (0, 0) up to ten times the peak current, I ascending; the flux is
  // odd in the current, so the table's mirror image holds below zero.
  std::vector<FluxPoint> table;
  double L_beyond = 0;  // H, the last slope, continued past the table's ends
  // H, the winding without a core (mu0 N^2 Ae / le of the stack): the
  // model's inductance never falls below it.
  double L_air = 0;
  // The model's inductance at a current is the lowest the roll-off curve
  // reached up to that current (it never rises with current), and never
  // below L_air. The first current (A) at which that leaves the curve: where
  // the curve rises again, has no value, or falls below L_air; nullopt when
  // the model follows the curve over the whole table.
  std::optional<double> leaves_curve_at;
  // Ohms across the inductance; nullopt when there is no core loss to model
  // (no ripple, or no loss data for the core's grade).
  std::optional<double> Rloss;
  // The waveform R_LOSS dissipates the design's core loss at: a symmetric
  // triangle (50 % duty) of loss_ripple_a peak to peak (A) about loss_dc_a
  // (A) at loss_frequency_hz (Hz).
  double loss_ripple_a = 0;
  double loss_dc_a = 0;
  double loss_frequency_hz = 0;
  // The roll-off model has no value at some currents of the table: there the
  // inductance holds the lowest value it had at a lower current.
  bool gap_bridged = false;
};

// The winding without a core, H: mu0 N^2 Ae / le of the whole stack.
double AirCoreInductance(const DesignResult& design);

// How much more R_LOSS dissipates when the same ripple comes from a
// two-level voltage at duty D (0 < D < 1) than from the symmetric triangle
// it was sized for: 1 / (4 D (1 - D)), 1 at D = 0.5.
double LossFactorAtDuty(double duty);

// The model of the design; nullopt when it has no inductance to model (no
// positive inductance at zero current, or no positive peak current).
std::optional<SpiceModel> BuildSpiceModel(const DesignResult& design);

// The model's incremental inductance at current I (H), as the simulator sees
// it: the slope of the table segment holding |I| (the upper one at a table
// point), L_beyond past the table.
double ModelInductance(const SpiceModel& model, double I);

// The model's flux linkage at current I (Wb), odd in I: the table's
// piecewise-linear value, continued with L_beyond past its end.
double ModelFlux(const SpiceModel& model, double I);

// The current (A) about `center` whose swing the flux step `flux_step`
// (V s) makes: the half-swing x with ModelFlux(center + x) - ModelFlux(center
// - x) = flux_step; returns 2x, the ripple peak to peak.
double ModelRipple(const SpiceModel& model, double center, double flux_step);

// Inductance of the whole stack at current I (H) as the roll-off model gives
// it, the sign of I ignored; nullopt where the model has no value.
std::optional<double> StackInductance(const DesignResult& design, double I);

}  // namespace tov

#pragma once
// A design as numbers: what the engines return and the window presents.

#include <cstdint>
#include <optional>

#include "state/material.h"

namespace tov {

// The inputs of a run as it used them (4-byte values; per core where marked).
struct RunInputs {
  float Tallow = 0;   // deg C, allowable temperature rise
  float Ltarget = 0;  // mH per core, inductance to reach at full load
  float Lmax = 0;     // mH per core, no-load ceiling (automatic selection only)
  float Idc = 0;      // A
  float dI = 0;       // A, ripple peak to peak
  float Ipk = 0;      // A, peak current Idc + dI / 2, where L at full load is taken
  float Iw = 0;       // A, winding current Idc + 0.577 dI / 2
  float J = 0;        // A/cm^2 (the density six strands reach when the wire is too large)
  float f = 0;        // kHz
  friend bool operator==(const RunInputs&, const RunInputs&) = default;
};

// The design on one core.
struct DesignResult {
  int16_t row = 0;  // core_row, the core of the design
  Material material = Material::Velmax;
  bool e_core = false;
  int16_t stack_count = 1;
  int16_t MatType = 0;
  float copper_factor = 1;
  RunInputs in = {};

  // Core data as the run read them.
  float ui = 0;  // initial permeability
  float AL = 0;  // mH per 1000 turns
  float le = 0;  // cm
  float Ae = 0;  // cm^2

  int16_t N = 0;        // turns
  int16_t G = 0;        // AWG (43: thinned past the tables, no wire fits)
  int16_t strands = 1;  // parallel strands of gauge G
  float d = 0;          // in, insulated wire diameter
  float H = 0;          // Oe, magnetising force at the peak current
  float ue = 0;         // effective permeability at the peak current
  float Lfl = 0;        // mH per core, full load
  float Lnl = 0;        // mH per core, no load
  float fill = 0;       // winding factor
  float ODw = 0;        // in, wound outer diameter (toroids)
  float HTw = 0;        // in, wound height (toroids)
  float length = 0;     // in, wire length (all strands)
  float Rdc = 0;        // ohms, at the ambient temperature
  float Bac = 0;        // kG, peak AC flux density
  float Pfe = 0;        // mW, whole stack
  float Pcu = 0;        // mW
  float Ptot = 0;       // mW
  float As = 0;         // cm^2, cooling surface
  float dT = 0;         // deg C
  friend bool operator==(const DesignResult&, const DesignResult&) = default;
};

// What a run changes of the settings it was given, and the totals it leaves.
struct RunEffects {
  int16_t stack_count = 1;    // after E-cores went back to one core
  bool single_layer = false;  // after E-cores cleared the option
  int16_t strands = 1;        // strands of the run's wire
  // The total loss the run last computed, when it got that far: with "Too
  // Large" that of the last row whose losses were computed.
  std::optional<float> total_loss_mw;
};

}  // namespace tov

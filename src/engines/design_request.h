#pragma once
// What a design run is asked for: the seven inputs, the material and the
// options, as numbers. Built by the window from its fields and check marks,
// by tovcalc from its command line, and by sweeps directly.

#include <cstdint>
#include <limits>

#include "state/material.h"

namespace tov {

// The value a text that is no number reads as: a run's step that needs it
// fails and keeps its previous value.
inline constexpr double kNoNumber = std::numeric_limits<double>::quiet_NaN();

struct DesignRequest {
  // The inputs as their texts read, in 8 bytes (the runs store them as 4-byte floats).
  double Idc = 10;      // A, full-load DC current
  double dI = 2;        // A, ripple current peak to peak
  double f = 100;       // kHz, ripple frequency
  double J = 600;       // A/cm^2, current density for the wire
  double Lfl_uH = 100;  // uH, whole stack, inductance at full load
  double Lnl_uH = 150;  // uH, whole stack, largest inductance at no load
  double Tallow = 35;   // deg C, allowable temperature rise

  Material material = Material::Velmax;
  int16_t StackCount = 1;       // stacked toroids
  float CuFactor = 1.0f;        // copper resistance factor at the ambient temperature
  bool full_load_l_max = true;  // No Load L is a ceiling (automatic selection only)
  bool single_layer = false;    // the winding must lie in one layer (toroids only)
  friend bool operator==(const DesignRequest&, const DesignRequest&) = default;
};

}  // namespace tov

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
  double dc_current_a = 10;            // full-load DC current
  double ripple_a = 2;                 // ripple current peak to peak
  double frequency_khz = 100;          // ripple frequency
  double current_density_a_cm2 = 600;  // current density for the wire
  double full_load_l_uh = 100;         // whole stack, inductance at full load
  double no_load_l_uh = 150;           // whole stack, largest inductance at no load
  double allowable_rise_c = 35;        // allowable temperature rise

  Material material = Material::Velmax;
  int16_t stack_count = 1;      // stacked toroids
  float copper_factor = 1.0f;   // copper resistance factor at the ambient temperature
  bool full_load_l_max = true;  // No Load L is a ceiling (automatic selection only)
  bool single_layer = false;    // the winding must lie in one layer (toroids only)
  friend bool operator==(const DesignRequest&, const DesignRequest&) = default;
};

}  // namespace tov

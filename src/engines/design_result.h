#pragma once
// The values a design engine hands to the presentation.

#include <cstdint>

namespace tov {

struct DesignResult {
  int16_t row = 0;      // CoreIdx, the core of the design
  bool e_core = false;  // Velmax E-cores is the selected material
  int16_t N = 0;        // turns
  int16_t G = 0;        // AWG
  int16_t strands = 1;
  float ue = 0;    // effective permeability at full DC current
  float Lfl = 0;   // mH per core, full load
  float Lnl = 0;   // mH per core, no load
  float fill = 0;  // winding factor
  float ODw = 0;   // in, wound outer diameter (toroids)
  float HTw = 0;   // in, wound height (toroids)
  float Rdc = 0;   // ohms
  float Pfe = 0;   // mW
  float Pcu = 0;   // mW
  float Ptot = 0;  // mW
  float dT = 0;    // deg C
  float allowable_rise = 0;  // deg C, for the colouring only
};

}  // namespace tov

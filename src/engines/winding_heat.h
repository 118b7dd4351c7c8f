#pragma once
// Losses and temperature rise of a finished winding on one core: the core loss
// from the ripple flux, the winding resistance (toroid build-up or E-core
// bobbin), the copper loss, the cooling surface and the temperature rise.

#include <cstdint>

#include "engines/core_data.h"
#include "engines/design_result.h"
#include "models/rolloff.h"
#include "models/wire_sizing.h"

namespace tov {

// What the winding is and how it is driven.
struct HeatInputs {
  int16_t MatType = 0;  // 1 Molypermalloy, 2 High Flux, 3 Velmax
  bool e_core = false;
  int16_t N = 0;  // turns
  float ue = 0;   // effective permeability at full load
  int16_t G = 0;  // AWG
  int16_t S = 1;  // strands
  float d = 0;    // in, insulated wire diameter
  float dI = 0;   // A, ripple peak to peak
  float f = 0;    // kHz
  float Iw = 0;   // A, winding current
  int16_t stack_count = 1;
  float copper_factor = 1;
};

// The inputs of a winding of `wire` (gauge, strands, diameter) with the
// turns and effective permeability of `turns`, on `material`, driven as the
// run's inputs say.
HeatInputs HeatInputsOf(const MaterialInfo& material, const TurnsSolution& turns,
                        const Winding& wire, const RunInputs& in, int16_t stack_count,
                        float copper_factor);

// Working values of the calculation. Each step commits only what it could
// compute; the others keep what they held (zero at the start of a run).
struct WindingHeat {
  float Bac = 0;             // kG, peak AC flux density
  float Pfe = 0;             // mW, whole stack
  float Rprime = 0;          // ohms per 1000 ft of the strand bundle at 20 deg C
  float length = 0;          // in, wire length
  float Rdc = 0;             // ohms, at the ambient temperature
  float As = 0;              // cm^2, cooling surface
  float ODw = 0;             // in, wound outer diameter (toroids)
  float HTw = 0;             // in, wound height (toroids)
  float Pcu = 0;             // mW
  float Ptot = 0;            // mW
  float dT = 0;              // deg C
  bool fits = true;          // false: the toroid's hole was used up before every wire was placed
  int32_t wires_placed = 0;  // toroids: wires (each strand counted) the build-up placed
};

// Computes the losses and the temperature rise into `heat`. When the toroid
// build-up does not fit, stops after it with heat.fits false.
void WindAndHeat(WindingHeat& heat, const HeatInputs& in, const CoreData& core);

}  // namespace tov

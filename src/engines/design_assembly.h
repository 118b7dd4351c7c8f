#pragma once
// Putting the pieces of a finished design on one core together.

#include <cstdint>

#include "engines/core_data.h"
#include "engines/design_result.h"
#include "engines/winding_heat.h"
#include "models/rolloff.h"
#include "models/wire_sizing.h"

namespace tov {

// The design on `row`: the run's inputs, the core's data, the turn solution,
// the wire (gauge, strands, diameter) with its winding factor `fill`, and the
// losses and temperature rise.
DesignResult AssembleDesign(int16_t row, const MaterialInfo& material, int16_t stack_count,
                            float copper_factor, const RunInputs& in, const CoreData& core,
                            const TurnsSolution& turns, const Winding& wire, float fill,
                            const WindingHeat& heat);

}  // namespace tov

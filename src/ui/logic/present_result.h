#pragma once
// Showing one design on the window: every output field in its digit pattern,
// the loss unit, the header, the "Too Large" result and the temperature colour.

#include <optional>
#include <string>

#include "engines/design_result.h"
#include "state/core_table.h"
#include "ui/logic/window_model.h"

namespace tov {

// Writes every output field of the design and stores total_loss_mw. Reads the
// window's stack_count and units; the core's part number, nominal size, Ae,
// le, permeability and AL come from its row.
void PresentResult(WindowModel& window, const CoreTable& cores, const DesignResult& result);

// The wire as wire shows it: "18" for one wire, "3 x #12" for strands.
std::string WireText(int16_t G, int16_t strands);

// The wound size as wound_dimensions shows it: a toroid's wound OD and height, an
// E-core set's wound length, width and bobbin height, " x " between them, in
// inches or millimetres. nullopt when a part has no text.
std::optional<std::string> WoundDimensionsText(const CoreTable& cores, const DesignResult& result,
                                               bool metric);

// The "Too Large" result of a search that found no core: "Too Large" as the
// part number, "N/A" for both inductances, every other output empty.
void PresentTooLarge(WindowModel& window);

// Background of temp_rise for a temperature rise dT against the allowable rise
// Tallow: white below, light yellow up to Tallow + 15, light red above; left
// as it was at exactly Tallow or Tallow + 15.
void ColourTempRise(WindowModel& window, float dT, float Tallow);

}  // namespace tov

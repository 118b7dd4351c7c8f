#pragma once
// Showing one design on the window: every output field, the loss unit, the
// header choice, the "Too Large" result and the temperature colouring.

#include <string>

#include "engines/design_context.h"
#include "engines/design_result.h"

namespace tov {

// Writes every output field of the design result and stores TotalLoss.
void PresentResult(WindowModel& window, const CoreTable& cores, const DesignResult& result);

// The "Too Large" result of a search that found no core.
void PresentTooLarge(WindowModel& window);

// Recommended mounting header of a toroid wound to ODw by HTw (in).
std::string ChooseHeader(float ODw, float HTw);

// Background of txtTrise for a temperature rise dT against the allowable rise
// Tallow: white below, light yellow up to Tallow + 15, light red above; left
// as it was at exactly Tallow or Tallow + 15.
void ColourTempRise(WindowModel& window, float dT, float Tallow);

// Warns the user ("Inductance Roll-Off Warning") when the full-load
// inductance keeps less than 45 % of the no-load inductance (Lfl / Lnl as a
// 4-byte float). Returns whether it warned; no warning when Lnl is zero.
bool WarnRollOff(UserInterface& ui, float Lfl, float Lnl);

}  // namespace tov

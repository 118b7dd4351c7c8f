#pragma once
// Selected-core design: one core picked by the user, made to work.

#include <cstdint>

#include "engines/design_context.h"

namespace tov {

// Designs on the core at `row` (CoreIdx): validates the inputs, solves the
// turns, reduces strands and gauge until the winding fits, tells the user of
// every compromise and presents the result. When the toroid's hole fills up
// before every turn is placed, says so ("Core Window Too Small") and leaves
// the design shown before in place. The caller passes a core row of the
// selected material; a row outside the table designs nothing (the table is
// never read outside its rows). Ends with LoadingDesign = 0 in every case.
void DesignSelectedCore(DesignContext ctx, int16_t row);

}  // namespace tov

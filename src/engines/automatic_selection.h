#pragma once
// Automatic core selection: the smallest core of the selected material on
// which a winding meets every requirement.

#include "engines/design_context.h"

namespace tov {

// Calculate: validates the inputs, sizes the wire, walks the material's
// section from the first row large enough, and presents the first core that
// passes, or the "Too Large" result at the section's end row. A row that runs
// too hot, or whose toroid build-up fills the hole before every turn is
// placed, sends the walk on to the next row.
void cmdCalculate_Click(DesignContext ctx);

}  // namespace tov

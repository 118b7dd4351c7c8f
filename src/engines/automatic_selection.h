#pragma once
// Automatic core selection: the smallest core of the selected material on
// which a winding meets every requirement.

#include "engines/design_context.h"

namespace tov {

// Calculate: validates the inputs, sizes the wire, walks the material's
// section from the first row large enough, and presents the first core that
// passes, or the "Too Large" result at the section's end row.
void cmdCalculate_Click(DesignContext ctx);

}  // namespace tov

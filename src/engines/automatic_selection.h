#pragma once
// Automatic core selection: the smallest core of the requested material on
// which a winding meets every requirement.

#include <cstdint>
#include <optional>

#include "engines/design_request.h"
#include "engines/design_result.h"
#include "engines/notice.h"
#include "state/core_table.h"

namespace tov {

struct SearchOutcome {
  Notices notices;
  RunEffects effects;
  int16_t core_row = 0;                // the row of the design, or the section's end row
  int16_t start_row = 0;               // the walk went from here to core_row
  std::optional<DesignResult> design;  // nullopt: no core is large enough ("Too Large")
};

// Sizes the wire, walks the material's section from the first row large
// enough, and returns the design on the first row that passes every test
// and stays within the allowable temperature rise, or "Too Large" at the
// section's end row. A row that runs too hot, or whose toroid build-up fills
// the hole before every turn is placed, sends the walk on to the next.
SearchOutcome SearchCores(const DesignRequest& request, const CoreTable& cores);

}  // namespace tov

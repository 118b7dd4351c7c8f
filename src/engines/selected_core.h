#pragma once
// Selected-core design: one core picked by the user, made to work.

#include <cstdint>
#include <optional>

#include "engines/design_request.h"
#include "engines/design_result.h"
#include "engines/notice.h"
#include "state/core_table.h"

namespace tov {

// Every compromise the design on a picked core made.
struct CoreCompromises {
  bool wire_too_large = false;   // six strands where more were needed
  bool strands_reduced = false;  // strands removed to fit the window or one layer
  bool gauge_raised = false;     // the wire thinned to fit (to AWG 43: no wire fits)
  bool rolloff = false;          // less than 45 % of the no-load inductance left at full load
  bool cannot_wind = false;      // the toroid's hole fills up before every turn is placed
};

struct SelectedCoreOutcome {
  Notices notices;
  RunEffects effects;
  CoreCompromises compromises;
  // nullopt when the winding cannot be wound (or the row is not in the
  // table): the design shown before stays.
  std::optional<DesignResult> design;
};

// Designs on the core at `row` of the request's material: solves the turns,
// reduces strands and gauge until the winding fits the window (and one layer
// on request), and computes losses and temperature rise. The No Load L
// ceiling plays no part.
SelectedCoreOutcome DesignOnCore(const DesignRequest& request, const CoreTable& cores, int16_t row);

}  // namespace tov

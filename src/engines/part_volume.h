#pragma once
// The size of a designed part as volumes: what the wound part takes on the
// board and how much core material it holds.

#include <optional>

#include "engines/design_result.h"
#include "state/core_table.h"

namespace tov {

// The box a wound part fills, cm^3: a toroid's wound cylinder
// pi (ODw/2)^2 HTw (stack included); an E-core set's wound length times
// wound width times bobbin height (WindID, WindOD, NomHt of its row). nullopt
// when the toroid could not be wound (`wound` false) or a figure has no value.
std::optional<double> WoundVolumeCm3(const DesignResult& design, bool wound,
                                     const CoreTable& cores);

// The magnetic volume Ae le of the design's cores, cm^3, times the stack count.
std::optional<double> CoreVolumeCm3(const DesignResult& design);

}  // namespace tov

#pragma once
// tovcalc --curve NAME: a curve of the design shown, as CSV text.

#include <optional>
#include <string>

#include "engines/curves.h"
#include "ui/logic/design_controller.h"

namespace tov::tovcalc {

// The names --curve takes, separated by "|".
std::string CurveOptionNames();

// The CSV text of the curve of the design `form` shows; nullopt when it shows
// none (no core large enough, or none could be wound).
std::optional<std::string> CurveOutput(const DesignController& form, CurveKind kind);

}  // namespace tov::tovcalc

#pragma once
// The requirement checks of a design as report lines: what each holds the
// design to, its target, what the design achieves, the worst case, pass or
// fail, and why a check fails.

#include <vector>

#include "engines/requirement_checks.h"
#include "io/report_lines.h"

namespace tov {

// A heading, a column header, then one line per check, each failed check
// followed by a line with its reason. No lines for no checks.
ReportDocument BuildChecksReport(const std::vector<RequirementCheck>& checks);

}  // namespace tov

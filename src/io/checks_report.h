#pragma once
// The requirement checks of a design as the rows of a report's table: what
// each holds the design to, its target, what the design achieves, the worst
// case, pass or fail, and why a check fails.

#include <string>
#include <string_view>
#include <vector>

#include "engines/requirement_checks.h"

namespace tov {

struct CheckRow {
  std::string requirement;  // what the check holds the design to, with its unit: "Temperature
                            // rise (°C)"
  std::string target, achieved, worst_case;  // figures in that unit; empty where there is none
  std::string result;                        // "pass" or "FAIL"
  std::string reason;                        // why it fails; empty when there is nothing to say
  bool pass = true;
};

// The unit of a check as a report prints it ("uH" as "µH", "degC" as "°C").
std::string PrintedUnit(std::string_view unit);

// One row per check, in the checks' order. A gauge is a whole number, every
// other figure has two decimals.
std::vector<CheckRow> CheckRows(const std::vector<RequirementCheck>& checks);

}  // namespace tov

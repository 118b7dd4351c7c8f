#include "io/checks_report.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "state/number_format.h"

namespace tov {
namespace {

// Units the checks name in plain ASCII, as a page prints them.
constexpr std::array<std::pair<std::string_view, std::string_view>, 2> kPrintedUnits = {{
    {"uH", "\u00b5H"},
    {"degC", "\u00b0C"},
}};

std::string Figure(const std::optional<double>& value, std::string_view unit) {
  return value ? FormatNumber(*value, unit == "AWG" ? "0" : "0.00").value_or("") : "";
}

}  // namespace

std::string PrintedUnit(std::string_view unit) {
  for (const auto& [plain, printed] : kPrintedUnits) {
    if (unit == plain) return std::string(printed);
  }
  return std::string(unit);
}

std::vector<CheckRow> CheckRows(const std::vector<RequirementCheck>& checks) {
  std::vector<CheckRow> rows;
  rows.reserve(checks.size());
  for (const RequirementCheck& c : checks) {
    const CheckDescriptor& d = DescriptorOf(c.kind);
    CheckRow& row = rows.emplace_back();
    row.requirement = std::string(d.what);
    if (!d.unit.empty()) row.requirement += " (" + PrintedUnit(d.unit) + ")";
    row.target = Figure(c.target, d.unit);
    row.achieved = Figure(c.achieved, d.unit);
    row.worst_case = Figure(c.worst_case, d.unit);
    row.result = c.pass ? "pass" : "FAIL";
    row.reason = c.reason;
    row.pass = c.pass;
  }
  return rows;
}

}  // namespace tov

#include "io/checks_report.h"

#include <optional>
#include <string>

#include "state/number_format.h"

namespace tov {
namespace {

constexpr int kLabelColumn = 1;
constexpr int kTargetColumn = 44;
constexpr int kAchievedColumn = 55;
constexpr int kWorstColumn = 66;
constexpr int kResultColumn = 78;
constexpr int kReasonColumn = 4;

// A gauge is a whole number; every other figure has two decimals.
std::string Figure(const std::optional<double>& value, std::string_view unit) {
  return value ? FormatNumber(*value, unit == "AWG" ? "0" : "0.00").value_or("") : "";
}

}  // namespace

ReportDocument BuildChecksReport(const std::vector<RequirementCheck>& checks) {
  ReportDocument report;
  if (checks.empty()) return report;
  auto& lines = report.lines;
  lines.push_back({true, {{kLabelColumn, "Requirement Checks"}}});
  lines.push_back({false,
                   {{kTargetColumn, "Target"},
                    {kAchievedColumn, "Achieved"},
                    {kWorstColumn, "Worst Case"},
                    {kResultColumn, "Result"}}});
  for (const RequirementCheck& c : checks) {
    const CheckDescriptor& d = DescriptorOf(c.kind);
    std::string label(d.what);
    if (!d.unit.empty()) label += " (" + std::string(d.unit) + ")";
    lines.push_back({false,
                     {{kLabelColumn, label},
                      {kTargetColumn, Figure(c.target, d.unit)},
                      {kAchievedColumn, Figure(c.achieved, d.unit)},
                      {kWorstColumn, Figure(c.worst_case, d.unit)},
                      {kResultColumn, c.pass ? "pass" : "FAIL"}}});
    if (!c.reason.empty()) lines.push_back({false, {{kReasonColumn, c.reason}}});
  }
  return report;
}

}  // namespace tov

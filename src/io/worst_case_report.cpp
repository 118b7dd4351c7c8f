#include "io/worst_case_report.h"

#include <optional>
#include <string>

#include "state/number_format.h"
#include "state/number_text.h"

namespace tov {
namespace {

constexpr int kLabelColumn = 1;
constexpr int kValueColumn = 36;
constexpr const char* kNoValue = "No value (thermal runaway)";

ReportLine Labelled(std::string label, std::optional<std::string> value) {
  return {false, {{kLabelColumn, std::move(label)}, {kValueColumn, value ? *value : kNoValue}}};
}

}  // namespace

ReportDocument BuildWorstCaseReport(const WorstCase& w) {
  const std::optional<HotWinding>& hot = w.hot;
  const auto hot_value = [&](float HotWinding::*field, const char* pattern) {
    return hot ? FormatNumber((*hot).*field, pattern) : std::nullopt;
  };
  ReportDocument report;
  auto& lines = report.lines;
  lines.push_back({true, {{kLabelColumn, "Worst Case"}}});
  lines.push_back(Labelled("AL Tolerance (%): ", PlainNumberText(w.al_tolerance_percent, 7)));
  lines.push_back(
      Labelled("Full Load L, minimum (\u00b5H): ", FormatNumber(w.Lfl_min_uH, "#####0.00")));
  lines.push_back(Labelled("DC Resistance, hot (ohms): ", hot_value(&HotWinding::Rdc, "###0.000")));
  lines.push_back(
      Labelled("Copper Temperature (degrees C): ", hot_value(&HotWinding::T_copper, "##0.0")));
  lines.push_back(Labelled("Copper Loss, hot (mW): ", hot_value(&HotWinding::Pcu, "####0.0")));
  lines.push_back(Labelled("Total Losses, hot (mW): ", hot_value(&HotWinding::Ptot, "####0.0")));
  lines.push_back(
      Labelled("Temperature Rise, hot (degrees C): ", hot_value(&HotWinding::dT, "##0.0")));
  lines.push_back(
      {false,
       {{kLabelColumn, "The design above is nominal: AL as listed, resistance at the ambient."}}});
  return report;
}

}  // namespace tov

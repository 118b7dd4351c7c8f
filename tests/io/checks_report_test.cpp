// The requirement checks as table rows: figures, units and results as a
// report prints them.

#include "io/checks_report.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace tov {
namespace {

// Two decimals; a failure keeps its reason; a gauge is a whole number; a check
// without a unit has no parentheses, one without figures no figures; a unit
// that needs no translation stays; the rows keep the checks' order.
TEST(CheckRows, FiguresUnitsAndResultsAsPrinted) {
  const std::vector<RequirementCheck> checks = {
      {CheckKind::FullLoadInductance, 100.0, 104.126, std::nullopt, true, ""},
      {CheckKind::TemperatureRise, 35.0, 41.666, 44.0, false, "runs too warm"},
      {CheckKind::WireAsSized, 16.0, 18.0, std::nullopt, false, "thinner"},
      {CheckKind::LossData, std::nullopt, std::nullopt, std::nullopt, true, ""},
      {CheckKind::RollOff, 50.0, 63.0, std::nullopt, true, ""}};
  using Row = std::tuple<std::string, std::string, std::string, std::string, std::string,
                         std::string, bool>;
  const std::vector<Row> expected = {
      {"Inductance at full load (\u00b5H)", "100.00", "104.13", "", "pass", "", true},
      {"Temperature rise (\u00b0C)", "35.00", "41.67", "44.00", "FAIL", "runs too warm", false},
      {"Wire as sized for the density (AWG)", "16", "18", "", "FAIL", "thinner", false},
      {"Core loss data for the grade", "", "", "", "pass", "", true},
      {"Inductance left at full load (%)", "50.00", "63.00", "", "pass", "", true}};
  std::vector<Row> rows;
  for (const CheckRow& r : CheckRows(checks)) {
    rows.emplace_back(r.requirement, r.target, r.achieved, r.worst_case, r.result, r.reason,
                      r.pass);
  }
  EXPECT_EQ(rows, expected);
  EXPECT_TRUE(CheckRows({}).empty());
}

}  // namespace
}  // namespace tov

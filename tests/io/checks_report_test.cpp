// The requirement checks as table rows: figures, units and results as a
// report prints them.

#include "io/checks_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tov {
namespace {

TEST(CheckRows, FiguresUnitsAndResultsAsPrinted) {
  struct Case {
    const char* name;
    RequirementCheck check;
    CheckRow expected;
  };
  const std::vector<Case> cases = {
      {"a figure has two decimals",
       {CheckKind::FullLoadInductance, 100.0, 104.126, std::nullopt, true, ""},
       {"Inductance at full load (\u00b5H)", "100.00", "104.13", "", "pass", "", true}},
      {"a failed check keeps its reason",
       {CheckKind::TemperatureRise, 35.0, 41.666, 44.0, false, "runs too warm"},
       {"Temperature rise (\u00b0C)", "35.00", "41.67", "44.00", "FAIL", "runs too warm", false}},
      {"a gauge is a whole number",
       {CheckKind::WireAsSized, 16.0, 18.0, std::nullopt, false, "thinner"},
       {"Wire as sized for the density (AWG)", "16", "18", "", "FAIL", "thinner", false}},
      {"a check without a unit has no parentheses, without figures no figures",
       {CheckKind::LossData, std::nullopt, std::nullopt, std::nullopt, true, ""},
       {"Core loss data for the grade", "", "", "", "pass", "", true}},
      {"a unit that needs no translation stays",
       {CheckKind::RollOff, 50.0, 63.0, std::nullopt, true, ""},
       {"Inductance left at full load (%)", "50.00", "63.00", "", "pass", "", true}},
  };
  for (const Case& c : cases) {
    const std::vector<CheckRow> rows = CheckRows({c.check});
    ASSERT_EQ(rows.size(), 1u) << c.name;
    const CheckRow& r = rows.front();
    EXPECT_EQ(r.requirement, c.expected.requirement) << c.name;
    EXPECT_EQ(r.target, c.expected.target) << c.name;
    EXPECT_EQ(r.achieved, c.expected.achieved) << c.name;
    EXPECT_EQ(r.worst_case, c.expected.worst_case) << c.name;
    EXPECT_EQ(r.result, c.expected.result) << c.name;
    EXPECT_EQ(r.reason, c.expected.reason) << c.name;
    EXPECT_EQ(r.pass, c.expected.pass) << c.name;
  }
  EXPECT_TRUE(CheckRows({}).empty());
  EXPECT_EQ(CheckRows({cases[0].check, cases[1].check})[1].requirement,
            "Temperature rise (\u00b0C)")
      << "rows keep the checks' order";
}

}  // namespace
}  // namespace tov

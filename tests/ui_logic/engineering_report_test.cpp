// The engineering report's page data over a small core table: the title
// block names the design, the requirement table holds every check, the
// design's tables show the window's figures and the chart has the required
// full-load inductance as a line.

#include "ui/logic/engineering_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "engines/requirement_checks.h"
#include "support/core_fixture.h"
#include "support/scripted_ui.h"

namespace tov {
namespace {

class EngineeringReportTest : public ::testing::Test {
 protected:
  EngineeringReportTest() {
    testing::PutCore(cores_, 396, {});
    ApplyStartupDefaults(frm_.Model());
  }
  std::string Entry(const EngineeringReport& report, const std::string& label) const {
    for (const TitleEntry& e : report.title_block) {
      if (e.label == label) return e.value;
    }
    ADD_FAILURE() << "no title entry " << label;
    return {};
  }
  // The value of a design table's row whose label starts with `label`.
  static std::string Figure(const EngineeringReport& report, const std::string& label) {
    for (const ReportTable& table : report.design) {
      for (const TableRow& row : table.rows) {
        if (row.cells.front().starts_with(label)) return row.cells.at(1);
      }
    }
    ADD_FAILURE() << "no row " << label;
    return {};
  }

  CoreTable cores_ = testing::EmptyCoreTable();
  testing::ScriptedUi ui_;
  DesignController frm_{cores_, ui_};
};

TEST_F(EngineeringReportTest, BeforeADesignOnlyTheTitleBlockAndTheInputsHaveContent) {
  const EngineeringReport report = BuildEngineeringReport(frm_, "2024-05-06 09:30", {});
  EXPECT_EQ(report.title, "Corvane DC Inductor Design");
  EXPECT_TRUE(report.requirements.rows.empty());
  EXPECT_FALSE(report.chart);
  EXPECT_EQ(Entry(report, "Design file"), "not saved");
  EXPECT_EQ(Figure(report, "Part Number"), "");
  EXPECT_FALSE(report.details.empty());
}

TEST_F(EngineeringReportTest, TitleBlockNamesTheDesignAndWhoMadeIt) {
  frm_.Calculate();
  const std::string folder = ::testing::TempDir() + "report folder";
  std::filesystem::create_directories(folder);
  const std::string file = folder + "/filter choke.tov";
  frm_.Model().design_file = file;
  const EngineeringReport report =
      BuildEngineeringReport(frm_, "2024-05-06 09:30", {"Buck 48 V", "A. Engineer"});
  // Label, value: the file's name without its folder, the program's version
  // as the build names it.
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Project", "Buck 48 V"},
      {"Designed by", "A. Engineer"},
      {"Design file", "filter choke.tov"},
      {"Date", "2024-05-06 09:30"},
      {"Program", "Corvane Inductor Design 1.0"},
  };
  for (const auto& [label, value] : expected) EXPECT_EQ(Entry(report, label), value) << label;
  EXPECT_TRUE(Entry(report, "Core database").starts_with("fingerprint "));

  CoreTable other = cores_;
  other.Set(396, CoreColumn::AL, CoreCell::Number(136));
  DesignController other_frm(other, ui_);
  EXPECT_NE(Entry(BuildEngineeringReport(other_frm, "", {}), "Core database"),
            Entry(report, "Core database"))
      << "another database has another fingerprint";
}

TEST_F(EngineeringReportTest, RequirementTableHoldsEveryCheckWithItsFailureReason) {
  frm_.Model().allowable_rise.text = "5";  // the fixture core runs about 17 degrees warm
  frm_.DesignSelectedCore(396);
  const EngineeringReport report = BuildEngineeringReport(frm_, "", {});
  const auto& table = report.requirements;
  ASSERT_EQ(table.rows.size(), kCheckTable.size());
  std::vector<std::string> headings;
  for (const TableColumn& c : table.columns) headings.push_back(c.heading);
  EXPECT_EQ(headings, (std::vector<std::string>{"Requirement", "Target", "Achieved", "Worst Case",
                                                "Result"}));
  // Every table's columns share its whole width.
  std::vector<const ReportTable*> tables = {&table};
  for (const ReportTable& t : report.design) tables.push_back(&t);
  for (const ReportTable& t : report.details) tables.push_back(&t);
  for (const ReportTable* t : tables) {
    double shares = 0;
    for (const TableColumn& c : t->columns) shares += c.width;
    EXPECT_NEAR(shares, 1.0, 1e-9) << t->heading;
  }

  const TableRow& rise = table.rows[static_cast<std::size_t>(CheckKind::TemperatureRise)];
  EXPECT_EQ(rise.cells[0], "Temperature rise (\u00b0C)");
  EXPECT_EQ(rise.cells[1], "5.00");
  EXPECT_EQ(rise.cells[4], "FAIL");
  EXPECT_TRUE(rise.failed);
  EXPECT_FALSE(rise.note.empty());
  const TableRow& full_load = table.rows[static_cast<std::size_t>(CheckKind::FullLoadInductance)];
  EXPECT_EQ(full_load.cells[0], "Inductance at full load (\u00b5H)");
  EXPECT_EQ(full_load.cells[1], "100.00");
  EXPECT_EQ(full_load.cells[4], "pass");
  for (const TableRow& row : table.rows) {
    EXPECT_EQ(row.cells.size(), table.columns.size());
    EXPECT_EQ(row.failed, row.cells[4] == "FAIL");
  }
}

TEST_F(EngineeringReportTest, DesignTablesShowTheWindowsFiguresAndTheChartTheFullLoadLine) {
  frm_.Calculate();
  const WindowModel& w = frm_.Model();
  const EngineeringReport report = BuildEngineeringReport(frm_, "", {});
  std::vector<std::string> headings;
  for (const ReportTable& t : report.design) headings.push_back(t.heading);
  EXPECT_EQ(headings, (std::vector<std::string>{"Core", "Winding", "Losses", "Temperature Rise"}));
  const std::vector<std::pair<std::string, std::string>> figures = {
      {"Part Number", "T1000A2"},
      {"Number of Turns", "31"},
      {"Permeability", "60"},
      {"Material", "Velmax"},
      {"Stacked Cores", "1"},
      {"Ambient Temperature", "20"},
      {"Total Losses (mW)", w.total_loss.text},
      {"Temperature Rise (degrees C)", w.temp_rise.text},
      {"Wound Core Dimensions (in)", w.wound_dimensions.text},
  };
  for (const auto& [label, value] : figures) EXPECT_EQ(Figure(report, label), value) << label;

  ASSERT_TRUE(report.chart);
  const auto line = std::find_if(report.chart->series.begin(), report.chart->series.end(),
                                 [](const CurveSeries& s) { return s.name == "Full Load L"; });
  ASSERT_NE(line, report.chart->series.end());
  ASSERT_EQ(line->y.size(), report.chart->xs.size());
  EXPECT_TRUE(std::all_of(line->y.begin(), line->y.end(), [](double y) { return y == 100.0; }))
      << "the start-up Full Load L";
  EXPECT_FALSE(report.chart->marks.empty()) << "the operating points";
}

// The inputs, options, date and worst case follow as tables of label and
// value, each section its own.
TEST_F(EngineeringReportTest, DetailsAreTheInputsOptionsDateAndWorstCase) {
  frm_.Calculate();
  frm_.Model().design_file = "/designs/choke.tov";
  const EngineeringReport report = BuildEngineeringReport(frm_, "2024-05-06 09:30", {});
  std::vector<std::string> headings;
  for (const ReportTable& t : report.details) headings.push_back(t.heading);
  EXPECT_EQ(headings, (std::vector<std::string>{"Design Inputs", "Options", "", "Worst Case"}));
  using Row = std::pair<std::string, std::string>;
  const auto row = [&](std::size_t table, std::size_t index) {
    const auto& cells = report.details.at(table).rows.at(index).cells;
    return Row(cells.at(0), cells.at(1));
  };
  EXPECT_EQ(row(0, 0), Row("DC Current (A)", "10"));
  EXPECT_EQ(report.details[0].rows.size(), 7u) << "the seven inputs";
  EXPECT_EQ(row(1, 0), Row("Material", "Velmax"));
  EXPECT_EQ(row(2, 0), Row("Date", "2024-05-06 09:30"));
  EXPECT_EQ(row(2, 1), Row("Design File", "choke.tov"));
  const std::size_t last = report.details[3].rows.size() - 1;
  EXPECT_EQ(row(3, last).second, "") << "the closing remark is a row of its own";
  EXPECT_TRUE(row(3, last).first.starts_with("The design above is nominal"));
}

}  // namespace
}  // namespace tov

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
#include "window_fixture.h"

namespace tov {
namespace {

using Texts = std::vector<std::string>;
using Row = std::pair<std::string, std::string>;

// The headings of tables or of columns.
template <class Items>
Texts Headings(const Items& items) {
  Texts headings;
  for (const auto& item : items) headings.push_back(item.heading);
  return headings;
}

class EngineeringReportTest : public ::testing::Test {
 protected:
  EngineeringReportTest() { testing::PutCore(cores_, 396, {}); }
  static std::string Entry(const EngineeringReport& report, const std::string& label) {
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
  testing::StartUpWindow window_{cores_};
  DesignController& frm_ = window_.form;
};

// The file's name without its folder, the program's version as the build
// names it, the fingerprint of the core database; before a design only the
// title block and the inputs have content.
TEST_F(EngineeringReportTest, TitleBlockNamesTheDesignAndWhoMadeIt) {
  const EngineeringReport before = BuildEngineeringReport(frm_, "2024-05-06 09:30", {});
  EXPECT_EQ(before.title, "Corvane DC Inductor Design");
  EXPECT_TRUE(before.requirements.rows.empty());
  EXPECT_FALSE(before.chart);
  EXPECT_EQ(Entry(before, "Design file"), "not saved");
  EXPECT_EQ(Figure(before, "Part Number"), "");
  EXPECT_FALSE(before.details.empty());

  frm_.Calculate();
  const std::string folder = ::testing::TempDir() + "report folder";
  std::filesystem::create_directories(folder);
  frm_.Model().design_file = folder + "/filter choke.tov";
  const EngineeringReport report =
      BuildEngineeringReport(frm_, "2024-05-06 09:30", {"Buck 48 V", "A. Engineer"});
  const Row expected[] = {{"Project", "Buck 48 V"},
                          {"Designed by", "A. Engineer"},
                          {"Design file", "filter choke.tov"},
                          {"Date", "2024-05-06 09:30"},
                          {"Program", "Corvane Inductor Design 1.0"}};
  for (const auto& [label, value] : expected) EXPECT_EQ(Entry(report, label), value) << label;
  EXPECT_TRUE(Entry(report, "Core database").starts_with("fingerprint "));
  CoreTable other = cores_;
  other.Set(396, CoreColumn::AL, CoreCell::Number(136));
  testing::StartUpWindow other_window(other);
  EXPECT_NE(Entry(BuildEngineeringReport(other_window.form, "", {}), "Core database"),
            Entry(report, "Core database"));
}

TEST_F(EngineeringReportTest, RequirementTableHoldsEveryCheckWithItsFailureReason) {
  frm_.Model().allowable_rise.text = "5";  // the fixture core runs about 17 degrees warm
  frm_.DesignSelectedCore(396);
  const EngineeringReport report = BuildEngineeringReport(frm_, "", {});
  const auto& table = report.requirements;
  ASSERT_EQ(table.rows.size(), kCheckTable.size());
  EXPECT_EQ(Headings(table.columns),
            (Texts{"Requirement", "Target", "Achieved", "Worst Case", "Result"}));
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
  EXPECT_EQ(rise.cells,
            (Texts{"Temperature rise (\u00b0C)", "5.00", rise.cells[2], rise.cells[3], "FAIL"}));
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

// The design's tables show the window's figures, the details follow as
// tables of label and value (inputs, options, date, worst case) and the chart
// has the start-up Full Load L as a line besides the operating points.
TEST_F(EngineeringReportTest, TablesShowTheWindowsFiguresAndTheChartTheFullLoadLine) {
  frm_.Calculate();
  frm_.Model().design_file = "/designs/choke.tov";
  const WindowModel& w = frm_.Model();
  const EngineeringReport report = BuildEngineeringReport(frm_, "2024-05-06 09:30", {});
  EXPECT_EQ(Headings(report.design), (Texts{"Core", "Winding", "Losses", "Temperature Rise"}));
  const Row figures[] = {{"Part Number", "T1000A2"},
                         {"Number of Turns", "31"},
                         {"Permeability", "60"},
                         {"Material", "Velmax"},
                         {"Stacked Cores", "1"},
                         {"Ambient Temperature", "20"},
                         {"Total Losses (mW)", w.total_loss.text},
                         {"Temperature Rise (degrees C)", w.temp_rise.text},
                         {"Wound Core Dimensions (in)", w.wound_dimensions.text}};
  for (const auto& [label, value] : figures) EXPECT_EQ(Figure(report, label), value) << label;

  EXPECT_EQ(Headings(report.details), (Texts{"Design Inputs", "Options", "", "Worst Case"}));
  const auto row = [&](std::size_t table, std::size_t index) {
    const auto& cells = report.details.at(table).rows.at(index).cells;
    return Row(cells.at(0), cells.at(1));
  };
  EXPECT_EQ(row(0, 0), Row("DC Current (A)", "10"));
  EXPECT_EQ(report.details[0].rows.size(), 7u) << "the seven inputs";
  EXPECT_EQ(row(1, 0), Row("Material", "Velmax"));
  EXPECT_EQ(row(2, 0), Row("Date", "2024-05-06 09:30"));
  EXPECT_EQ(row(2, 1), Row("Design File", "choke.tov"));
  const Row closing = row(3, report.details[3].rows.size() - 1);
  EXPECT_TRUE(closing.first.starts_with("The design above is nominal"));
  EXPECT_EQ(closing.second, "") << "the closing remark is a row of its own";

  ASSERT_TRUE(report.chart);
  const auto& series = report.chart->series;
  const auto line = std::find_if(series.begin(), series.end(),
                                 [](const CurveSeries& s) { return s.name == "Full Load L"; });
  ASSERT_NE(line, series.end());
  EXPECT_EQ(line->y, std::vector<double>(report.chart->xs.size(), 100.0));
  EXPECT_FALSE(report.chart->marks.empty());
}

}  // namespace
}  // namespace tov

#include "io/report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tov {
namespace {

// Each line of the report as "column:text|column:text", a blank line as "".
std::vector<std::string> Items(const ReportDocument& report) {
  std::vector<std::string> out;
  for (const ReportLine& line : report.lines) {
    std::string text;
    for (const ReportItem& item : line.items) {
      text += (text.empty() ? "" : "|") + std::to_string(item.column) + ":" + item.text;
    }
    out.push_back(text);
  }
  return out;
}

bool HasLine(const WindowModel& window, const std::string& items) {
  for (const std::string& line : Items(BuildReport(window))) {
    if (line == items) return true;
  }
  return false;
}

WindowModel ToroidDesign() {
  WindowModel w;
  ApplyStartupDefaults(w);
  w.txtPN.text = "C055863A2";
  w.txtWire.text = "18";
  w.txtBobbin.text = "TX-Q2507-4A";
  w.txtDim.text = "1.020 x 0.512";
  w.txtLOutnl.text = "148.90";
  w.txtPtot.text = "2220.5";
  w.state.TotalLoss = 2220.5f;
  return w;
}

TEST(Report, RightAfterStartEveryValueIsEmptyAndTheLayoutIsFixed) {
  WindowModel window;
  ApplyStartupDefaults(window);
  const ReportDocument report = BuildReport(window);
  EXPECT_EQ(report.font_size_points, 12);
  for (std::size_t i = 0; i < report.lines.size(); ++i) EXPECT_EQ(report.lines[i].bold, i == 0);
  const std::vector<std::string> expected = {
      "      Corvane DC Inductor Design",
      "",
      "Part Number:                 ",
      "Permeability:                ",
      "Inductance Factor:            mH/1000 Turns",
      "Core Area (sq cm):           ",
      "Path Length (cm):            ",
      "Turns:                       ",
      "Wire Size:                   # AWG",
      "DC Resistance:                Ohms",
      "Header P/N:                  ",
      "Wound Core Dimensions:        (in inches)",
      "",
      "Inductance (full load, µH):  ",
      "Inductance (no load, µH): ",
      "Core Losses (mW):            ",
      "Copper Losses (mW):          ",
      "Total Losses (mW):           ",
      "Temp. Rise (degrees C):      ",
  };
  EXPECT_EQ(RenderReportText(report), expected);
}

TEST(Report, CopiesTheFieldsWithTheNoLoadValueRightAfterItsLabel) {
  WindowModel w = ToroidDesign();
  EXPECT_TRUE(HasLine(w, "1:Part Number: |30:C055863A2"));
  EXPECT_TRUE(HasLine(w, "1:Wire Size: |30:#18 AWG"));
  EXPECT_TRUE(HasLine(w, "1:Header P/N: |30:TX-Q2507-4A"));
  EXPECT_TRUE(HasLine(w, "1:Wound Core Dimensions: |30:1.020 x 0.512 (in inches)"));
  EXPECT_TRUE(HasLine(w, "1:Inductance (no load, µH): |0:148.90"));
  w.state.Strands = 3;
  w.state.UnitsFactor = 25.4f;
  w.txtDim.text = "25.9 x 13.0";
  EXPECT_TRUE(HasLine(w, "1:Wire Size: |30:3 strands of #12 AWG"));
  EXPECT_TRUE(HasLine(w, "1:Wound Core Dimensions: |30:25.9 x 13.0 (in mm)"));
}

TEST(Report, SingleLayerAddsItsLineAndABlankLineAfterTheTitle) {
  WindowModel w = ToroidDesign();
  w.mnuSingleLayer = true;
  const std::vector<std::string> items = Items(BuildReport(w));
  ASSERT_EQ(items.size(), BuildReport(ToroidDesign()).lines.size() + 2);
  EXPECT_EQ(items[2], "8:Single Layer Winding Inductor");
  EXPECT_EQ(items[3], "");
  EXPECT_EQ(items[4], "1:Part Number: |30:C055863A2");
}

TEST(Report, HeaderLineFollowsMaterialAndHeaderText) {
  WindowModel w = ToroidDesign();
  const std::size_t with_header = BuildReport(w).lines.size();
  w.txtBobbin.text = "None Available";
  EXPECT_EQ(BuildReport(w).lines.size(), with_header - 1);
  w.material = Material::VelmaxE;
  EXPECT_TRUE(HasLine(w, "1:Bobbin P/N: |30:None Available"));
  w.txtBobbin.text = "B-1234";
  EXPECT_TRUE(HasLine(w, "1:Bobbin P/N: |30:B-1234"));
  EXPECT_EQ(BuildReport(w).lines.size(), with_header);
}

TEST(Report, LossLabelsSwitchToWattsAtTenThousandMilliwatts) {
  for (const auto& [TotalLoss, unit] : {std::pair{9999.9f, "mW"}, std::pair{10000.0f, "W"}}) {
    WindowModel w = ToroidDesign();
    w.state.TotalLoss = TotalLoss;
    const std::string label = std::string("Losses (") + unit + "): ";
    EXPECT_TRUE(HasLine(w, "1:Core " + label + "|30:")) << TotalLoss;
    EXPECT_TRUE(HasLine(w, "1:Copper " + label + "|30:")) << TotalLoss;
    EXPECT_TRUE(HasLine(w, "1:Total " + label + "|30:2220.5")) << TotalLoss;
  }
}

TEST(Report, TooLargeResultPrintsItsTexts) {
  WindowModel w;
  ApplyStartupDefaults(w);
  w.txtPN.text = "Too Large";
  w.txtLOutfl.text = w.txtLOutnl.text = "N/A";
  EXPECT_TRUE(HasLine(w, "1:Part Number: |30:Too Large"));
  EXPECT_TRUE(HasLine(w, "1:Inductance (full load, µH): |30:N/A"));
  EXPECT_TRUE(HasLine(w, "1:Inductance (no load, µH): |0:N/A"));
}

TEST(ReportText, ColumnsCountCharactersAndATooLongTextGetsOneBlank) {
  ReportDocument report;
  report.lines = {{false, {{1, "ab"}, {5, "cd"}}},
                  {false, {{1, "µµµ"}, {5, "x"}}},
                  {false, {{1, "abcdef"}, {5, "x"}}},
                  {false, {{1, "abcd"}, {5, "x"}, {0, "y"}}},
                  {false, {{3, "z"}}},
                  {}};
  const std::vector<std::string> expected = {"ab  cd", "µµµ x", "abcdef x", "abcdxy", "  z", ""};
  EXPECT_EQ(RenderReportText(report), expected);
}

}  // namespace
}  // namespace tov

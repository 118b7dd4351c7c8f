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
      if (!text.empty()) text += "|";
      text += std::to_string(item.column) + ":" + item.text;
    }
    out.push_back(text);
  }
  return out;
}

bool HasLine(const ReportDocument& report, const std::string& items) {
  for (const std::string& line : Items(report)) {
    if (line == items) return true;
  }
  return false;
}

bool HasLabel(const ReportDocument& report, const std::string& label) {
  for (const std::string& line : Items(report)) {
    if (line.rfind("1:" + label, 0) == 0) return true;
  }
  return false;
}

WindowModel StartupWindow() {
  WindowModel window;
  ApplyStartupDefaults(window);
  return window;
}

WindowModel ToroidDesign() {
  WindowModel w = StartupWindow();
  w.txtPN.text = "C055863A2";
  w.txtPerm.text = "125";
  w.txtAL.text = "68";
  w.txtAe.text = "0.226";
  w.txtle.text = "5.09";
  w.txtTurns.text = "38";
  w.txtWire.text = "18";
  w.txtDCR.text = "0.021";
  w.txtBobbin.text = "TX-Q2507-4A";
  w.txtDim.text = "1.020 x 0.512";
  w.txtLOutfl.text = "101.23";
  w.txtLOutnl.text = "148.90";
  w.txtPfe.text = "120.5";
  w.txtPcu.text = "2100.0";
  w.txtPtot.text = "2220.5";
  w.txtTrise.text = "31.2";
  w.state.TotalLoss = 2220.5f;
  return w;
}

TEST(Report, RightAfterStartEveryValueIsEmptyAndTheLayoutIsFixed) {
  const ReportDocument report = BuildReport(StartupWindow());
  EXPECT_EQ(report.font_size_points, 12);
  ASSERT_FALSE(report.lines.empty());
  EXPECT_TRUE(report.lines[0].bold);
  for (std::size_t i = 1; i < report.lines.size(); ++i) EXPECT_FALSE(report.lines[i].bold);

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

TEST(Report, ADesignIsCopiedFromTheFieldsWithTheNoLoadValueRightAfterItsLabel) {
  const std::vector<std::string> lines = RenderReportText(BuildReport(ToroidDesign()));
  const std::vector<std::string> expected = {
      "      Corvane DC Inductor Design",
      "",
      "Part Number:                 C055863A2",
      "Permeability:                125",
      "Inductance Factor:           68 mH/1000 Turns",
      "Core Area (sq cm):           0.226",
      "Path Length (cm):            5.09",
      "Turns:                       38",
      "Wire Size:                   #18 AWG",
      "DC Resistance:               0.021 Ohms",
      "Header P/N:                  TX-Q2507-4A",
      "Wound Core Dimensions:       1.020 x 0.512 (in inches)",
      "",
      "Inductance (full load, µH):  101.23",
      "Inductance (no load, µH): 148.90",
      "Core Losses (mW):            120.5",
      "Copper Losses (mW):          2100.0",
      "Total Losses (mW):           2220.5",
      "Temp. Rise (degrees C):      31.2",
  };
  EXPECT_EQ(lines, expected);
}

TEST(Report, SingleLayerAddsItsLineAndABlankLineAfterTheTitle) {
  WindowModel w = ToroidDesign();
  w.mnuSingleLayer = true;
  const std::vector<std::string> items = Items(BuildReport(w));
  ASSERT_GE(items.size(), 5u);
  EXPECT_EQ(items[1], "");
  EXPECT_EQ(items[2], "8:Single Layer Winding Inductor");
  EXPECT_EQ(items[3], "");
  EXPECT_EQ(items[4], "1:Part Number: |30:C055863A2");
  EXPECT_EQ(items.size(), BuildReport(ToroidDesign()).lines.size() + 2);
}

TEST(Report, HeaderLineFollowsMaterialAndHeaderText) {
  WindowModel toroid = ToroidDesign();
  toroid.txtBobbin.text = "None Available";
  EXPECT_FALSE(HasLabel(BuildReport(toroid), "Header P/N: "));
  EXPECT_FALSE(HasLabel(BuildReport(toroid), "Bobbin P/N: "));

  toroid.txtBobbin.text = "None available";
  EXPECT_TRUE(HasLine(BuildReport(toroid), "1:Header P/N: |30:None available"));

  WindowModel ecore = ToroidDesign();
  ecore.material = Material::VelmaxE;
  ecore.txtBobbin.text = "B-1234";
  EXPECT_TRUE(HasLine(BuildReport(ecore), "1:Bobbin P/N: |30:B-1234"));
  EXPECT_FALSE(HasLabel(BuildReport(ecore), "Header P/N: "));
  ecore.txtBobbin.text = "None Available";
  EXPECT_TRUE(HasLine(BuildReport(ecore), "1:Bobbin P/N: |30:None Available"));
}

TEST(Report, LossLabelsSwitchToWattsAtTenThousandMilliwatts) {
  struct Case {
    float TotalLoss;
    const char* unit;
  };
  for (const Case c :
       {Case{0.0f, "mW"}, Case{9999.9f, "mW"}, Case{10000.0f, "W"}, Case{25000.0f, "W"}}) {
    WindowModel w = ToroidDesign();
    w.state.TotalLoss = c.TotalLoss;
    const ReportDocument report = BuildReport(w);
    const std::string unit = std::string("(") + c.unit + "): ";
    EXPECT_TRUE(HasLine(report, "1:Core Losses " + unit + "|30:120.5")) << c.TotalLoss;
    EXPECT_TRUE(HasLine(report, "1:Copper Losses " + unit + "|30:2100.0")) << c.TotalLoss;
    EXPECT_TRUE(HasLine(report, "1:Total Losses " + unit + "|30:2220.5")) << c.TotalLoss;
  }
}

TEST(Report, WireLineShowsStrandsOfGaugeTwelve) {
  WindowModel w = ToroidDesign();
  w.state.Strands = 3;
  w.txtWire.text = "3 x #12";
  EXPECT_TRUE(HasLine(BuildReport(w), "1:Wire Size: |30:3 strands of #12 AWG"));
}

TEST(Report, MillimetresChangeTheDimensionsUnit) {
  WindowModel w = ToroidDesign();
  w.state.UnitsFactor = 25.4f;
  w.txtDim.text = "25.9 x 13.0";
  EXPECT_TRUE(HasLine(BuildReport(w), "1:Wound Core Dimensions: |30:25.9 x 13.0 (in mm)"));
}

TEST(Report, TooLargeResultPrintsItsTexts) {
  WindowModel w = ToroidDesign();
  for (TextBox* box : {&w.txtID, &w.txtOD, &w.txtHt, &w.txtAe, &w.txtle, &w.txtPerm, &w.txtAL,
                       &w.txtBobbin, &w.txtRollOff, &w.txtTurns, &w.txtWire, &w.txtK, &w.txtDim,
                       &w.txtDCR, &w.txtPfe, &w.txtPcu, &w.txtPtot, &w.txtTrise}) {
    box->text.clear();
  }
  w.txtPN.text = "Too Large";
  w.txtLOutfl.text = "N/A";
  w.txtLOutnl.text = "N/A";
  const ReportDocument report = BuildReport(w);
  EXPECT_TRUE(HasLine(report, "1:Part Number: |30:Too Large"));
  EXPECT_TRUE(HasLine(report, "1:Inductance (full load, µH): |30:N/A"));
  EXPECT_TRUE(HasLine(report, "1:Inductance (no load, µH): |0:N/A"));
  EXPECT_TRUE(HasLine(report, "1:Header P/N: |30:"));
  EXPECT_TRUE(HasLine(report, "1:Wire Size: |30:# AWG"));
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

#include "ui/logic/report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tov {
namespace {

TEST(Report, RightAfterStartEveryValueIsEmptyAndTheLayoutIsFixed) {
  WindowModel window;
  ApplyStartupDefaults(window);
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
  EXPECT_EQ(RenderReportText(BuildReport(window)), expected);
}

// Two windows between them show every optional line and label: the header
// line left out for "None Available" (the bobbin line kept), strands, the
// single-layer line, millimetres and watts; the no-load value follows its label.
TEST(Report, LinesFollowTheDesignShownAndItsOptions) {
  WindowModel w;
  ApplyStartupDefaults(w);
  w.l_no_load.text = "N/A";
  w.mount_part_number.text = "None Available";
  w.wire.text = "18";
  w.state.total_loss_mw = 9999.9f;
  std::vector<std::string> text = RenderReportText(BuildReport(w));
  ASSERT_EQ(text.size(), 18u);
  EXPECT_EQ(text[8], "Wire Size:                   #18 AWG");
  EXPECT_EQ(text[10], "Wound Core Dimensions:        (in inches)");
  EXPECT_EQ(text[13], "Inductance (no load, µH): N/A");
  EXPECT_EQ(text[14], "Core Losses (mW):            ");

  w.material = Material::VelmaxE;
  w.single_layer = true;
  w.state.total_loss_mw = 10000.0f;
  w.state.strands = 3;
  w.state.metric = true;
  w.wound_dimensions.text = "25.9 x 13.0";
  text = RenderReportText(BuildReport(w));
  ASSERT_EQ(text.size(), 21u);
  EXPECT_EQ(text[2], "       Single Layer Winding Inductor");
  EXPECT_EQ(text[10], "Wire Size:                   3 strands of #12 AWG");
  EXPECT_EQ(text[12], "Bobbin P/N:                  None Available");
  EXPECT_EQ(text[13], "Wound Core Dimensions:       25.9 x 13.0 (in mm)");
  EXPECT_EQ(text[19], "Total Losses (W):            ");
}

}  // namespace
}  // namespace tov

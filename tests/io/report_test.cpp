#include "ui/logic/report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/logic/report_inputs.h"

namespace tov {
namespace {

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
  EXPECT_EQ(text[0], "      Corvane DC Inductor Design");
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

TEST(ReportInputs, ListsTheInputsTheOptionsTheDateAndTheFile) {
  WindowModel w;
  ApplyStartupDefaults(w);
  w.dc_current.text = "12.5";
  w.material = Material::HF;
  w.state.stack_count = 3;
  SetAmbientTemp(w.state, 45.5f);
  w.single_layer = true;
  w.full_load_l_max = false;
  w.state.metric = true;
  const std::vector<std::string> text =
      RenderReportText(BuildInputsReport(w, "2024-05-06 09:30", "filter.tov"));
  ASSERT_EQ(text.size(), 19u);
  const std::pair<std::size_t, const char*> lines[] = {
      {0, "Design Inputs"},
      {1, "DC Current (A):                    12.5"},
      {5, "Full Load L (\u00b5H):                  100"},
      {7, "Temperature Rise:                  35"},
      {9, "Options"},
      {10, "Material:                          High Flux"},
      {11, "Stacked Cores:                     3"},
      {12, "Ambient Temperature (degrees C):   45.5"},
      {13, "Single Layer Choke:                Yes"},
      {14, "Full Load L Maximum:               No"},
      {15, "Dimensions:                        Metric (mm)"},
      {17, "Date:                              2024-05-06 09:30"},
      {18, "Design File:                       filter.tov"}};
  for (const auto& [index, line] : lines) EXPECT_EQ(text[index], line);
  EXPECT_EQ(RenderReportText(BuildInputsReport(w, "2024-05-06 09:30", "")).size(), 18u);
}

}  // namespace
}  // namespace tov

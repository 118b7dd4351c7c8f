#include "ui/logic/report_inputs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/logic/report.h"

namespace tov {
namespace {

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
  const std::vector<std::string> expected = {
      "Design Inputs",
      "DC Current (A):                    12.5",
      "Ripple Current (Amps peak-peak):   2",
      "Frequency (kHz):                   100",
      "Current Density (A/sq cm):         600",
      "Full Load L (\u00b5H):                  100",
      "No Load L (\u00b5H):                    150",
      "Temperature Rise:                  35",
      "",
      "Options",
      "Material:                          High Flux",
      "Stacked Cores:                     3",
      "Ambient Temperature (degrees C):   45.5",
      "Single Layer Choke:                Yes",
      "Full Load L Maximum:               No",
      "Dimensions:                        Metric (mm)",
      "",
      "Date:                              2024-05-06 09:30",
      "Design File:                       filter.tov",
  };
  EXPECT_EQ(RenderReportText(BuildInputsReport(w, "2024-05-06 09:30", "filter.tov")), expected);
  const ReportDocument unsaved = BuildInputsReport(w, "2024-05-06 09:30", "");
  EXPECT_EQ(RenderReportText(unsaved).back(),
            "Date:                              2024-05-06 09:30");
}

}  // namespace
}  // namespace tov

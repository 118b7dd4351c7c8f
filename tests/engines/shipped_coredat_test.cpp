// The engines on the core database the program ships with.

#include <gtest/gtest.h>

#include <string>

#include "engines/automatic_selection.h"
#include "engines/selected_core.h"
#include "state/core_table_loader.h"
#include "state/number_text.h"
#include "support/scripted_ui.h"

namespace tov {
namespace {

using testing::ScriptedUi;

const CoreTable& ShippedCores() {
  static const CoreTableLoad load = LoadCoreTable(TOV_SOURCE_DIR "/data/coredat");
  if (!load.table) ADD_FAILURE() << load.error;
  static const CoreTable empty;
  return load.table ? *load.table : empty;
}

double Shown(const TextBox& field) {
  return ParseNumber(field.text).value_or(-1);
}

class ShippedCoredatTest : public ::testing::TestWithParam<Material> {};

// The start-up inputs: 10 A with 2 A ripple at 100 kHz, 100 uH at full load,
// at most 150 uH at no load, 600 A/sq cm, 35 deg C rise.
TEST_P(ShippedCoredatTest, StartupInputsGiveADesignThatMeetsThem) {
  WindowModel window;
  ApplyStartupDefaults(window);
  window.material = GetParam();
  ScriptedUi ui;
  cmdCalculate_Click({window, ShippedCores(), ui});

  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(SectionOf(GetParam()).HoldsCore(window.state.CoreIdx)) << window.state.CoreIdx;
  EXPECT_GE(Shown(window.txtLOutfl), 100.0) << window.txtPN.text;
  EXPECT_LE(Shown(window.txtLOutnl), 150.0) << window.txtPN.text;
  EXPECT_GE(Shown(window.txtTrise), 0.0) << window.txtPN.text;
  EXPECT_LE(Shown(window.txtTrise), 35.0) << window.txtPN.text;
  const double fill_limit = IsECore(GetParam()) ? 0.804 : 0.48;  // 1.2 x the window factor
  EXPECT_LE(Shown(window.txtK), fill_limit) << window.txtPN.text;
  EXPECT_EQ(window.txtWire.text, "15");
}

// Every core of the material can be picked: the design ends, asks nothing
// and shows its result, or says that the winding cannot be wound on it (the
// smallest cores with the start-up current).
TEST_P(ShippedCoredatTest, EveryCoreCanBeDesignedOn) {
  const MaterialSection section = SectionOf(GetParam());
  for (int16_t row = section.first_row; row <= section.last_core_row; ++row) {
    WindowModel window;
    ApplyStartupDefaults(window);
    window.material = GetParam();
    ScriptedUi ui;
    DesignSelectedCore({window, ShippedCores(), ui}, row);
    EXPECT_TRUE(ui.inputs.empty());
    const bool cannot_wind = !ui.messages.empty() &&
                             ui.messages.back().text.find("cannot be wound") != std::string::npos;
    EXPECT_EQ(window.txtPN.text.empty(), cannot_wind) << row;
    EXPECT_EQ(window.state.DesignMode, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Materials, ShippedCoredatTest,
                         ::testing::Values(Material::MPP, Material::HF, Material::Velmax,
                                           Material::VelmaxE));

}  // namespace
}  // namespace tov

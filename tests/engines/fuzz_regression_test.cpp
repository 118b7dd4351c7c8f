// Inputs the fuzz targets found faults with, kept as ordinary tests.

#include <gtest/gtest.h>

#include "state/validation.h"
#include "support/scripted_ui.h"

namespace tov {
namespace {

using testing::ScriptedUi;

// A Full Load L no No Load L could exceed would ask for No Load L forever,
// offering "Inf"; beyond the 4-byte float range it is asked for again.
TEST(FuzzRegressionTest, FullLoadBeyondTheFloatRangeIsAskedForAgain) {
  WindowModel window;
  window.mnuLfl = true;
  window.txtLfl.text = "1.7e308";
  ScriptedUi ui;
  ui.answers = {"100"};
  ValidateInputs(window, ui);
  ASSERT_EQ(ui.inputs.size(), 1u);
  EXPECT_EQ(ui.inputs[0].default_answer, "100");
  EXPECT_EQ(window.txtLfl.text, "100");
}

TEST(FuzzRegressionTest, TheLargestFullLoadStillGetsAnAnswerThatPasses) {
  WindowModel window;
  window.mnuLfl = true;
  window.txtLfl.text = "3.4e38";
  ScriptedUi ui;
  ui.answers = {"5.1E+38"};
  ValidateInputs(window, ui);
  ASSERT_EQ(ui.inputs.size(), 1u);
  EXPECT_EQ(ui.inputs[0].default_answer, "5.1E+38");
}

}  // namespace
}  // namespace tov

// Inputs the fuzz targets found faults with, kept as ordinary tests.

#include <gtest/gtest.h>

#include "support/scripted_ui.h"
#include "ui/logic/validate_inputs.h"

namespace tov {
namespace {

using testing::ScriptedUi;

// Full Load L beyond the 4-byte float range, or below its smallest normal
// value, is asked for again: No Load L must exceed it as a float, and the
// answer the cross-check offers (1.5 times it: "Inf", or the same tiny float)
// never did, so a user taking it was asked forever.
class UnreachableFullLoadTest : public ::testing::TestWithParam<const char*> {};

TEST_P(UnreachableFullLoadTest, IsAskedForAgain) {
  WindowModel window;
  window.mnuLfl = true;
  window.txtLfl.text = GetParam();
  ScriptedUi ui;
  ui.answers = {"100"};
  ValidateInputs(window, ui);
  ASSERT_EQ(ui.inputs.size(), 1u);
  EXPECT_EQ(ui.inputs[0].default_answer, "100");
  EXPECT_EQ(window.txtLfl.text, "100");
}
INSTANTIATE_TEST_SUITE_P(FuzzRegressionTest, UnreachableFullLoadTest,
                         ::testing::Values("1.7e308", "1e-45", "1e-40"));

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

// Inputs the fuzz targets found faults with, kept as ordinary tests.

#include <gtest/gtest.h>

#include <tuple>

#include "support/scripted_ui.h"
#include "ui/logic/validate_inputs.h"

namespace tov {
namespace {

// Full Load L beyond the 4-byte float range, or below its smallest normal
// value, is asked for again: No Load L must exceed it as a float, and the
// answer the cross-check offers (1.5 times it: "Inf", or the same tiny float)
// never did, so a user taking it was asked forever. The largest float still
// gets an answer that passes.
TEST(FuzzRegressionTest, AFullLoadLNoNoLoadLCanExceedIsAskedForAgain) {
  for (auto [Lfl, answer, offered] : {std::tuple{"1.7e308", "100", "100"},
                                      {"1e-45", "100", "100"},
                                      {"1e-40", "100", "100"},
                                      {"3.4e38", "5.1E+38", "5.1E+38"}}) {
    WindowModel window;
    window.full_load_l_max = true;
    window.full_load_l.text = Lfl;
    testing::ScriptedUi ui;
    ui.answers = {answer};
    ValidateInputs(window, ui);
    ASSERT_EQ(ui.inputs.size(), 1u) << Lfl;
    EXPECT_EQ(ui.inputs[0].default_answer, offered) << Lfl;
  }
}

}  // namespace
}  // namespace tov

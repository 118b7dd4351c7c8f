#include <gtest/gtest.h>

#include <string>

#include "frm_tov_fixture.h"

namespace tov {
namespace {

using testing::FrmTovTest;
using testing::ShownMessage;

constexpr const char* kTempPrompt =
    "Please enter a value for the Ambient Temperature\r(value between -50 and 150, in degrees C)";

TEST_F(FrmTovTest, AmbientTemperatureAsksUntilANumber) {
  ui_.answers = {"abc", "", "45"};
  form_.mnuTemp_Click();
  ASSERT_EQ(ui_.inputs.size(), 3u);
  EXPECT_EQ(ui_.inputs[0].prompt, kTempPrompt);
  EXPECT_EQ(ui_.inputs[0].title, "Enter Ambient Temperature");
  EXPECT_EQ(ui_.inputs[0].default_answer, "20");
  for (int i : {1, 2}) {
    EXPECT_EQ(ui_.inputs[i].prompt,
              std::string("Ambient Temperature requires a numeric value.\r") + kTempPrompt);
    EXPECT_EQ(ui_.inputs[i].title, "Invalid Entry");
    EXPECT_EQ(ui_.inputs[i].default_answer, "20");
  }
  EXPECT_FLOAT_EQ(State().AmbientTemp, 45.0f);
  EXPECT_EQ(State().CuFactor, 1.09825f);
  EXPECT_TRUE(Window().txtPN.text.empty());  // takes effect at the next design
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(FrmTovTest, AmbientTemperatureRangeIsOnlyAdvice) {
  ui_.answers = {" -60 "};
  form_.mnuTemp_Click();
  EXPECT_FLOAT_EQ(State().AmbientTemp, -60.0f);
  ui_.answers = {"20"};
  form_.mnuTemp_Click();
  EXPECT_EQ(ui_.inputs[1].default_answer, "-60");
  EXPECT_EQ(State().CuFactor, 1.0f);
}

TEST_F(FrmTovTest, AmbientTemperatureBeyondAFloatChangesNothing) {
  ui_.answers = {"22.5"};
  form_.mnuTemp_Click();
  ui_.answers = {"1e39"};
  form_.mnuTemp_Click();
  EXPECT_EQ(ui_.inputs[1].default_answer, "22.5");
  EXPECT_FLOAT_EQ(State().AmbientTemp, 22.5f);
  EXPECT_FLOAT_EQ(State().CuFactor, 1.009825f);
}

TEST_F(FrmTovTest, StackDialogApplyThenCancelKeepsTheAppliedCount) {
  State().StackCount = 3;
  form_.mnuStack_Click();
  ASSERT_TRUE(form_.StackDialog());
  EXPECT_EQ(form_.StackDialog()->selected, 3);
  EXPECT_FALSE(Window().enabled);

  form_.optStack_Click(2);
  form_.cmdApply_Click();
  EXPECT_EQ(State().StackCount, 2);
  EXPECT_EQ(Window().txtPN.text.substr(0, 4), "(2x)");
  EXPECT_TRUE(form_.StackDialog());
  EXPECT_FALSE(Window().enabled);

  form_.cmdCancel_Click();
  EXPECT_FALSE(form_.StackDialog());
  EXPECT_TRUE(Window().enabled);
  EXPECT_EQ(State().StackCount, 2);
}

TEST_F(FrmTovTest, StackDialogOkAppliesAndCloses) {
  form_.mnuStack_Click();
  EXPECT_EQ(form_.StackDialog()->selected, 1);
  form_.optStack_Click(4);
  form_.cmdOK_Click();
  EXPECT_EQ(State().StackCount, 4);
  EXPECT_EQ(State().DesignMode, 0);
  EXPECT_EQ(Window().txtPN.text.substr(0, 4), "(4x)");
  EXPECT_FALSE(form_.StackDialog());
  EXPECT_TRUE(Window().enabled);
}

TEST_F(FrmTovTest, StackDialogCancelWithoutApplyChangesNothing) {
  form_.mnuStack_Click();
  form_.optStack_Click(5);
  form_.cmdCancel_Click();
  EXPECT_EQ(State().StackCount, 1);
  EXPECT_TRUE(Window().txtPN.text.empty());
  EXPECT_TRUE(Window().enabled);
}

TEST_F(FrmTovTest, StackCountWithoutAnOptionOpensOnOne) {
  State().StackCount = 7;  // possible only from a design file
  form_.mnuStack_Click();
  EXPECT_EQ(form_.StackDialog()->selected, 1);
}

TEST_F(FrmTovTest, ECoresCannotBeStacked) {
  Window().material = Material::VelmaxE;
  form_.mnuStack_Click();
  form_.optStack_Click(2);
  form_.cmdApply_Click();
  EXPECT_EQ(ui_.messages,
            (std::vector<ShownMessage>{
                {"Invalid Option",
                 "Only toroids (not E-Cores) may be \rstacked with this design program."}}));
  EXPECT_EQ(State().StackCount, 1);
  EXPECT_EQ(State().CoreIdx, 522);
}

TEST_F(FrmTovTest, FullLoadLMaximumTogglesAndReturnsToTheSearch) {
  form_.lstCores_Click(0);  // nothing happens: the list is hidden and empty
  form_.cmdSelCore_Click();
  form_.lstCores_Click(1);
  ASSERT_EQ(State().DesignMode, 1);
  ASSERT_FALSE(Window().mnuLfl);

  form_.mnuLfl_Click();
  EXPECT_TRUE(Window().mnuLfl);
  EXPECT_TRUE(Window().txtLnl.enabled);
  EXPECT_EQ(State().DesignMode, 0);
  EXPECT_EQ(State().CoreIdx, 396);

  form_.mnuLfl_Click();
  EXPECT_FALSE(Window().mnuLfl);
  EXPECT_FALSE(Window().txtLnl.enabled);
  EXPECT_EQ(State().CoreIdx, 395);  // without the ceiling the smaller core will do
}

TEST_F(FrmTovTest, SingleLayerTogglesAndIsRefusedForECores) {
  form_.mnuSingleLayer_Click();
  EXPECT_TRUE(Window().mnuSingleLayer);
  EXPECT_EQ(State().CoreIdx, 396);

  Window().material = Material::VelmaxE;
  Window().mnuSingleLayer = false;
  form_.mnuSingleLayer_Click();
  EXPECT_FALSE(Window().mnuSingleLayer);
  EXPECT_EQ(ui_.messages,
            (std::vector<ShownMessage>{
                {"Invalid Option",
                 "Only toroids (not E-Cores) may be \rspecified as single layer inductors."}}));
}

}  // namespace
}  // namespace tov

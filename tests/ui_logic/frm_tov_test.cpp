// The main window's handlers over a small core table, driven by a scripted user.

#include "ui/logic/frm_tov.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/core_fixture.h"
#include "support/scripted_ui.h"

namespace tov {
namespace {

using Titles = std::vector<std::string>;

// Velmax toroids AL 75 at row 395 (over the no-load ceiling of the start-up
// inputs, fine without it) and AL 135 at row 396; every other section holds a
// core in its first and last row, the E-core section in all of them.
CoreTable WindowTestTable() {
  CoreTable table = testing::EmptyCoreTable();
  testing::PutCore(table, 395, testing::VelmaxAL75());
  for (int row : {1, 250, 252, 393, 396, 520}) testing::PutCore(table, row, {});
  for (int row = 522; row <= 551; ++row) testing::PutCore(table, row, testing::VelmaxECore());
  return table;
}

class FrmTovTest : public ::testing::Test {
 protected:
  FrmTovTest() { ApplyStartupDefaults(Window()); }
  WindowModel& Window() { return form_.Model(); }
  DesignState& State() { return form_.Model().state; }

  CoreTable cores_ = WindowTestTable();
  testing::ScriptedUi ui_;
  FrmTov form_{cores_, ui_};
};

TEST_F(FrmTovTest, StartupShowsTheDisclaimerAndNoDesign) {
  form_.Startup();
  form_.mnuContents_Click();
  form_.mnuIndex_Click();
  EXPECT_EQ(ui_.MessageTitles(), Titles{"***CORVANE Disclaimer***"});
  EXPECT_EQ(ui_.help, (std::vector<HelpRequest>{HelpRequest::Contents, HelpRequest::Index}));
  EXPECT_TRUE(Window().txtPN.text.empty() && !form_.ShownDesign());
}

// The adapters show the engine's notices in order, then write what the run left.
TEST_F(FrmTovTest, EachEngineRunLeavesItsStateAndShowsItsNotices) {
  Window().material = Material::VelmaxE;
  State().StackCount = 3;
  Window().mnuSingleLayer = true;
  Window().txtTrise.background = kLightRed;
  form_.cmdCalculate_Click();
  EXPECT_EQ(ui_.MessageTitles(), (Titles{"Invalid Option", "Invalid Option"}));
  EXPECT_EQ(std::tuple(State().StackCount, Window().mnuSingleLayer, State().DesignMode),
            std::tuple(int16_t{1}, false, int16_t{0}));
  EXPECT_EQ(std::tuple(State().CoreIdx, Window().txtTrise.background, Window().txtLnl.enabled),
            std::tuple(int16_t{522}, kWhite, true));
  ASSERT_TRUE(form_.ShownDesign());
  EXPECT_EQ(State().TotalLoss, form_.ShownDesign()->Ptot);

  Window().txtTrise.background = kLightRed;
  State().LoadingDesign = 1;
  form_.DesignSelectedCore(523);
  EXPECT_EQ(std::tuple(State().DesignMode, State().LoadingDesign, Window().txtTrise.background),
            std::tuple(int16_t{1}, int16_t{0}, kWhite));  // 14.6 deg C of 35 allowed
  EXPECT_FALSE(Window().mnuLfl || Window().txtLnl.enabled);

  Window().txtLfl.text = "100000";  // nothing is large enough
  form_.cmdCalculate_Click();
  EXPECT_EQ(Window().txtPN.text, "Too Large");
  EXPECT_TRUE(form_.ShowsTooLarge() && !form_.ShownDesign());
}

TEST_F(FrmTovTest, ACoreThatCannotBeWoundKeepsTheDesignShown) {
  testing::PutCore(cores_, 396, {.PartNo = "TIGHT", .WindID = 0.1});
  Window().txtPN.text = "previous";
  State().Strands = 3;
  form_.DesignSelectedCore(396);
  EXPECT_EQ(ui_.MessageTitles(), Titles{"Core Window Too Small"});
  EXPECT_EQ(std::pair(Window().txtPN.text, State().Strands),
            std::pair(std::string("previous"), int16_t{3}));
}

TEST_F(FrmTovTest, UnitsSwitchRerunsTheEngineOfTheDesignShown) {
  form_.mnuDimMet_Click();  // no design yet: the search runs
  EXPECT_EQ(std::tuple(Window().mnuDimEng, State().CoreIdx, Window().txtOD.text),
            std::tuple(false, int16_t{396}, std::string("52.1")));
  EXPECT_EQ(Window().lblDim, "Wound Core Dimen. (mm)");
  form_.cmdSelCore_Click();
  form_.lstCores_Click(1);  // the AL 135 core, which the search without a ceiling passes by
  form_.mnuDimEng_Click();
  EXPECT_EQ(
      std::tuple(Window().mnuDimMet, State().DesignMode, State().CoreIdx, Window().txtOD.text),
      std::tuple(false, int16_t{1}, int16_t{396}, std::string("2.050")));
}

TEST_F(FrmTovTest, MaterialChangeRunsTheSearchOrRefillsTheVisibleList) {
  State().LoadingDesign = 1;  // a file is opening: no design
  form_.SelectMaterial(Material::HF);
  EXPECT_TRUE(Window().txtPN.text.empty());
  State().LoadingDesign = 0;
  form_.SelectMaterial(Material::HF);
  EXPECT_EQ(State().CoreIdx, 252);
  form_.cmdSelCore_Click();
  form_.SelectMaterial(Material::VelmaxE);
  EXPECT_EQ(State().CoreIdx, 252);
  EXPECT_EQ(Window().lstCores, std::vector<std::string>(30, "EC-2510  \u00b5 = 60"));
  EXPECT_EQ(Window().lblBobbin, "Bobbin Part Number");
}

// A line of the visible list designs its row; a hidden list or a line
// outside it does nothing.
TEST_F(FrmTovTest, ListPositionDesignsTheRowOfTheMaterial) {
  Window().material = Material::VelmaxE;
  form_.lstCores_Click(0);
  form_.cmdSelCore_Click();
  form_.lstCores_Click(-1);
  form_.lstCores_Click(30);
  EXPECT_EQ(std::pair(State().CoreIdx, Window().lstCores_visible), std::pair(int16_t{0}, true));
  form_.lstCores_Click(29);
  EXPECT_EQ(std::tuple(State().CoreIdx, State().DesignMode, Window().lstCores_visible),
            std::tuple(int16_t{551}, int16_t{1}, false));
}

// Below about -234.45 deg C copper would have no positive resistance.
TEST_F(FrmTovTest, AmbientTemperatureAsksUntilANumberAtWhichCopperConducts) {
  ui_.answers = {"abc", "", "45", "1e39", " -60 ", "-300", "x", "-234.46", "-234.45"};
  form_.mnuTemp_Click();
  EXPECT_EQ(State().CuFactor, 1.09825f);
  form_.mnuTemp_Click();  // beyond a float: nothing changes
  form_.mnuTemp_Click();  // the range in the prompt is advice only
  EXPECT_FLOAT_EQ(State().CuFactor, 0.6856f);
  EXPECT_TRUE(Window().txtPN.text.empty());  // takes effect at the next design
  form_.mnuTemp_Click();
  EXPECT_FLOAT_EQ(State().AmbientTemp, -234.45f);
  EXPECT_GT(State().CuFactor, 0.0f);

  const std::string prompt =
      "Please enter a value for the Ambient Temperature\r(value between -50 and 150, in degrees C)";
  const std::string retry = "Ambient Temperature requires a numeric value.\r" + prompt;
  const std::string title = "Enter Ambient Temperature";
  const std::string cold =
      "Ambient Temperature must be above -234.45 degrees C, where copper keeps a positive "
      "resistance.\r" +
      prompt;
  EXPECT_EQ(ui_.inputs, (std::vector<testing::AskedInput>{{prompt, title, "20"},
                                                          {retry, "Invalid Entry", "20"},
                                                          {retry, "Invalid Entry", "20"},
                                                          {prompt, title, "45"},
                                                          {prompt, title, "45"},
                                                          {prompt, title, "-60"},
                                                          {cold, "Invalid Entry", "-60"},
                                                          {retry, "Invalid Entry", "-60"},
                                                          {cold, "Invalid Entry", "-60"}}));
}

TEST_F(FrmTovTest, StackDialogAppliesOnApplyAndOkAndCancelKeepsTheApplied) {
  State().StackCount = 7;  // only from a design file: no option, opens on One
  form_.mnuStack_Click();
  EXPECT_EQ(std::pair(form_.StackDialog()->selected, Window().enabled),
            std::pair(int16_t{1}, false));
  form_.optStack_Click(2);
  form_.cmdApply_Click();
  EXPECT_EQ(Window().txtPN.text, "(2x)T0750A2");  // half the inductance per core
  form_.optStack_Click(5);
  form_.cmdCancel_Click();
  EXPECT_EQ(std::pair(State().StackCount, Window().enabled), std::pair(int16_t{2}, true));
  form_.mnuStack_Click();
  form_.optStack_Click(4);
  form_.cmdOK_Click();
  EXPECT_EQ(State().StackCount, 4);
  EXPECT_FALSE(form_.StackDialog());
}

TEST_F(FrmTovTest, TogglesRerunTheSearch) {
  form_.mnuLfl_Click();
  EXPECT_EQ(std::pair(Window().mnuLfl, State().CoreIdx), std::pair(false, int16_t{395}));
  form_.mnuSingleLayer_Click();  // one layer of 51 turns does not fit the AL 75 core's hole
  EXPECT_EQ(std::pair(Window().mnuSingleLayer, State().CoreIdx), std::pair(true, int16_t{396}));
}

}  // namespace
}  // namespace tov

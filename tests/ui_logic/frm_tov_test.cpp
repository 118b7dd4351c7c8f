// The main window's handlers over a small core table, driven by a scripted user.

#include "ui/logic/frm_tov.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "support/core_fixture.h"
#include "support/scripted_ui.h"

namespace tov {
namespace {

using Messages = std::vector<testing::ShownMessage>;

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

TEST_F(FrmTovTest, StartupAndHelpMenuBoxes) {
  FrmTov form(cores_, ui_);
  form.Startup();
  EXPECT_TRUE(form.Model().txtPN.text.empty());  // no design at start
  form_.mnuContents_Click();
  form_.mnuIndex_Click();
  EXPECT_EQ(ui_.help, (std::vector<HelpRequest>{HelpRequest::Contents, HelpRequest::Index}));
  form_.mnuAbout_Click();
  form_.mnuContact_Click();
  ASSERT_EQ(ui_.messages.size(), 3u);
  EXPECT_EQ(ui_.messages[0].title, "***CORVANE Disclaimer***");
  EXPECT_EQ(ui_.messages[1],
            (testing::ShownMessage{"About Inductor Design Using Powder Cores",
                                   "Corvane Inductor Design Using Powder Cores\r\rVersion 1.0"}));
  EXPECT_EQ(ui_.messages[2].title, "Contacting Corvane");
  EXPECT_TRUE(std::regex_match(
      ui_.messages[2].text, std::regex("Contact CORVANE Applications Engineering and Sales at:\r\r"
                                       "Phone: \\S[^\r]*555[^\r]*\rFax: {6}\\S[^\r]*555[^\r]*\r"
                                       "Email: {3}\\S+@example\\.com")));
}

TEST_F(FrmTovTest, UnitsSwitchRerunsTheEngineOfTheDesignShown) {
  form_.mnuDimMet_Click();  // no design yet: the search runs
  EXPECT_FALSE(Window().mnuDimEng);
  EXPECT_EQ(State().CoreIdx, 396);
  EXPECT_EQ(Window().txtOD.text, "52.1");
  EXPECT_EQ(Window().lblOD, "OD (mm, nominal)");
  EXPECT_EQ(Window().lblDim, "Wound Core Dimen. (mm)");

  form_.cmdSelCore_Click();
  EXPECT_EQ(Window().lstCores[0], "T0750A2 (OD = 2.050, 60\u00b5)");
  form_.lstCores_Click(1);  // the AL 135 core, which the search without a ceiling passes by
  form_.mnuDimEng_Click();
  EXPECT_FALSE(Window().mnuDimMet);
  EXPECT_EQ(State().DesignMode, 1);
  EXPECT_EQ(State().CoreIdx, 396);
  EXPECT_EQ(Window().txtOD.text, "2.050");
  EXPECT_EQ(Window().lblDim, "Wound Core Dimensions (in)");
}

TEST_F(FrmTovTest, MaterialChangeRunsTheSearchOrRefillsTheVisibleList) {
  State().LoadingDesign = 1;  // a file is opening: no design
  form_.SelectMaterial(Material::HF);
  EXPECT_TRUE(Window().txtPN.text.empty());
  State().LoadingDesign = 0;
  form_.SelectMaterial(Material::HF);
  EXPECT_EQ(State().CoreIdx, 252);
  EXPECT_EQ(Window().lblBobbin, "Recommended Header");

  form_.mnuDimMet_Click();
  form_.cmdSelCore_Click();
  form_.SelectMaterial(Material::VelmaxE);
  EXPECT_EQ(State().CoreIdx, 252);
  EXPECT_TRUE(Window().lstCores_visible);
  EXPECT_EQ(Window().lstCores, std::vector<std::string>(30, "EC-2510  \u00b5 = 60"));
  EXPECT_EQ(Window().lblBobbin, "Bobbin Part Number");
  EXPECT_EQ(Window().lblID, "Length of Core Set (mm)");
}

TEST_F(FrmTovTest, ListPositionDesignsTheRowOfTheMaterial) {
  form_.lstCores_Click(0);  // the list is hidden
  EXPECT_EQ(State().CoreIdx, 0);
  using Case = std::tuple<Material, int, int16_t>;  // material, list position, row
  for (auto [material, position, row] :
       {Case{Material::MPP, 0, 1}, Case{Material::MPP, 249, 250}, Case{Material::HF, 0, 252},
        Case{Material::HF, 141, 393}, Case{Material::Velmax, 0, 395},
        Case{Material::Velmax, 125, 520}, Case{Material::VelmaxE, 0, 522},
        Case{Material::VelmaxE, 29, 551}}) {
    Window().material = material;
    form_.cmdSelCore_Click();
    form_.lstCores_Click(position);
    EXPECT_EQ(State().CoreIdx, row);
    EXPECT_EQ(State().DesignMode, 1);
    EXPECT_FALSE(Window().lstCores_visible);
    EXPECT_FALSE(Window().txtPN.text.empty());
  }
  form_.cmdSelCore_Click();
  form_.lstCores_Click(-1);
  form_.lstCores_Click(30);
  EXPECT_EQ(State().CoreIdx, 551);
  EXPECT_TRUE(Window().lstCores_visible);
}

// Below about -234.45 deg C copper would have no positive resistance.
TEST_F(FrmTovTest, AmbientTemperatureAsksUntilANumberAtWhichCopperConducts) {
  ui_.answers = {"abc", "", "45", "1e39", " -60 ", "-300", "x", "-234.46", "-234.45"};
  form_.mnuTemp_Click();
  EXPECT_EQ(State().CuFactor, 1.09825f);
  form_.mnuTemp_Click();  // beyond a float: nothing changes
  form_.mnuTemp_Click();  // the range in the prompt is advice only
  EXPECT_FLOAT_EQ(State().AmbientTemp, -60.0f);
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
  EXPECT_EQ(form_.StackDialog()->selected, 1);
  EXPECT_FALSE(Window().enabled);
  form_.optStack_Click(5);
  form_.cmdCancel_Click();
  EXPECT_EQ(State().StackCount, 7);
  EXPECT_TRUE(Window().txtPN.text.empty());

  State().StackCount = 3;
  form_.mnuStack_Click();
  EXPECT_EQ(form_.StackDialog()->selected, 3);
  form_.optStack_Click(2);
  form_.cmdApply_Click();
  EXPECT_EQ(Window().txtPN.text, "(2x)T0750A2");  // half the inductance per core
  form_.cmdCancel_Click();
  EXPECT_EQ(State().StackCount, 2);
  EXPECT_TRUE(Window().enabled);

  form_.mnuStack_Click();
  form_.optStack_Click(4);
  form_.cmdOK_Click();
  EXPECT_EQ(State().StackCount, 4);
  EXPECT_FALSE(form_.StackDialog());
  EXPECT_TRUE(Window().enabled);

  Window().material = Material::VelmaxE;
  form_.mnuStack_Click();
  form_.cmdApply_Click();
  EXPECT_EQ(ui_.messages,
            (Messages{{"Invalid Option",
                       "Only toroids (not E-Cores) may be \rstacked with this design program."}}));
  EXPECT_EQ(State().StackCount, 1);
  EXPECT_EQ(State().CoreIdx, 522);
}

TEST_F(FrmTovTest, TogglesRerunTheSearch) {
  form_.cmdSelCore_Click();
  form_.lstCores_Click(1);
  ASSERT_FALSE(Window().mnuLfl);
  form_.mnuLfl_Click();
  EXPECT_EQ(State().DesignMode, 0);
  EXPECT_EQ(State().CoreIdx, 396);
  form_.mnuLfl_Click();
  EXPECT_FALSE(Window().mnuLfl);
  EXPECT_EQ(State().CoreIdx, 395);  // without the ceiling the smaller core will do

  form_.mnuSingleLayer_Click();
  EXPECT_TRUE(Window().mnuSingleLayer);
  EXPECT_EQ(State().CoreIdx, 396);  // one layer of 51 turns does not fit the AL 75 core's hole
}

}  // namespace
}  // namespace tov

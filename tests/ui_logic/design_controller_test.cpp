// The main window's handlers over a small core table, driven by a scripted user.

#include "ui/logic/design_controller.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "window_fixture.h"

namespace tov {
namespace {

using Titles = std::vector<std::string>;

class DesignControllerTest : public ::testing::Test {
 protected:
  WindowModel& Window() { return form_.Model(); }
  DesignState& State() { return form_.Model().state; }

  CoreTable cores_ = testing::SmallWindowTable();
  testing::StartUpWindow window_{cores_};
  testing::ScriptedUi& ui_ = window_.ui;
  DesignController& form_ = window_.form;
};

TEST_F(DesignControllerTest, StartupShowsTheDisclaimerAndNoDesign) {
  form_.Startup();
  form_.ShowHelpContents();
  form_.ShowHelpIndex();
  EXPECT_EQ(ui_.MessageTitles(), Titles{"***CORVANE Disclaimer***"});
  EXPECT_EQ(ui_.help, (std::vector<HelpRequest>{HelpRequest::Contents, HelpRequest::Index}));
  EXPECT_TRUE(Window().part_number.text.empty() && !form_.ShownDesign());
}

// The adapters show the engine's notices in order, then write what the run left.
TEST_F(DesignControllerTest, EachEngineRunLeavesItsStateAndShowsItsNotices) {
  Window().material = Material::VelmaxE;
  State().stack_count = 3;
  Window().single_layer = true;
  Window().temp_rise.background = kLightRed;
  form_.Calculate();
  EXPECT_EQ(ui_.MessageTitles(), (Titles{"Invalid Option", "Invalid Option"}));
  EXPECT_EQ(std::tuple(State().stack_count, Window().single_layer, State().design_mode),
            std::tuple(int16_t{1}, false, DesignMode::Automatic));
  EXPECT_EQ(std::tuple(State().core_row, Window().temp_rise.background, Window().no_load_l.enabled),
            std::tuple(int16_t{522}, kWhite, true));
  ASSERT_TRUE(form_.ShownDesign());
  EXPECT_EQ(State().total_loss_mw, form_.ShownDesign()->Ptot);

  Window().temp_rise.background = kLightRed;
  State().loading_design = true;
  form_.DesignSelectedCore(523);
  EXPECT_EQ(std::tuple(State().design_mode, State().loading_design, Window().temp_rise.background),
            std::tuple(DesignMode::SelectedCore, false, kWhite));  // 14.6 deg C of 35 allowed
  EXPECT_FALSE(Window().full_load_l_max || Window().no_load_l.enabled);

  Window().full_load_l.text = "100000";  // nothing is large enough
  form_.Calculate();
  EXPECT_EQ(Window().part_number.text, "Too Large");
  EXPECT_TRUE(form_.ShowsTooLarge() && !form_.ShownDesign());
}

TEST_F(DesignControllerTest, ACoreThatCannotBeWoundKeepsTheDesignShown) {
  testing::PutCore(cores_, 396, {.PartNo = "TIGHT", .WindID = 0.1});
  Window().part_number.text = "previous";
  State().strands = 3;
  form_.DesignSelectedCore(396);
  EXPECT_EQ(ui_.MessageTitles(), Titles{"Core Window Too Small"});
  EXPECT_EQ(std::pair(Window().part_number.text, State().strands),
            std::pair(std::string("previous"), int16_t{3}));
}

TEST_F(DesignControllerTest, UnitsSwitchRerunsTheEngineOfTheDesignShown) {
  form_.ShowMillimetres();  // no design yet: the search runs
  EXPECT_EQ(std::tuple(Window().inches, State().core_row, Window().core_od.text),
            std::tuple(false, int16_t{396}, std::string("52.1")));
  EXPECT_EQ(Window().wound_dimensions_caption, "Wound Core Dimen. (mm)");
  form_.ShowCoreList();
  form_.PickListedCore(1);  // the AL 135 core, which the search without a ceiling passes by
  form_.ShowInches();
  EXPECT_EQ(std::tuple(Window().millimetres, State().design_mode, State().core_row,
                       Window().core_od.text),
            std::tuple(false, DesignMode::SelectedCore, int16_t{396}, std::string("2.050")));
}

TEST_F(DesignControllerTest, MaterialChangeRunsTheSearchOrRefillsTheVisibleList) {
  State().loading_design = true;  // a file is opening: no design
  form_.SelectMaterial(Material::HF);
  EXPECT_TRUE(Window().part_number.text.empty());
  State().loading_design = false;
  form_.SelectMaterial(Material::HF);
  EXPECT_EQ(State().core_row, 252);
  form_.ShowCoreList();
  form_.SelectMaterial(Material::VelmaxE);
  EXPECT_EQ(State().core_row, 252);
  EXPECT_EQ(Window().core_list, std::vector<std::string>(30, "EC-2510  \u00b5 = 60"));
  EXPECT_EQ(Window().mount_caption, "Bobbin Part Number");
}

// A line of the visible list designs its row; a hidden list or a line
// outside it does nothing.
TEST_F(DesignControllerTest, ListPositionDesignsTheRowOfTheMaterial) {
  Window().material = Material::VelmaxE;
  form_.PickListedCore(0);
  form_.ShowCoreList();
  form_.PickListedCore(-1);
  form_.PickListedCore(30);
  EXPECT_EQ(std::pair(State().core_row, Window().core_list_visible), std::pair(int16_t{0}, true));
  form_.PickListedCore(29);
  EXPECT_EQ(std::tuple(State().core_row, State().design_mode, Window().core_list_visible),
            std::tuple(int16_t{551}, DesignMode::SelectedCore, false));
}

// Below about -234.45 deg C copper would have no positive resistance.
TEST_F(DesignControllerTest, AmbientTemperatureAsksUntilANumberAtWhichCopperConducts) {
  ui_.answers = {"abc", "", "45", "1e39", " -60 ", "-300", "x", "-234.46", "-234.45"};
  form_.AskAmbientTemperature();
  EXPECT_EQ(State().copper_factor, 1.09825f);
  form_.AskAmbientTemperature();  // beyond a float: nothing changes
  form_.AskAmbientTemperature();  // the range in the prompt is advice only
  EXPECT_FLOAT_EQ(State().copper_factor, 0.6856f);
  EXPECT_TRUE(Window().part_number.text.empty());  // takes effect at the next design
  form_.AskAmbientTemperature();
  EXPECT_FLOAT_EQ(State().ambient_c, -234.45f);
  EXPECT_GT(State().copper_factor, 0.0f);

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

TEST_F(DesignControllerTest, StackDialogAppliesOnApplyAndOkAndCancelKeepsTheApplied) {
  State().stack_count = 7;  // only from a design file: no option, opens on One
  form_.OpenStackDialog();
  EXPECT_EQ(std::pair(form_.StackDialog()->selected, Window().enabled),
            std::pair(int16_t{1}, false));
  form_.ChooseStackCount(2);
  form_.ApplyStack();
  EXPECT_EQ(Window().part_number.text, "(2x)T0750A2");  // half the inductance per core
  form_.ChooseStackCount(5);
  form_.CancelStack();
  EXPECT_EQ(std::pair(State().stack_count, Window().enabled), std::pair(int16_t{2}, true));
  form_.OpenStackDialog();
  form_.ChooseStackCount(4);
  form_.AcceptStack();
  EXPECT_EQ(State().stack_count, 4);
  EXPECT_FALSE(form_.StackDialog());
}

TEST_F(DesignControllerTest, TogglesRerunTheSearch) {
  form_.ToggleFullLoadLMaximum();
  EXPECT_EQ(std::pair(Window().full_load_l_max, State().core_row), std::pair(false, int16_t{395}));
  form_.ToggleSingleLayer();  // one layer of 51 turns does not fit the AL 75 core's hole
  EXPECT_EQ(std::pair(Window().single_layer, State().core_row), std::pair(true, int16_t{396}));
}

}  // namespace
}  // namespace tov

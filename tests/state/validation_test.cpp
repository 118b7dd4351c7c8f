#include "state/validation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scripted_ui.h"

namespace tov {
namespace {

using testing::ScriptedUi;

WindowModel StartedWindow() {
  WindowModel window;
  ApplyStartupDefaults(window);
  return window;
}

std::string Prompt(const std::string& first, const std::string& second) {
  return first + "\r\r" + second;
}

const std::string kCrossCheck = Prompt("No Load L must be greater than Full Load L field entry.",
                                       "Please enter a new value for No Load L.");

std::vector<std::string> Prompts(const ScriptedUi& ui) {
  std::vector<std::string> prompts;
  for (const auto& input : ui.inputs) prompts.push_back(input.prompt);
  return prompts;
}

std::vector<std::string> Defaults(const ScriptedUi& ui) {
  std::vector<std::string> defaults;
  for (const auto& input : ui.inputs) defaults.push_back(input.default_answer);
  return defaults;
}

TEST(ValidateInputs, TheWindowDefaultsPassWithoutAnyBox) {
  WindowModel window = StartedWindow();
  ScriptedUi ui;
  ValidateInputs(window, ui);
  EXPECT_TRUE(ui.inputs.empty());
  EXPECT_EQ(FirstInputPrompt(window), std::nullopt);
}

// Each field with a text that is not a number, then an answer out of range,
// then an acceptable one: the numeric message, the range message, its default.
struct FieldCase {
  TextBox WindowModel::*box;
  const char* numeric_message;
  const char* range_message;
  const char* second_message;
  const char* default_answer;
  const char* rejected;
};

void PrintTo(const FieldCase& c, std::ostream* out) {
  *out << c.second_message;
}

class FieldMessagesTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldMessagesTest, NumericLoopThenRangeLoop) {
  const FieldCase& c = GetParam();
  WindowModel window = StartedWindow();
  window.mnuLfl = false;  // the inductance fields are compared elsewhere
  (window.*c.box).text = "twelve";
  ScriptedUi ui;
  ui.answers = {c.rejected, "1000"};
  ValidateInputs(window, ui);

  ASSERT_EQ(ui.inputs.size(), 2u);
  EXPECT_EQ(ui.inputs[0].prompt, Prompt(c.numeric_message, c.second_message));
  EXPECT_EQ(ui.inputs[1].prompt, Prompt(c.range_message, c.second_message));
  for (const auto& input : ui.inputs) {
    EXPECT_EQ(input.title, "Invalid Entry");
    EXPECT_EQ(input.default_answer, c.default_answer);
  }
  EXPECT_EQ((window.*c.box).text, "1000");
}

INSTANTIATE_TEST_SUITE_P(
    EveryField, FieldMessagesTest,
    ::testing::Values(FieldCase{&WindowModel::txtIdc, "DC Current field requires a numeric entry.",
                                "DC Current field requires a numeric entry greater than zero.",
                                "Please enter a value for DC Current.", "10", "0"},
                      FieldCase{&WindowModel::txtIdelta,
                                "Ripple Current field requires a non-negative numeric entry.",
                                "Ripple Current field requires a non-negative numeric entry.",
                                "Please enter a new value for Ripple Current.", "1", "-1"},
                      FieldCase{&WindowModel::txtFreq,
                                "Frequency field requires a numeric entry greater than zero.",
                                "Frequency field requires a numeric entry greater than zero.",
                                "Please enter a new value for the Frequency.", "100", "0"},
                      FieldCase{&WindowModel::txtCurDens,
                                "Current Density field requires a numeric entry greater than zero.",
                                "Current Density field requires a numeric entry greater than zero.",
                                "Please enter a value for the Current Density.", "600", "-600"},
                      FieldCase{&WindowModel::txtLfl,
                                "Full Load L field requires a numeric entry greater than zero.",
                                "Full Load L field requires a numeric entry greater than zero.",
                                "Please enter a value for Full Load L.", "100", "-0.001"},
                      FieldCase{&WindowModel::txtLnl,
                                "No Load L field requires a numeric entry greater than zero.",
                                "No Load L field requires a numeric entry greater than zero.",
                                "Please enter a value for No Load L.", "150", "0"},
                      FieldCase{
                          &WindowModel::txtTempInput,
                          "Temperature Rise field requires a numeric entry greater than zero.",
                          "Temperature Rise field requires a numeric entry greater than zero.",
                          "Please enter a value for Temperature Rise.", "35", "-1e-9"}));

TEST(ValidateInputs, ZeroDcCurrentIsOutOfRangeAndOffersTen) {
  WindowModel window = StartedWindow();
  window.txtIdc.text = "0";
  ScriptedUi ui;
  ui.answers = {"5"};
  ValidateInputs(window, ui);
  ASSERT_EQ(ui.inputs.size(), 1u);
  EXPECT_EQ(ui.inputs[0].prompt,
            Prompt("DC Current field requires a numeric entry greater than zero.",
                   "Please enter a value for DC Current."));
  EXPECT_EQ(ui.inputs[0].default_answer, "10");
  EXPECT_EQ(window.txtIdc.text, "5");
}

TEST(ValidateInputs, ZeroRippleIsAcceptedButNegativeRippleIsNot) {
  WindowModel window = StartedWindow();
  window.txtIdelta.text = "0";
  ScriptedUi ui;
  ValidateInputs(window, ui);
  EXPECT_TRUE(ui.inputs.empty());

  window.txtIdelta.text = "-1";
  ui.answers = {"0"};
  ValidateInputs(window, ui);
  EXPECT_EQ(Defaults(ui), std::vector<std::string>{"1"});
  EXPECT_EQ(window.txtIdelta.text, "0");
}

TEST(ValidateInputs, FieldsAreVisitedInTheirFixedOrder) {
  WindowModel window = StartedWindow();
  for (TextBox* box : {&window.txtTempInput, &window.txtLnl, &window.txtLfl, &window.txtCurDens,
                       &window.txtFreq, &window.txtIdelta, &window.txtIdc}) {
    box->text = "?";
  }
  ScriptedUi ui;
  ui.answers = {"1", "0", "1", "1", "1", "2", "1"};
  ValidateInputs(window, ui);
  EXPECT_EQ(Defaults(ui), (std::vector<std::string>{"10", "1", "100", "600", "100", "150", "35"}));
}

TEST(ValidateInputs, CancelledBoxesAskAgain) {
  WindowModel window = StartedWindow();
  window.txtIdc.text = "abc";
  ScriptedUi ui;
  ui.answers = {"", " ", "3"};
  ValidateInputs(window, ui);
  const std::string numeric =
      Prompt("DC Current field requires a numeric entry.", "Please enter a value for DC Current.");
  EXPECT_EQ(Prompts(ui), (std::vector<std::string>{numeric, numeric, numeric}));
  EXPECT_EQ(window.txtIdc.text, "3");
}

TEST(ValidateInputs, ANonNumberInTheRangeLoopGoesBackToTheNumericLoop) {
  WindowModel window = StartedWindow();
  window.txtIdc.text = "0";
  ScriptedUi ui;
  ui.answers = {"abc", "-2", "4"};
  ValidateInputs(window, ui);
  const std::string numeric =
      Prompt("DC Current field requires a numeric entry.", "Please enter a value for DC Current.");
  const std::string range = Prompt("DC Current field requires a numeric entry greater than zero.",
                                   "Please enter a value for DC Current.");
  EXPECT_EQ(Prompts(ui), (std::vector<std::string>{range, numeric, range}));
  EXPECT_EQ(window.txtIdc.text, "4");
}

TEST(ValidateInputs, NoLoadLMustExceedFullLoadLWhileFullLoadLMaximumIsChecked) {
  WindowModel window = StartedWindow();
  window.txtLnl.text = "100";
  ScriptedUi ui;
  ui.answers = {"150"};
  ValidateInputs(window, ui);
  ASSERT_EQ(ui.inputs.size(), 1u);
  EXPECT_EQ(ui.inputs[0].prompt, kCrossCheck);
  EXPECT_EQ(ui.inputs[0].title, "Invalid Entry");
  EXPECT_EQ(ui.inputs[0].default_answer, "150");
  EXPECT_EQ(window.txtLnl.text, "150");
}

TEST(ValidateInputs, TheCrossCheckIsSkippedWhileFullLoadLMaximumIsUnchecked) {
  WindowModel window = StartedWindow();
  window.mnuLfl = false;
  window.txtLnl.text = "50";
  ScriptedUi ui;
  ValidateInputs(window, ui);
  EXPECT_TRUE(ui.inputs.empty());
  EXPECT_EQ(window.txtLnl.text, "50");
}

TEST(ValidateInputs, TheCrossCheckOffersOneAndAHalfTimesFullLoadL) {
  for (auto [full_load, offered] :
       {std::pair{"2.5", "3.75"}, std::pair{"0.1", "0.15"}, std::pair{" 1e3 ", "1500"}}) {
    WindowModel window = StartedWindow();
    window.txtLfl.text = full_load;
    window.txtLnl.text = full_load;
    ScriptedUi ui;
    ui.answers = {"1e9"};
    ValidateInputs(window, ui);
    EXPECT_EQ(Defaults(ui), std::vector<std::string>{offered}) << full_load;
  }
}

TEST(ValidateInputs, TheCrossCheckComparesFourByteValues) {
  WindowModel window = StartedWindow();
  window.txtLnl.text = "100.000001";  // the same 4-byte float as 100
  ScriptedUi ui;
  ui.answers = {"100.0001"};
  ValidateInputs(window, ui);
  EXPECT_EQ(Prompts(ui), std::vector<std::string>{kCrossCheck});
}

TEST(ValidateInputs, ANumberThatIsStillTooSmallStaysInTheCrossCheck) {
  WindowModel window = StartedWindow();
  window.txtLnl.text = "90";
  ScriptedUi ui;
  ui.answers = {"100", "-3", "101"};
  ValidateInputs(window, ui);
  EXPECT_EQ(Prompts(ui), (std::vector<std::string>{kCrossCheck, kCrossCheck, kCrossCheck}));
  EXPECT_EQ(window.txtLnl.text, "101");
}

TEST(ValidateInputs, ANonNumberInTheCrossCheckGoesThroughNoLoadLsLoopsAgain) {
  const std::string numeric = Prompt("No Load L field requires a numeric entry greater than zero.",
                                     "Please enter a value for No Load L.");
  WindowModel window = StartedWindow();
  window.txtLnl.text = "100";
  ScriptedUi ui;
  ui.answers = {"", "0", "90", "120"};
  ValidateInputs(window, ui);
  EXPECT_EQ(Prompts(ui), (std::vector<std::string>{kCrossCheck, numeric, numeric, kCrossCheck}));
  EXPECT_EQ(Defaults(ui), (std::vector<std::string>{"150", "150", "150", "150"}));
  EXPECT_EQ(window.txtLnl.text, "120");
}

TEST(FirstInputPrompt, IsTheFirstBoxValidateInputsShows) {
  struct Case {
    const char* name;
    void (*setup)(WindowModel&);
  };
  const Case cases[] = {
      {"defaults", [](WindowModel&) {}},
      {"dc current zero", [](WindowModel& w) { w.txtIdc.text = "0"; }},
      {"frequency text", [](WindowModel& w) { w.txtFreq.text = "fast"; }},
      {"ripple negative", [](WindowModel& w) { w.txtIdelta.text = "-0.5"; }},
      {"two bad fields",
       [](WindowModel& w) {
         w.txtTempInput.text = "";
         w.txtCurDens.text = "0";
       }},
      {"cross-check",
       [](WindowModel& w) {
         w.txtLfl.text = "80";
         w.txtLnl.text = "40";
       }},
      {"cross-check off",
       [](WindowModel& w) {
         w.mnuLfl = false;
         w.txtLnl.text = "40";
       }},
  };
  for (const Case& c : cases) {
    WindowModel window = StartedWindow();
    c.setup(window);
    const std::optional<InputPrompt> first = FirstInputPrompt(window);
    ScriptedUi ui;
    ui.answers.assign(8, "1e6");
    ValidateInputs(window, ui);
    if (ui.inputs.empty()) {
      EXPECT_EQ(first, std::nullopt) << c.name;
      continue;
    }
    ASSERT_TRUE(first) << c.name;
    EXPECT_EQ(first->prompt, ui.inputs[0].prompt) << c.name;
    EXPECT_EQ(first->title, ui.inputs[0].title) << c.name;
    EXPECT_EQ(first->default_answer, ui.inputs[0].default_answer) << c.name;
  }
}

}  // namespace
}  // namespace tov

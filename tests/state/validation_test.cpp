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

// Each field with a text that is not a number, then an answer out of range,
// then the smallest acceptable one: the numeric message, the range message
// (the same where none is given), the default offered.
struct FieldCase {
  TextBox WindowModel::*box;
  const char* numeric_message;
  const char* range_message;
  const char* second_message;
  const char* default_answer;
  const char* rejected;
  const char* accepted;
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
  ui.answers = {c.rejected, c.accepted};
  ValidateInputs(window, ui);

  ASSERT_EQ(ui.inputs.size(), 2u);
  EXPECT_EQ(ui.inputs[0].prompt, Prompt(c.numeric_message, c.second_message));
  EXPECT_EQ(ui.inputs[1].prompt,
            Prompt(c.range_message ? c.range_message : c.numeric_message, c.second_message));
  for (const auto& input : ui.inputs) {
    EXPECT_EQ(input.title, "Invalid Entry");
    EXPECT_EQ(input.default_answer, c.default_answer);
  }
  EXPECT_EQ((window.*c.box).text, c.accepted);
}

INSTANTIATE_TEST_SUITE_P(
    EveryField, FieldMessagesTest,
    ::testing::Values(
        FieldCase{&WindowModel::txtIdc, "DC Current field requires a numeric entry.",
                  "DC Current field requires a numeric entry greater than zero.",
                  "Please enter a value for DC Current.", "10", "0", "1e-9"},
        FieldCase{&WindowModel::txtIdelta,
                  "Ripple Current field requires a non-negative numeric entry.", nullptr,
                  "Please enter a new value for Ripple Current.", "1", "-1", "0"},
        FieldCase{&WindowModel::txtFreq,
                  "Frequency field requires a numeric entry greater than zero.", nullptr,
                  "Please enter a new value for the Frequency.", "100", "0", "1e-9"},
        FieldCase{&WindowModel::txtCurDens,
                  "Current Density field requires a numeric entry greater than zero.", nullptr,
                  "Please enter a value for the Current Density.", "600", "-600", "1e-9"},
        FieldCase{&WindowModel::txtLfl,
                  "Full Load L field requires a numeric entry greater than zero.", nullptr,
                  "Please enter a value for Full Load L.", "100", "-0.001", "1e-9"},
        FieldCase{&WindowModel::txtLnl,
                  "No Load L field requires a numeric entry greater than zero.", nullptr,
                  "Please enter a value for No Load L.", "150", "0", "1e-9"},
        FieldCase{&WindowModel::txtTempInput,
                  "Temperature Rise field requires a numeric entry greater than zero.", nullptr,
                  "Please enter a value for Temperature Rise.", "35", "-1e-9", "1e-9"}));

std::vector<std::string> Prompts(const ScriptedUi& ui) {
  std::vector<std::string> prompts;
  for (const auto& input : ui.inputs) prompts.push_back(input.prompt);
  return prompts;
}

TEST(ValidateInputs, VisitsTheFieldsInTheirFixedOrder) {
  WindowModel window = StartedWindow();
  for (TextBox* box : {&window.txtTempInput, &window.txtLnl, &window.txtLfl, &window.txtCurDens,
                       &window.txtFreq, &window.txtIdelta, &window.txtIdc}) {
    box->text = "?";
  }
  ScriptedUi ui;
  ui.answers = {"1", "0", "1", "1", "1", "2", "1"};
  ValidateInputs(window, ui);
  std::vector<std::string> defaults;
  for (const auto& input : ui.inputs) defaults.push_back(input.default_answer);
  EXPECT_EQ(defaults, (std::vector<std::string>{"10", "1", "100", "600", "100", "150", "35"}));
}

TEST(ValidateInputs, CancelAsksAgainAndANonNumberInTheRangeLoopGoesBackToTheNumericLoop) {
  const std::string numeric =
      Prompt("DC Current field requires a numeric entry.", "Please enter a value for DC Current.");
  const std::string range = Prompt("DC Current field requires a numeric entry greater than zero.",
                                   "Please enter a value for DC Current.");
  WindowModel window = StartedWindow();
  window.txtIdc.text = "0";
  ScriptedUi ui;
  ui.answers = {"abc", "", " ", "-2", "4"};
  ValidateInputs(window, ui);
  EXPECT_EQ(Prompts(ui), (std::vector<std::string>{range, numeric, numeric, numeric, range}));
  EXPECT_EQ(window.txtIdc.text, "4");
}

// No Load L must exceed Full Load L, compared as 4-byte values, while Full
// Load L Maximum is checked; the box offers 1.5 times Full Load L. A non-number
// goes through No Load L's own loops again.
TEST(ValidateInputs, CrossCheckOfTheInductances) {
  const std::string cross = Prompt("No Load L must be greater than Full Load L field entry.",
                                   "Please enter a new value for No Load L.");
  const std::string numeric = Prompt("No Load L field requires a numeric entry greater than zero.",
                                     "Please enter a value for No Load L.");
  const struct {
    bool checked;
    const char* Lfl;
    const char* Lnl;
    std::vector<std::string> answers;
    const char* boxes;  // x: the cross-check, n: No Load L's numeric loop
    const char* offered;
    const char* final_Lnl;
  } cases[] = {
      {false, "100", "50", {}, "", "", "50"},
      {true, "100", "100", {"150"}, "x", "150", "150"},
      {true, "0.1", "0.1", {"9"}, "x", "0.15", "9"},
      {true, " 1e3 ", " 1e3 ", {"1e4"}, "x", "1500", "1e4"},
      {true, "100", "100.000001", {"100.0001"}, "x", "150", "100.0001"},
      {true, "100", "90", {"100", "-3", "101"}, "xxx", "150", "101"},
      {true, "100", "100", {"", "0", "90", "120"}, "xnnx", "150", "120"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Lfl) + " / " + c.Lnl);
    WindowModel window = StartedWindow();
    window.mnuLfl = c.checked;
    window.txtLfl.text = c.Lfl;
    window.txtLnl.text = c.Lnl;
    ScriptedUi ui;
    ui.answers.assign(c.answers.begin(), c.answers.end());
    ValidateInputs(window, ui);
    std::vector<std::string> expected;
    for (const char* box = c.boxes; *box; ++box) expected.push_back(*box == 'x' ? cross : numeric);
    EXPECT_EQ(Prompts(ui), expected);
    for (const auto& input : ui.inputs) {
      EXPECT_EQ(input.title, "Invalid Entry");
      EXPECT_EQ(input.default_answer, c.offered);
    }
    EXPECT_EQ(window.txtLnl.text, c.final_Lnl);
  }
}

TEST(FirstInputPrompt, IsTheFirstBoxValidateInputsShows) {
  const std::vector<std::pair<TextBox WindowModel::*, const char*>> cases[] = {
      {},
      {{&WindowModel::txtIdc, "0"}},
      {{&WindowModel::txtFreq, "fast"}},
      {{&WindowModel::txtIdelta, "-0.5"}},
      {{&WindowModel::txtTempInput, ""}, {&WindowModel::txtCurDens, "0"}},
      {{&WindowModel::txtLfl, "80"}, {&WindowModel::txtLnl, "40"}},
  };
  for (const auto& texts : cases) {
    WindowModel window = StartedWindow();
    for (auto [box, text] : texts) (window.*box).text = text;
    const std::optional<InputPrompt> first = FirstInputPrompt(window);
    ScriptedUi ui;
    ui.answers.assign(8, "1e6");
    ValidateInputs(window, ui);
    SCOPED_TRACE(texts.size());
    ASSERT_EQ(first.has_value(), !ui.inputs.empty());
    if (!first) continue;
    EXPECT_EQ(first->prompt, ui.inputs[0].prompt);
    EXPECT_EQ(first->title, ui.inputs[0].title);
    EXPECT_EQ(first->default_answer, ui.inputs[0].default_answer);
  }
  WindowModel unchecked = StartedWindow();
  unchecked.mnuLfl = false;
  unchecked.txtLnl.text = "40";
  EXPECT_EQ(FirstInputPrompt(unchecked), std::nullopt);
}

}  // namespace
}  // namespace tov

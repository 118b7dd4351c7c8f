#include "state/validation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scripted_ui.h"
#include "ui/logic/validate_inputs.h"

namespace tov {
namespace {

using testing::ScriptedUi;

std::string Prompt(const std::string& first, const std::string& second) {
  return first + "\r\r" + second;
}

// Validates the window with the scripted answers; the first box must be the
// one FirstInputPrompt announced, and every box an "Invalid Entry" box.
// Returns each box's prompt and the default it offered.
std::vector<std::pair<std::string, std::string>> Validate(WindowModel& window,
                                                          std::vector<std::string> answers) {
  const std::optional<InputPrompt> first = FirstInputPrompt(window);
  ScriptedUi ui;
  ui.answers.assign(answers.begin(), answers.end());
  ValidateInputs(window, ui);
  std::vector<std::pair<std::string, std::string>> boxes;
  for (const auto& input : ui.inputs) {
    EXPECT_EQ(input.title, "Invalid Entry");
    boxes.emplace_back(input.prompt, input.default_answer);
  }
  EXPECT_EQ(first ? std::optional(std::pair(first->prompt, first->default_answer)) : std::nullopt,
            boxes.empty() ? std::nullopt : std::optional(boxes.front()));
  return boxes;
}

WindowModel StartedWindow(bool full_load_l_max = true) {
  WindowModel window;
  ApplyStartupDefaults(window);
  window.full_load_l_max = full_load_l_max;
  return window;
}

// The fields in their fixed order, each with its numeric message, its range
// message (the same where none is given), the second line and default of its
// box, an answer out of range and the smallest acceptable one.
const struct Field {
  TextBox WindowModel::*box;
  const char *numeric_message, *range_message, *second_message, *default_answer, *rejected,
      *accepted;
  std::string Range() const {
    return Prompt(range_message ? range_message : numeric_message, second_message);
  }
} kFields[] = {
    {&WindowModel::dc_current, "DC Current field requires a numeric entry.",
     "DC Current field requires a numeric entry greater than zero.",
     "Please enter a value for DC Current.", "10", "0", "1e-9"},
    {&WindowModel::ripple_current, "Ripple Current field requires a non-negative numeric entry.",
     nullptr, "Please enter a new value for Ripple Current.", "1", "-1", "0"},
    {&WindowModel::frequency, "Frequency field requires a numeric entry greater than zero.",
     nullptr, "Please enter a new value for the Frequency.", "100", "0", "1e-9"},
    {&WindowModel::current_density,
     "Current Density field requires a numeric entry greater than zero.", nullptr,
     "Please enter a value for the Current Density.", "600", "-600", "1e-9"},
    {&WindowModel::full_load_l, "Full Load L field requires a numeric entry greater than zero.",
     nullptr, "Please enter a value for Full Load L.", "100", "-0.001", "1e-9"},
    {&WindowModel::no_load_l, "No Load L field requires a numeric entry greater than zero.",
     nullptr, "Please enter a value for No Load L.", "150", "0", "1e-9"},
    {&WindowModel::allowable_rise,
     "Temperature Rise field requires a numeric entry greater than zero.", nullptr,
     "Please enter a value for Temperature Rise.", "35", "-1e-9", "1e-9"},
};

// Every field with a text that is not a number, then an answer out of range,
// then the smallest acceptable one.
TEST(ValidateInputs, NumericLoopThenRangeLoopOfEveryFieldInOrder) {
  WindowModel window = StartedWindow(false);  // the inductances are compared elsewhere
  std::vector<std::string> answers;
  std::vector<std::pair<std::string, std::string>> boxes;
  for (const Field& f : kFields) {
    (window.*f.box).text = "twelve";
    answers.insert(answers.end(), {f.rejected, f.accepted});
    boxes.emplace_back(Prompt(f.numeric_message, f.second_message), f.default_answer);
    boxes.emplace_back(f.Range(), f.default_answer);
  }
  EXPECT_EQ(Validate(window, answers), boxes);
  for (const Field& f : kFields) EXPECT_EQ((window.*f.box).text, f.accepted);
}

// A value the design reads as a 4-byte float must be one: beyond its range
// (it would count as 0) every field asks again, and so does a field that must
// be above 0 for a positive value stored as 0. Full Load L asks also below the
// smallest normal float.
TEST(ValidateInputs, ValuesAFloatCannotHoldAreAskedForAgainInEveryField) {
  for (const Field& f : kFields) {
    const bool ripple = f.box == &WindowModel::ripple_current;
    const bool full_load = f.box == &WindowModel::full_load_l;
    const std::pair<const char*, bool> values[] = {{"3.4e38", true},
                                                   {"3.41e38", false},
                                                   {"1e300", false},
                                                   {"1e-45", !full_load},
                                                   {"1e-50", ripple}};
    for (const auto& [text, accepted] : values) {
      WindowModel window = StartedWindow(false);
      (window.*f.box).text = text;
      const std::optional<InputPrompt> prompt = FirstInputPrompt(window);
      EXPECT_EQ(prompt ? prompt->prompt : "", accepted ? "" : f.Range()) << text;
    }
  }
}

TEST(ValidateInputs, CancelAsksAgainAndANonNumberInTheRangeLoopGoesBackToTheNumericLoop) {
  const std::pair<std::string, std::string> numeric{
      Prompt(kFields[0].numeric_message, kFields[0].second_message), "10"};
  const std::pair<std::string, std::string> range{kFields[0].Range(), "10"};
  WindowModel window = StartedWindow();
  window.dc_current.text = "0";
  EXPECT_EQ(Validate(window, {"abc", "", " ", "-2", "4"}),
            (std::vector{range, numeric, numeric, numeric, range}));
  EXPECT_EQ(window.dc_current.text, "4");
}

// No Load L must exceed Full Load L, compared as 4-byte values, while Full
// Load L Maximum is checked; the box offers 1.5 times Full Load L. A non-number
// goes through No Load L's own loops again. A Full Load L beyond the float
// range or below its smallest normal value is asked for first: the offered
// No Load L (Inf, or the same tiny float) never passed, and a user taking it
// was asked forever.
TEST(ValidateInputs, CrossCheckOfTheInductances) {
  const std::string prompts[] = {Prompt("No Load L must be greater than Full Load L field entry.",
                                        "Please enter a new value for No Load L."),
                                 kFields[5].Range(), kFields[4].Range()};
  const struct {
    bool checked;
    const char *Lfl, *Lnl;
    std::vector<std::string> answers;
    const char* boxes;  // x: the cross-check, n: No Load L's, f: Full Load L's numeric loop
    const char *offered, *final_Lnl;
  } cases[] = {
      {true, "100", "150", {}, "", "", "150"},
      {false, "100", "50", {}, "", "", "50"},
      {true, "100", "100", {"150"}, "x", "150", "150"},
      {true, "0.1", "0.1", {"9"}, "x", "0.15", "9"},
      {true, " 1e3 ", " 1e3 ", {"1e4"}, "x", "1500", "1e4"},
      {true, "100", "100.000001", {"100.0001"}, "x", "150", "100.0001"},
      {true, "100", "90", {"100", "-3", "101"}, "xxx", "150", "101"},
      {true, "100", "100", {"", "0", "90", "120"}, "xnnx", "150", "120"},
      {true, "1.7e308", "150", {"100"}, "f", "100", "150"},
      {true, "1e-45", "150", {"100"}, "f", "100", "150"},
      {true, "1e-40", "150", {"100"}, "f", "100", "150"},
      {true, "3.4e38", "150", {"5.1E+38"}, "x", "5.1E+38", "5.1E+38"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Lfl) + " / " + c.Lnl);
    WindowModel window = StartedWindow(c.checked);
    window.full_load_l.text = c.Lfl;
    window.no_load_l.text = c.Lnl;
    std::vector<std::pair<std::string, std::string>> expected;
    for (const char* box = c.boxes; *box; ++box) {
      expected.emplace_back(prompts[*box == 'x' ? 0 : *box == 'n' ? 1 : 2], c.offered);
    }
    EXPECT_EQ(Validate(window, c.answers), expected);
    EXPECT_EQ(window.no_load_l.text, c.final_Lnl);
  }
}

}  // namespace
}  // namespace tov

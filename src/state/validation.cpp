#include "state/validation.h"

#include <array>
#include <limits>
#include <string_view>

#include "state/number_text.h"
#include "state/numeric.h"

namespace tov {
namespace {

constexpr std::string_view kTitle = "Invalid Entry";

// One input field: its messages, the answer an input box offers, and whether 0 is accepted.
struct FieldRule {
  TextBox WindowModel::*box;
  std::string_view numeric_message;
  std::string_view range_message;
  std::string_view second_message;
  std::string_view default_answer;
  bool zero_allowed;
  // Whether the value must be a normal 4-byte float, not only one above 0.
  // Full Load L must: No Load L has to exceed it as a float, which below its
  // smallest normal value no answer might ever do.
  bool normal_only;
};

// In the order the fields are checked.
constexpr std::array<FieldRule, 7> kFieldRules = {{
    {&WindowModel::txtIdc, "DC Current field requires a numeric entry.",
     "DC Current field requires a numeric entry greater than zero.",
     "Please enter a value for DC Current.", "10", false, false},
    {&WindowModel::txtIdelta, "Ripple Current field requires a non-negative numeric entry.",
     "Ripple Current field requires a non-negative numeric entry.",
     "Please enter a new value for Ripple Current.", "1", true, false},
    {&WindowModel::txtFreq, "Frequency field requires a numeric entry greater than zero.",
     "Frequency field requires a numeric entry greater than zero.",
     "Please enter a new value for the Frequency.", "100", false, false},
    {&WindowModel::txtCurDens, "Current Density field requires a numeric entry greater than zero.",
     "Current Density field requires a numeric entry greater than zero.",
     "Please enter a value for the Current Density.", "600", false, false},
    {&WindowModel::txtLfl, "Full Load L field requires a numeric entry greater than zero.",
     "Full Load L field requires a numeric entry greater than zero.",
     "Please enter a value for Full Load L.", "100", false, true},
    {&WindowModel::txtLnl, "No Load L field requires a numeric entry greater than zero.",
     "No Load L field requires a numeric entry greater than zero.",
     "Please enter a value for No Load L.", "150", false, false},
    {&WindowModel::txtTempInput,
     "Temperature Rise field requires a numeric entry greater than zero.",
     "Temperature Rise field requires a numeric entry greater than zero.",
     "Please enter a value for Temperature Rise.", "35", false, false},
}};

constexpr const FieldRule& kNoLoadRule = kFieldRules[5];
static_assert(kNoLoadRule.box == &WindowModel::txtLnl);

constexpr std::string_view kCrossCheckMessage =
    "No Load L must be greater than Full Load L field entry.";
constexpr std::string_view kCrossCheckSecondMessage = "Please enter a new value for No Load L.";

// Whether the value is acceptable as the design reads it, a 4-byte float:
// within the float range (beyond it the design would count it as zero), and
// where 0 is not accepted, still above 0 once stored (1e-50 is stored as 0).
bool InRange(const FieldRule& rule, double value) {
  const std::optional<float> stored = ToSingle(value);
  if (!stored) return false;
  if (rule.zero_allowed) return value >= 0;
  if (rule.normal_only) return *stored >= std::numeric_limits<float>::min();
  return *stored > 0;
}

InputPrompt MakePrompt(std::string_view first, std::string_view second,
                       std::string default_answer) {
  std::string prompt(first);
  prompt += kLineBreak;
  prompt += kLineBreak;
  prompt += second;
  return {std::move(prompt), std::string(kTitle), std::move(default_answer)};
}

// The box a field's text calls for: the numeric message while it is not a
// number, the range message while its value is out of range, none once it passes.
// Asking again after each answer runs the numeric loop, then the range loop, and
// sends a range-loop answer that is not a number back through the numeric loop.
std::optional<InputPrompt> FieldPrompt(const FieldRule& rule, const std::string& text) {
  const std::optional<double> value = ParseNumber(text);
  if (!value) {
    return MakePrompt(rule.numeric_message, rule.second_message, std::string(rule.default_answer));
  }
  if (!InRange(rule, *value)) {
    return MakePrompt(rule.range_message, rule.second_message, std::string(rule.default_answer));
  }
  return std::nullopt;
}

// An inductance as the cross-check compares it: stored as a 4-byte float; a
// value beyond the float range keeps its 8-byte value so that a larger answer
// can still pass.
double AsStoredInductance(const std::string& text) {
  const double value = ParseNumber(text).value_or(0.0);
  const std::optional<float> single = ToSingle(value);
  return single ? static_cast<double>(*single) : value;
}

InputPrompt CrossCheckPrompt(const WindowModel& window) {
  const double full_load_uH = ParseNumber(window.txtLfl.text).value_or(0.0);
  return MakePrompt(kCrossCheckMessage, kCrossCheckSecondMessage,
                    PlainNumberText(full_load_uH * 1.5));
}

void SettleField(const FieldRule& rule, WindowModel& window, UserInterface& ui) {
  TextBox& box = window.*rule.box;
  while (const std::optional<InputPrompt> prompt = FieldPrompt(rule, box.text)) {
    box.text = ui.AskInput(prompt->prompt, prompt->title, prompt->default_answer);
  }
}

}  // namespace

void ValidateInputs(WindowModel& window, UserInterface& ui) {
  for (const FieldRule& rule : kFieldRules) SettleField(rule, window, ui);
  if (!window.mnuLfl) return;

  // The full-load value is read once; only No Load L is asked for again.
  const double full_load_uH = AsStoredInductance(window.txtLfl.text);
  const InputPrompt prompt = CrossCheckPrompt(window);
  double no_load_uH = AsStoredInductance(window.txtLnl.text);
  while (!(no_load_uH > full_load_uH)) {
    window.txtLnl.text = ui.AskInput(prompt.prompt, prompt.title, prompt.default_answer);
    if (!IsNumber(window.txtLnl.text)) SettleField(kNoLoadRule, window, ui);
    no_load_uH = AsStoredInductance(window.txtLnl.text);
  }
}

std::optional<InputPrompt> FirstInputPrompt(const WindowModel& window) {
  for (const FieldRule& rule : kFieldRules) {
    if (auto prompt = FieldPrompt(rule, (window.*rule.box).text)) return prompt;
  }
  if (window.mnuLfl &&
      !(AsStoredInductance(window.txtLnl.text) > AsStoredInductance(window.txtLfl.text))) {
    return CrossCheckPrompt(window);
  }
  return std::nullopt;
}

}  // namespace tov

// The Options menu: ambient temperature, the stack dialog, Full Load L
// Maximum, Single Layer Choke and the AL tolerance of the worst case.

#include <optional>
#include <string>
#include <string_view>

#include "engines/worst_case.h"
#include "state/constants.h"
#include "state/message_titles.h"
#include "state/number_text.h"
#include "state/numeric.h"
#include "ui/logic/design_controller.h"

namespace tov {
namespace {

constexpr std::string_view kTempPrompt =
    "Please enter a value for the Ambient Temperature\r(value between -50 and 150, in degrees C)";
constexpr std::string_view kTempInvalidPrompt =
    "Ambient Temperature requires a numeric value.\r"
    "Please enter a value for the Ambient Temperature\r(value between -50 and 150, in degrees C)";
constexpr std::string_view kTempTooColdPrompt =
    "Ambient Temperature must be above -234.45 degrees C, where copper keeps a positive "
    "resistance.\r"
    "Please enter a value for the Ambient Temperature\r(value between -50 and 150, in degrees C)";

constexpr std::string_view kTolerancePrompt =
    "Please enter the lower tolerance of the cores' AL for the worst case\r"
    "(value between -99 and 0, in percent of the nominal AL)";
constexpr std::string_view kToleranceInvalidPrompt =
    "The AL tolerance must be a number between -99 and 0.\r"
    "Please enter the lower tolerance of the cores' AL for the worst case\r"
    "(value between -99 and 0, in percent of the nominal AL)";

}  // namespace

// Asks until the answer is a number at which copper keeps a positive
// resistance. The range in the prompt is advice only; a number beyond a
// 4-byte float changes nothing.
void DesignController::AskAmbientTemperature() {
  DesignState& state = window_.state;
  const std::string current = PlainNumberText(state.ambient_c, 7);
  std::string_view prompt = kTempPrompt;
  std::string_view title = kAmbientTemperatureTitle;
  for (;;) {
    const std::optional<double> answer = ParseNumber(ui_.AskInput(prompt, title, current));
    title = kInvalidEntryTitle;
    if (!answer) {
      prompt = kTempInvalidPrompt;
      continue;
    }
    const std::optional<float> temperature = ToSingle(*answer);
    if (!temperature) return;
    if (CopperFactorPositive(*temperature)) {
      SetAmbientTemp(state, *temperature);
      MarkDesignStale();
      return;
    }
    prompt = kTempTooColdPrompt;
  }
}

void DesignController::OpenStackDialog() {
  window_.enabled = false;
  const int16_t count = window_.state.stack_count;
  stack_dialog_ = StackDialogModel{count >= 1 && count <= kMaxStackCount ? count : int16_t{1}};
}

void DesignController::ChooseStackCount(int16_t count) {
  if (stack_dialog_ && count >= 1 && count <= kMaxStackCount) stack_dialog_->selected = count;
}

void DesignController::ApplyStack() {
  if (!stack_dialog_) return;
  window_.state.stack_count = stack_dialog_->selected;
  Calculate();
}

void DesignController::AcceptStack() {
  if (!stack_dialog_) return;
  ApplyStack();
  CancelStack();
}

// Closes the dialog; a count already applied stays.
void DesignController::CancelStack() {
  stack_dialog_.reset();
  window_.enabled = true;
}

void DesignController::ToggleFullLoadLMaximum() {
  window_.full_load_l_max = !window_.full_load_l_max;
  ceiling_cleared_by_pick_ = false;
  Calculate();
}

// Asks until the answer is a tolerance the worst case takes; Cancel keeps
// the tolerance in force. The design shown stays: only its worst case changes.
void DesignController::AskAlTolerance() {
  const std::string current = PlainNumberText(window_.state.al_tolerance_percent, 7);
  std::string_view prompt = kTolerancePrompt;
  for (;;) {
    const std::string answer = ui_.AskInput(prompt, kToleranceTitle, current);
    if (answer.empty()) return;
    const std::optional<double> percent = ParseNumber(answer);
    if (percent && ALToleranceAllowed(*percent)) {
      window_.state.al_tolerance_percent = static_cast<float>(*percent);
      MarkFailedChecks();
      return;
    }
    prompt = kToleranceInvalidPrompt;
  }
}

void DesignController::ToggleSingleLayer() {
  window_.single_layer = !window_.single_layer;
  Calculate();
}

}  // namespace tov

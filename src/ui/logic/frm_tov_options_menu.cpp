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
#include "ui/logic/frm_tov.h"

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
void FrmTov::mnuTemp_Click() {
  DesignState& state = window_.state;
  const std::string current = PlainNumberText(state.AmbientTemp, 7);
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

void FrmTov::mnuStack_Click() {
  window_.enabled = false;
  const int16_t count = window_.state.StackCount;
  stack_dialog_ = StackDialogModel{count >= 1 && count <= kMaxStackCount ? count : int16_t{1}};
}

void FrmTov::optStack_Click(int16_t count) {
  if (stack_dialog_ && count >= 1 && count <= kMaxStackCount) stack_dialog_->selected = count;
}

void FrmTov::cmdApply_Click() {
  if (!stack_dialog_) return;
  window_.state.StackCount = stack_dialog_->selected;
  cmdCalculate_Click();
}

void FrmTov::cmdOK_Click() {
  if (!stack_dialog_) return;
  cmdApply_Click();
  cmdCancel_Click();
}

// Closes the dialog; a count already applied stays.
void FrmTov::cmdCancel_Click() {
  stack_dialog_.reset();
  window_.enabled = true;
}

void FrmTov::mnuLfl_Click() {
  window_.mnuLfl = !window_.mnuLfl;
  cmdCalculate_Click();
}

// Asks until the answer is a tolerance the worst case takes; Cancel keeps
// the tolerance in force. The design shown stays: only its worst case changes.
void FrmTov::mnuALTolerance_Click() {
  const std::string current = PlainNumberText(window_.state.ALTolerance, 7);
  std::string_view prompt = kTolerancePrompt;
  for (;;) {
    const std::string answer = ui_.AskInput(prompt, kToleranceTitle, current);
    if (answer.empty()) return;
    const std::optional<double> percent = ParseNumber(answer);
    if (percent && ALToleranceAllowed(*percent)) {
      window_.state.ALTolerance = static_cast<float>(*percent);
      return;
    }
    prompt = kToleranceInvalidPrompt;
  }
}

void FrmTov::mnuSingleLayer_Click() {
  window_.mnuSingleLayer = !window_.mnuSingleLayer;
  cmdCalculate_Click();
}

}  // namespace tov

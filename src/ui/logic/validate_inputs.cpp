#include "ui/logic/validate_inputs.h"

#include <optional>

#include "state/number_text.h"
#include "state/validation.h"
#include "ui/logic/window_fields.h"

namespace tov {
namespace {

void SettleField(std::size_t index, WindowModel& window, UserInterface& ui) {
  TextBox& box = window.*kInputFields[index].box;
  while (const std::optional<InputPrompt> prompt = FieldPrompt(index, box.text)) {
    box.text = ui.AskInput(prompt->prompt, prompt->title, prompt->default_answer);
  }
}

}  // namespace

void ValidateInputs(WindowModel& window, UserInterface& ui) {
  for (std::size_t i = 0; i < kInputFields.size(); ++i) SettleField(i, window, ui);
  if (!window.full_load_l_max) return;

  // The full-load value is read once; only No Load L is asked for again.
  const InputPrompt prompt = CrossCheckPrompt(window.full_load_l.text);
  while (!NoLoadExceedsFullLoad(window.full_load_l.text, window.no_load_l.text)) {
    window.no_load_l.text = ui.AskInput(prompt.prompt, prompt.title, prompt.default_answer);
    if (!IsNumber(window.no_load_l.text)) SettleField(kNoLoadFieldIndex, window, ui);
  }
}

static_assert(kInputFields.size() == kInputFieldCount);
static_assert(kInputFields[kNoLoadFieldIndex].box == &WindowModel::no_load_l);

std::optional<InputPrompt> FirstInputPrompt(const WindowModel& window) {
  for (std::size_t i = 0; i < kInputFields.size(); ++i) {
    if (auto prompt = FieldPrompt(i, (window.*kInputFields[i].box).text)) return prompt;
  }
  if (window.full_load_l_max &&
      !NoLoadExceedsFullLoad(window.full_load_l.text, window.no_load_l.text)) {
    return CrossCheckPrompt(window.full_load_l.text);
  }
  return std::nullopt;
}

}  // namespace tov

// The status bar's texts.

#include "ui/logic/status_texts.h"

#include <initializer_list>

#include "state/number_text.h"

namespace tov {
namespace {

constexpr const char* kSeparator = " | ";

std::string Join(std::initializer_list<const char*> parts) {
  std::string text;
  for (const char* part : parts) {
    if (!*part) continue;
    if (!text.empty()) text += kSeparator;
    text += part;
  }
  return text;
}

std::string StackText(int16_t count) {
  return count == 1 ? "1 core" : std::to_string(count) + " cores stacked";
}

}  // namespace

StatusTexts ComposeStatus(const WindowModel& window) {
  const DesignState& state = window.state;
  StatusTexts texts;
  texts.settings =
      "Ambient " + PlainNumberText(state.ambient_c, 7) + " \u00b0C" + kSeparator +
      StackText(state.stack_count) + kSeparator +
      (window.single_layer ? "Single layer: on" : "Single layer: off") + kSeparator +
      (window.millimetres ? "Millimetres" : "Inches") + kSeparator +
      (window.full_load_l_max ? "Full Load L Maximum: on"
                              : "Full Load L Maximum: off (No Load L sets no ceiling)");
  const DesignNotes& notes = window.notes;
  texts.notes = Join({
      window.inputs_changed ? "Inputs changed since the last design" : "",
      notes.below_full_load_l ? "Inductance at full load is below Full Load L" : "",
      notes.no_wire_fits ? "No wire fits the window (AWG 43)" : "",
      notes.no_core_loss_data ? "No loss data for this core grade (core loss 0.0)" : "",
  });
  return texts;
}

}  // namespace tov

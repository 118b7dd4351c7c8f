#include "app/tovcalc/run.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "state/number_text.h"
#include "state/numeric.h"
#include "state/validation.h"
#include "ui/logic/apply_design_file.h"
#include "ui/logic/validate_inputs.h"
#include "ui/logic/window_fields.h"

namespace tov::tovcalc {
namespace {

// The design to run: the selected-core design on `row`, or the automatic search.
struct DesignChoice {
  bool selected_core = false;
  int16_t row = 0;
};

void SetText(TextBox& box, const std::optional<std::string>& text) {
  if (text) box.text = *text;
}

// The options override whatever the design file set, the material first.
void ApplyOptions(DesignController& form, const Settings& s) {
  WindowModel& w = form.Model();
  if (s.material) form.SelectMaterial(*s.material);
  SetText(w.dc_current, s.dc_current);
  SetText(w.ripple_current, s.ripple_current);
  SetText(w.frequency, s.frequency);
  SetText(w.current_density, s.current_density);
  SetText(w.full_load_l, s.full_load_l);
  SetText(w.no_load_l, s.no_load_l);
  SetText(w.allowable_rise, s.allowable_rise);
  if (s.stack) w.state.stack_count = *s.stack;
  if (s.ambient) SetAmbientTemp(w.state, *s.ambient);
  if (s.al_tolerance) w.state.al_tolerance_percent = *s.al_tolerance;
  if (s.single_layer) w.single_layer = *s.single_layer;
  if (s.full_load_l_max) w.full_load_l_max = *s.full_load_l_max;
}

// Runs the chosen design. The core picked becomes core_row, as a pick in the
// core list makes it. Millimetres are chosen as the window's units switch
// does it, which re-runs the design named by design_mode and core_row.
void RunDesign(DesignController& form, DesignChoice choice, bool metric) {
  WindowModel& w = form.Model();
  if (choice.selected_core) w.state.core_row = choice.row;
  if (metric) {
    w.state.design_mode = choice.selected_core ? DesignMode::SelectedCore : DesignMode::Automatic;
    form.ShowMillimetres();
  } else if (choice.selected_core) {
    form.DesignSelectedCore(choice.row);
  } else {
    form.Calculate();
  }
}

std::string_view TrimSpace(std::string_view text) {
  const auto space = [](char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
  };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  return text;
}

// Words for an input refused because its number is beyond what a field
// holds, which the window's message does not say; empty for any other refusal.
std::string TooLargeNote(const WindowModel& w) {
  for (std::size_t i = 0; i < kInputFields.size(); ++i) {
    const std::string& text = (w.*kInputFields[i].box).text;
    if (!FieldPrompt(i, text)) continue;
    const std::optional<double> value = ParseNumber(text);
    if (value ? ToSingle(*value).has_value() : !IsNumberBeyondDouble(text)) return {};
    return " (" + std::string(kInputFields[i].caption) + " " + std::string(TrimSpace(text)) +
           " is too large: a field holds numbers up to 3.4E+38.)";
  }
  return {};
}

}  // namespace

std::optional<int16_t> ResolveCore(const CoreTable& cores, Material material,
                                   const std::string& core, std::string& error) {
  const MaterialSection section = SectionOf(material);
  const std::optional<double> number = ParseNumber(core);
  // A whole number in the range of a row (others are no row, and would not fit an int).
  if (number && *number == std::floor(*number) && std::fabs(*number) <= INT16_MAX &&
      CoreTable::IsRow(static_cast<int>(*number))) {
    const int row = static_cast<int>(*number);
    if (section.HoldsCore(row)) return static_cast<int16_t>(row);
    error = "Row " + std::to_string(row) + " is not a core of material " +
            MaterialOptionName(material) + " (its cores are rows " +
            std::to_string(section.first_row) + " to " + std::to_string(section.last_core_row) +
            ").";
    return std::nullopt;
  }
  const std::string_view wanted = TrimSpace(core);
  for (int row = section.first_row; row <= section.last_core_row; ++row) {
    if (EqualIgnoringCase(cores.PartNumber(row, IsECore(material)), wanted))
      return static_cast<int16_t>(row);
  }
  error = "No core of material " + std::string(MaterialOptionName(material)) +
          " has the part number \"" + core + "\" (see --list).";
  return std::nullopt;
}

RunOutcome Designer::Run(const Settings& s) {
  ui_.Clear();
  form_.emplace(cores_, ui_);
  DesignController& form = *form_;
  WindowModel& w = form.Model();
  ApplyStartupDefaults(w);

  // Settings are applied as a design file is opened: a material change
  // starts no design of its own.
  w.state.loading_design = true;
  DesignChoice choice;
  if (design_file_) {
    ApplyDesignFile(form, *design_file_);
    choice = {design_file_->design_mode != 0, design_file_->core_row};
  }
  ApplyOptions(form, s);
  if (s.core) {
    std::string error;
    const std::optional<int16_t> row = ResolveCore(cores_, w.material, *s.core, error);
    if (!row) return {kUsageError, error};
    choice = {true, *row};
  } else if (!s.candidates && choice.selected_core &&
             !SectionOf(w.material).HoldsCore(choice.row)) {
    return {kUsageError, "The design file's core (row " + std::to_string(choice.row) +
                             ") is not a core of material " + MaterialOptionName(w.material) +
                             "; name one with --core or leave --material out."};
  }
  w.state.loading_design = false;
  if (s.list) {
    form.ShowCoreList();
    return {};
  }

  // No one can answer an input box here: inputs the window would ask for
  // again are refused before any design runs.
  if (const std::optional<InputPrompt> prompt = FirstInputPrompt(w)) {
    return {kUsageError, MessageLine(prompt->title, prompt->prompt) + TooLargeNote(w)};
  }
  if (s.candidates) return {};
  try {
    RunDesign(form, choice, s.metric);
  } catch (const InputDemanded& demanded) {
    return {kUsageError, MessageLine(demanded.title, demanded.prompt)};
  }
  return {form.ShowsTooLarge() ? kTooLarge : kDesignShown, {}};
}

int StrictStatus(const Settings& settings, const DesignController& form, int status) {
  if (!settings.strict || status != kDesignShown || !form.ShownDesign()) return status;
  return AllPass(form.Checks()) ? status : kRequirementFailed;
}

void WriteCheckNotes(const DesignController& form) {
  for (const RequirementCheck& check : form.Checks()) {
    if (check.pass) continue;
    const std::string line =
        "Note: " + std::string(DescriptorOf(check.kind).what) + ": " + check.reason + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
  }
}

}  // namespace tov::tovcalc

// The main window's own commands: Calculate, the selected-core design and
// the units switch, each validating, asking the engine and presenting.

#include "ui/logic/design_controller.h"

#include <bit>
#include <cstdint>

#include "engines/automatic_selection.h"
#include "engines/selected_core.h"
#include "state/number_text.h"
#include "ui/logic/check_fields.h"
#include "ui/logic/present_result.h"
#include "ui/logic/validate_inputs.h"
#include "ui/logic/window_fields.h"

namespace tov {
namespace {

double FieldValue(const TextBox& field) {
  return ParseNumber(field.text).value_or(kNoNumber);
}

}  // namespace

DesignRequest DesignController::Request() const {
  DesignRequest request;
  request.dc_current_a = FieldValue(window_.dc_current);
  request.ripple_a = FieldValue(window_.ripple_current);
  request.frequency_khz = FieldValue(window_.frequency);
  request.current_density_a_cm2 = FieldValue(window_.current_density);
  request.full_load_l_uh = FieldValue(window_.full_load_l);
  request.no_load_l_uh = FieldValue(window_.no_load_l);
  request.allowable_rise_c = FieldValue(window_.allowable_rise);
  request.material = window_.material;
  request.stack_count = window_.state.stack_count;
  request.copper_factor = window_.state.copper_factor;
  request.full_load_l_max = window_.full_load_l_max;
  request.single_layer = window_.single_layer;
  return request;
}

void DesignController::ShowNotices(const Notices& notices) {
  for (const Notice& notice : notices) ui_.ShowMessage(notice.title, notice.text);
}

void DesignController::Calculate() {
  ValidateInputs(window_, ui_);
  DesignState& state = window_.state;
  state.design_mode = DesignMode::Automatic;
  window_.temp_rise.background = kWhite;

  const DesignRequest request = Request();
  const SearchOutcome outcome = SearchCores(request, cores_);
  state.stack_count = outcome.effects.stack_count;
  window_.single_layer = outcome.effects.single_layer;
  window_.no_load_l.enabled = window_.full_load_l_max;
  state.strands = outcome.effects.strands;
  if (outcome.effects.total_loss_mw) state.total_loss_mw = *outcome.effects.total_loss_mw;
  state.core_row = outcome.core_row;
  ShowNotices(outcome.notices);

  if (outcome.design) {
    PresentResult(window_, cores_, *outcome.design);
  } else {
    PresentTooLarge(window_);
  }
  shown_design_ = outcome.design;
  checked_.reset();
  shows_too_large_ = !outcome.design;
  shown_request_ = request;
  shown_ceiling_ = window_.full_load_l_max    ? NoLoadCeiling::On
                   : ceiling_cleared_by_pick_ ? NoLoadCeiling::ClearedByPick
                                              : NoLoadCeiling::OffByOption;
  MarkFailedChecks();
}

void DesignController::DesignSelectedCore(int16_t row) {
  DesignState& state = window_.state;
  if (!CoreTable::IsRow(row)) {
    state.loading_design = false;
    return;
  }
  ValidateInputs(window_, ui_);
  state.design_mode = DesignMode::SelectedCore;
  // This design has no no-load ceiling.
  // Nor the next search, until the option is set again.
  if (window_.full_load_l_max) ceiling_cleared_by_pick_ = true;
  window_.full_load_l_max = false;
  window_.no_load_l.enabled = false;

  const DesignRequest request = Request();
  const SelectedCoreOutcome outcome = DesignOnCore(request, cores_, row);
  state.stack_count = outcome.effects.stack_count;
  window_.single_layer = outcome.effects.single_layer;
  ShowNotices(outcome.notices);

  // Without a design (the winding cannot be wound) the design shown stays,
  // with its strand count for the report.
  if (outcome.design) {
    state.strands = outcome.effects.strands;
    ColourTempRise(window_, outcome.design->dT, outcome.design->in.Tallow);
    PresentResult(window_, cores_, *outcome.design);
    shown_design_ = outcome.design;
    checked_.reset();
    shows_too_large_ = false;
    shown_request_ = request;
    // A pick holds no design to a no-load ceiling.
    shown_ceiling_ = NoLoadCeiling::ClearedByPick;
    MarkFailedChecks();
  }
  state.loading_design = false;
}

const DesignController::CheckedDesign& DesignController::Checked() const {
  const float tolerance = window_.state.al_tolerance_percent;
  // Compared bit for bit: -0 is another tolerance than 0, NaN never the same.
  if (!checked_ || std::bit_cast<std::uint32_t>(checked_->al_tolerance_percent) !=
                       std::bit_cast<std::uint32_t>(tolerance)) {
    CheckedDesign& checked = checked_.emplace();
    checked.al_tolerance_percent = tolerance;
    checked.worst = WorstCaseOf(*shown_design_, tolerance);
    checked.checks = CheckDesign(shown_request_, *shown_design_, checked.worst, shown_ceiling_);
  }
  return *checked_;
}

const std::vector<RequirementCheck>& DesignController::Checks() const {
  static const std::vector<RequirementCheck> kNone;
  return shown_design_ ? Checked().checks : kNone;
}

void DesignController::MarkFailedChecks() {
  for (const OutputField& field : kOutputFields) {
    (window_.*field.box).problem.clear();
    (window_.*field.box).problem_at_worst_case_only = true;
  }
  for (const RequirementCheck& check : Checks()) {
    if (check.pass) continue;
    TextBox& box = window_.*FieldOfCheck(check.kind);
    if (!box.problem.empty()) box.problem += '\n';
    box.problem += check.reason;
    box.problem_at_worst_case_only =
        box.problem_at_worst_case_only && DescriptorOf(check.kind).worst_case;
  }
}

void DesignController::InputEdited() {
  MarkDesignStale();
}

void DesignController::MarkDesignStale() {
  // Before the first design there is nothing to be out of date.
  if (shown_design_ || shows_too_large_) window_.inputs_changed = true;
}

void DesignController::ShowInches() {
  UnitsSwitch(false);
}
void DesignController::ShowMillimetres() {
  UnitsSwitch(true);
}

void DesignController::UnitsSwitch(bool metric) {
  window_.inches = !metric;
  window_.millimetres = metric;
  window_.state.metric = metric;
  const CoreCaptions& captions = CoreCaptionsFor(window_.material, metric);
  window_.core_id_caption = captions.core_id_caption;
  window_.core_od_caption = captions.core_od_caption;
  window_.core_height_caption = captions.core_height_caption;
  window_.wound_dimensions_caption = WoundDimensionsCaption(metric);
  RerunLastDesign();
}

void DesignController::RerunLastDesign() {
  if (window_.state.design_mode == DesignMode::SelectedCore) {
    DesignSelectedCore(window_.state.core_row);
  } else {
    Calculate();
  }
}

}  // namespace tov

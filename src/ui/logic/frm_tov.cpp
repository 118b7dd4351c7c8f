// The main window's own commands: Calculate, the selected-core design and
// the units switch, each validating, asking the engine and presenting.

#include "ui/logic/frm_tov.h"

#include "engines/automatic_selection.h"
#include "engines/selected_core.h"
#include "state/number_text.h"
#include "state/window_fields.h"
#include "ui/logic/present_result.h"
#include "ui/logic/validate_inputs.h"

namespace tov {
namespace {

double FieldValue(const TextBox& field) {
  return ParseNumber(field.text).value_or(kNoNumber);
}

}  // namespace

DesignRequest FrmTov::Request() const {
  DesignRequest request;
  request.Idc = FieldValue(window_.txtIdc);
  request.dI = FieldValue(window_.txtIdelta);
  request.f = FieldValue(window_.txtFreq);
  request.J = FieldValue(window_.txtCurDens);
  request.Lfl_uH = FieldValue(window_.txtLfl);
  request.Lnl_uH = FieldValue(window_.txtLnl);
  request.Tallow = FieldValue(window_.txtTempInput);
  request.material = window_.material;
  request.StackCount = window_.state.StackCount;
  request.CuFactor = window_.state.CuFactor;
  request.full_load_l_max = window_.mnuLfl;
  request.single_layer = window_.mnuSingleLayer;
  return request;
}

void FrmTov::ShowNotices(const Notices& notices) {
  for (const Notice& notice : notices) ui_.ShowMessage(notice.title, notice.text);
}

void FrmTov::cmdCalculate_Click() {
  ValidateInputs(window_, ui_);
  DesignState& state = window_.state;
  state.DesignMode = 0;
  window_.txtTrise.background = kWhite;

  const SearchOutcome outcome = SearchCores(Request(), cores_);
  state.StackCount = outcome.effects.StackCount;
  window_.mnuSingleLayer = outcome.effects.single_layer;
  window_.txtLnl.enabled = window_.mnuLfl;
  state.Strands = outcome.effects.Strands;
  if (outcome.effects.TotalLoss) state.TotalLoss = *outcome.effects.TotalLoss;
  state.CoreIdx = outcome.CoreIdx;
  ShowNotices(outcome.notices);

  if (outcome.design) {
    PresentResult(window_, cores_, *outcome.design);
  } else {
    PresentTooLarge(window_);
  }
  shown_design_ = outcome.design;
  shows_too_large_ = !outcome.design;
}

void FrmTov::DesignSelectedCore(int16_t row) {
  DesignState& state = window_.state;
  if (!CoreTable::IsRow(row)) {
    state.LoadingDesign = 0;
    return;
  }
  ValidateInputs(window_, ui_);
  state.DesignMode = 1;
  // This design has no no-load ceiling.
  window_.mnuLfl = false;
  window_.txtLnl.enabled = false;

  const SelectedCoreOutcome outcome = DesignOnCore(Request(), cores_, row);
  state.StackCount = outcome.effects.StackCount;
  window_.mnuSingleLayer = outcome.effects.single_layer;
  ShowNotices(outcome.notices);

  // Without a design (the winding cannot be wound) the design shown stays,
  // with its strand count for the report.
  if (outcome.design) {
    state.Strands = outcome.effects.Strands;
    ColourTempRise(window_, outcome.design->dT, outcome.design->in.Tallow);
    PresentResult(window_, cores_, *outcome.design);
    shown_design_ = outcome.design;
    shows_too_large_ = false;
  }
  state.LoadingDesign = 0;
}

void FrmTov::txtInput_Change() {
  MarkDesignStale();
}

void FrmTov::MarkDesignStale() {
  // Before the first design there is nothing to be out of date.
  if (shown_design_ || shows_too_large_) window_.inputs_changed = true;
}

void FrmTov::mnuDimEng_Click() {
  UnitsSwitch(false);
}
void FrmTov::mnuDimMet_Click() {
  UnitsSwitch(true);
}

void FrmTov::UnitsSwitch(bool metric) {
  window_.mnuDimEng = !metric;
  window_.mnuDimMet = metric;
  window_.state.metric = metric;
  const CoreCaptions& captions = CoreCaptionsFor(window_.material, metric);
  window_.lblID = captions.lblID;
  window_.lblOD = captions.lblOD;
  window_.lblHt = captions.lblHt;
  window_.lblDim = WoundDimensionsCaption(metric);
  RerunByDesignMode();
}

void FrmTov::RerunByDesignMode() {
  if (window_.state.DesignMode == 1) {
    DesignSelectedCore(window_.state.CoreIdx);
  } else {
    cmdCalculate_Click();
  }
}

}  // namespace tov

// The main window's own commands: Calculate and the units switch.

#include "engines/automatic_selection.h"
#include "engines/selected_core.h"
#include "ui/logic/dimension_captions.h"
#include "ui/logic/frm_tov.h"

namespace tov {

void FrmTov::cmdCalculate_Click() {
  tov::cmdCalculate_Click(Context());
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
  window_.state.UnitsFactor = metric ? 25.4f : 1.0f;
  const CoreCaptions captions = CoreCaptionsFor(window_.material, metric);
  window_.lblID = captions.lblID;
  window_.lblOD = captions.lblOD;
  window_.lblHt = captions.lblHt;
  window_.lblDim = WoundDimensionsCaption(metric);
  RerunByDesignMode();
}

void FrmTov::RerunByDesignMode() {
  if (window_.state.DesignMode == 1) {
    DesignSelectedCore(Context(), window_.state.CoreIdx);
  } else {
    tov::cmdCalculate_Click(Context());
  }
}

}  // namespace tov

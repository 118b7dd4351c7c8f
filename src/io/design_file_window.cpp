#include "io/design_file_window.h"

#include "state/core_table.h"
#include "state/numeric.h"
#include "ui/logic/frm_tov.h"

namespace tov {

void SetAmbientTemp(DesignState& state, float AmbientTemp) {
  state.AmbientTemp = AmbientTemp;
  // Copper resistance rises 0.393 % per degree above 20 deg C.
  Commit(state.CuFactor, ToSingle(1.0 + 0.00393 * (double{AmbientTemp} - 20.0)));
}

Material MaterialAfterOpening(const DesignFileRecord& record, Material current) {
  return MaterialFromFileCode(record.MaterialCode).value_or(current);
}

bool DesignFileFits(const DesignFileRecord& record, Material current) {
  if (record.DesignMode == 0) return true;
  return SectionOf(MaterialAfterOpening(record, current)).HoldsCore(record.CoreIdx);
}

void ApplyDesignFile(FrmTov& form, const DesignFileRecord& record) {
  WindowModel& window = form.Model();
  window.state.CoreIdx = record.CoreIdx;
  window.state.DesignMode = record.DesignMode;
  window.txtIdc.text = record.Idc;
  window.txtIdelta.text = record.Idelta;
  window.txtFreq.text = record.Freq;
  window.txtCurDens.text = record.CurDens;
  window.txtLfl.text = record.Lfl;
  window.txtLnl.text = record.Lnl;
  window.txtTempInput.text = record.TempInput;
  if (const auto material = MaterialFromFileCode(record.MaterialCode)) {
    form.SelectMaterial(*material);
  }
  window.mnuLfl = record.FullLoadLMax == 1;
  SetAmbientTemp(window.state, record.AmbientTemp);
  window.state.StackCount = record.StackCount;
  window.mnuSingleLayer = record.SingleLayer == 1;
}

}  // namespace tov

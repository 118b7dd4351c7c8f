#include "ui/logic/apply_design_file.h"

#include "ui/logic/frm_tov.h"

namespace tov {

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

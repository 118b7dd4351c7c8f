#include "ui/logic/apply_design_file.h"

#include "ui/logic/design_controller.h"

namespace tov {

Material MaterialAfterOpening(const DesignFileRecord& record, Material current) {
  return MaterialFromFileCode(record.MaterialCode).value_or(current);
}

bool DesignFileFits(const DesignFileRecord& record, Material current) {
  if (record.design_mode == 0) return true;
  return SectionOf(MaterialAfterOpening(record, current)).HoldsCore(record.core_row);
}

void ApplyDesignFile(DesignController& form, const DesignFileRecord& record) {
  WindowModel& window = form.Model();
  window.state.core_row = record.core_row;
  window.state.design_mode =
      record.design_mode != 0 ? DesignMode::SelectedCore : DesignMode::Automatic;
  window.dc_current.text = record.Idc;
  window.ripple_current.text = record.Idelta;
  window.frequency.text = record.Freq;
  window.current_density.text = record.CurDens;
  window.full_load_l.text = record.Lfl;
  window.no_load_l.text = record.Lnl;
  window.allowable_rise.text = record.TempInput;
  if (const auto material = MaterialFromFileCode(record.MaterialCode)) {
    form.SelectMaterial(*material);
  }
  window.full_load_l_max = record.FullLoadLMax == 1;
  SetAmbientTemp(window.state, record.ambient_c);
  window.state.stack_count = record.stack_count;
  window.single_layer = record.SingleLayer == 1;
}

DesignFileRecord RecordFromWindow(const WindowModel& window) {
  DesignFileRecord r;
  r.core_row = window.state.core_row;
  r.design_mode = static_cast<int16_t>(window.state.design_mode);
  r.Idc = window.dc_current.text;
  r.Idelta = window.ripple_current.text;
  r.Freq = window.frequency.text;
  r.CurDens = window.current_density.text;
  r.Lfl = window.full_load_l.text;
  r.Lnl = window.no_load_l.text;
  r.TempInput = window.allowable_rise.text;
  r.MaterialCode = FileCodeOf(window.material);
  r.FullLoadLMax = window.full_load_l_max ? 1 : 0;
  r.ambient_c = window.state.ambient_c;
  r.stack_count = window.state.stack_count;
  r.SingleLayer = window.single_layer ? 1 : 0;
  return r;
}

}  // namespace tov

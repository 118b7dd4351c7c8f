#include "engines/run_inputs.h"

#include "models/wire_sizing.h"
#include "state/constants.h"
#include "state/numeric.h"

namespace tov {

std::optional<float> PerCoreInductance(double uH, int16_t stack_count) {
  if (stack_count == 0) return std::nullopt;
  return ToSingle(uH * kMhPerUh / stack_count);
}

RunInputs ReadRunInputs(const DesignRequest& request, int16_t stack_count) {
  RunInputs in;
  Commit(in.Tallow, ToSingle(request.allowable_rise_c));
  Commit(in.Ltarget, PerCoreInductance(request.full_load_l_uh, stack_count));
  Commit(in.Idc, ToSingle(request.dc_current_a));
  Commit(in.dI, ToSingle(request.ripple_a));
  Commit(in.J, ToSingle(request.current_density_a_cm2));
  Commit(in.f, ToSingle(request.frequency_khz));
  Commit(in.Ipk, ToSingle(request.dc_current_a + 0.5 * static_cast<double>(in.dI)));
  Commit(in.Iw, WindingCurrent(in.Idc, in.dI));
  return in;
}

}  // namespace tov

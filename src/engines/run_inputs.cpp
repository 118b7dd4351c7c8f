#include "engines/run_inputs.h"

#include "models/wire_sizing.h"
#include "state/constants.h"
#include "state/numeric.h"

namespace tov {

std::optional<float> PerCoreInductance(double uH, int16_t StackCount) {
  if (StackCount == 0) return std::nullopt;
  return ToSingle(uH * kMhPerUh / StackCount);
}

RunInputs ReadRunInputs(const DesignRequest& request, int16_t StackCount) {
  RunInputs in;
  Commit(in.Tallow, ToSingle(request.Tallow));
  Commit(in.Ltarget, PerCoreInductance(request.Lfl_uH, StackCount));
  Commit(in.Idc, ToSingle(request.Idc));
  Commit(in.dI, ToSingle(request.dI));
  Commit(in.J, ToSingle(request.J));
  Commit(in.f, ToSingle(request.f));
  Commit(in.Ipk, ToSingle(request.Idc + 0.5 * static_cast<double>(in.dI)));
  Commit(in.Iw, WindingCurrent(in.Idc, in.dI));
  return in;
}

}  // namespace tov

#include "state/window_model.h"

#include "state/constants.h"
#include "state/numeric.h"

namespace tov {

std::optional<float> CopperFactor(float AmbientTemp) {
  return ToSingle(1.0 + kCopperTempCoefficient * (double{AmbientTemp} - kWireTableTemperature));
}

bool CopperFactorPositive(float AmbientTemp) {
  const std::optional<float> factor = CopperFactor(AmbientTemp);
  return factor && *factor > 0;
}

void SetAmbientTemp(DesignState& state, float AmbientTemp) {
  state.AmbientTemp = AmbientTemp;
  Commit(state.CuFactor, CopperFactor(AmbientTemp));
}

void ApplyStartupDefaults(WindowModel& window) {
  DesignState& state = window.state;
  state.CuFactor = 1.0f;
  state.AmbientTemp = 20.0f;
  state.Strands = 1;
  state.StackCount = 1;
  state.DesignMode = 0;
  state.metric = false;
  window.mnuLfl = true;
}

}  // namespace tov

#include "state/window_model.h"

#include "state/constants.h"
#include "state/numeric.h"

namespace tov {

void SetAmbientTemp(DesignState& state, float AmbientTemp) {
  state.AmbientTemp = AmbientTemp;
  Commit(state.CuFactor,
         ToSingle(1.0 + kCopperTempCoefficient * (double{AmbientTemp} - kWireTableTemperature)));
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

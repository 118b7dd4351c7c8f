#include "state/window_model.h"

namespace tov {

void ApplyStartupDefaults(WindowModel& window) {
  DesignState& state = window.state;
  state.CuFactor = 1.0f;
  state.AmbientTemp = 20.0f;
  state.Strands = 1;
  state.StackCount = 1;
  state.DesignMode = 0;
  state.UnitsFactor = 1.0f;
  window.mnuLfl = true;
}

}  // namespace tov

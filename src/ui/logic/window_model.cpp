#include "ui/logic/window_model.h"

#include "state/constants.h"
#include "state/copper_factor.h"
#include "state/numeric.h"

namespace tov {

void SetAmbientTemp(DesignState& state, float ambient_c) {
  state.ambient_c = ambient_c;
  Commit(state.copper_factor, CopperFactor(ambient_c));
}

void ApplyStartupDefaults(WindowModel& window) {
  DesignState& state = window.state;
  state.copper_factor = 1.0f;
  state.ambient_c = 20.0f;
  state.strands = 1;
  state.stack_count = 1;
  state.design_mode = DesignMode::Automatic;
  state.metric = false;
  window.full_load_l_max = true;
}

}  // namespace tov

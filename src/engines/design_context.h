#pragma once
// What a design run works on: the window, the core table and the user.

#include "state/core_table.h"
#include "state/user_interface.h"
#include "state/window_model.h"

namespace tov {

struct DesignContext {
  WindowModel& window;
  const CoreTable& cores;
  UserInterface& ui;
};

}  // namespace tov

#pragma once
// ValidateInputs: asks until every design input holds an acceptable number.

#include "state/window_model.h"
#include "ui/logic/user_interface.h"

namespace tov {

// Checks the seven input fields in their fixed order (numeric loop, then
// range loop, each asking again with an "Invalid Entry" input box), then,
// while Full Load L Maximum is checked, that No Load L exceeds Full Load L.
// Returns only when every field passes; changes nothing but the texts of the
// input fields. An answer in the range loop or the cross-check that is not a
// number goes back through the numeric loop of its field.
void ValidateInputs(WindowModel& window, UserInterface& ui);

}  // namespace tov

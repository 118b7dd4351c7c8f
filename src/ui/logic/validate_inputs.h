#pragma once
// ValidateInputs: asks until every design input holds an acceptable number.

#include <optional>

#include "state/validation.h"
#include "ui/logic/user_interface.h"
#include "ui/logic/window_model.h"

namespace tov {

// Checks the seven input fields in their fixed order (numeric loop, then
// range loop, each asking again with an "Invalid Entry" input box), then,
// while Full Load L Maximum is checked, that No Load L exceeds Full Load L.
// Returns only when every field passes; changes nothing but the texts of the
// input fields. An answer in the range loop or the cross-check that is not a
// number goes back through the numeric loop of its field.
void ValidateInputs(WindowModel& window, UserInterface& ui);

// The first input box the checks would show for the window's current texts,
// or nullopt when every field passes (used where no one can answer).
std::optional<InputPrompt> FirstInputPrompt(const WindowModel& window);

}  // namespace tov

#pragma once
// ValidateInputs: re-prompts until every design input holds an acceptable number.

#include <optional>
#include <string>

#include "state/user_interface.h"
#include "state/window_model.h"

namespace tov {

// Checks txtIdc, txtIdelta, txtFreq, txtCurDens, txtLfl, txtLnl and
// txtTempInput in this order (numeric loop, then range loop, each re-prompting
// with an "Invalid Entry" input box), then, while Full Load L Maximum is
// checked, that No Load L exceeds Full Load L. Returns only when every field
// passes; changes nothing but the texts of the input fields. An answer in the
// range loop or the cross-check that is not a number goes back through the
// numeric loop of its field. The range loop also asks again for a value that
// a 4-byte float cannot hold, and for one above 0 that it stores as 0.
void ValidateInputs(WindowModel& window, UserInterface& ui);

// An input box of ValidateInputs.
struct InputPrompt {
  std::string prompt;  // lines separated by carriage returns
  std::string title;   // "Invalid Entry"
  std::string default_answer;
};

// The first input box ValidateInputs would show for the window's current
// texts, or nullopt when every field passes (used where no one can answer).
std::optional<InputPrompt> FirstInputPrompt(const WindowModel& window);

}  // namespace tov

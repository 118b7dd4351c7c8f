#pragma once
// The rules of the design inputs: which texts the window accepts, and the
// input box that asks again for one it does not.

#include <cstddef>
#include <optional>
#include <string>

namespace tov {

// An input box that asks for a field again.
struct InputPrompt {
  std::string prompt;  // lines separated by carriage returns
  std::string title;   // "Invalid Entry"
  std::string default_answer;
};

// The fields are checked in the order of kInputFields (dc_current, ripple_current,
// frequency, current_density, full_load_l, no_load_l, allowable_rise), each first for being a
// number, then for its range; then, while Full Load L Maximum is checked,
// No Load L must exceed Full Load L (both as 4-byte floats).

// The box the input field kInputFields[index] calls for with `text`: its
// numeric message while the text is not a number, its range message while
// the value is out of range; nullopt once it passes.
std::optional<InputPrompt> FieldPrompt(std::size_t index, const std::string& text);

// The seven input fields, and the index of No Load L among them.
inline constexpr std::size_t kInputFieldCount = 7;
inline constexpr std::size_t kNoLoadFieldIndex = 5;

// Whether No Load L exceeds Full Load L, as the cross-check compares them.
bool NoLoadExceedsFullLoad(const std::string& full_load_l, const std::string& no_load_l);

// The cross-check's box, offering the full-load value times 1.5.
InputPrompt CrossCheckPrompt(const std::string& full_load_l);

}  // namespace tov

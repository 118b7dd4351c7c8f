#pragma once
// Texts of message boxes and input-box prompts.

namespace tov {

// A line break in a message or a prompt is a single carriage return ("\r");
// an empty line is two in a row.
inline constexpr char kLineBreak = '\r';

}  // namespace tov

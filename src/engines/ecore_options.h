#pragma once
// Options that only toroids may use, taken back when Velmax E-cores are designed.

#include <string_view>

#include "engines/design_context.h"

namespace tov {

inline constexpr std::string_view kInvalidOptionTitle = "Invalid Option";
inline constexpr std::string_view kInvalidStackTitle = "Invalid Stack";

// With Velmax E-cores selected: a stack of more than one core goes back to one
// (then the stack message under `stack_title`), and a checked Single Layer
// Choke shows its message and loses its check mark. Nothing for toroids.
void ResetECoreOptions(DesignContext ctx, std::string_view stack_title);

}  // namespace tov

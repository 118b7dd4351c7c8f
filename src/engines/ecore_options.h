#pragma once
// Options that only toroids may use, taken back when Velmax E-cores are designed.

#include <cstdint>
#include <string_view>

#include "engines/notice.h"
#include "state/material.h"

namespace tov {

// With E-cores: a stack_count above one goes back to one (then the stack
// notice under `stack_title`), and a set single_layer gives its notice and
// is cleared. Nothing for toroids.
void ResetECoreOptions(Material material, int16_t& stack_count, bool& single_layer,
                       std::string_view stack_title, Notices& notices);

}  // namespace tov

#pragma once
// Reading the design inputs of a run from the input fields. Each reader
// returns nullopt when its value cannot be formed, so that the run keeps the
// value it had (the step rule).

#include <cstdint>
#include <optional>

#include "state/window_model.h"

namespace tov {

// The field's text as a number (8 bytes); nullopt when it is not a number.
std::optional<double> FieldNumber(const TextBox& field);

// The field's text as a 4-byte quantity; nullopt also beyond the float range.
std::optional<float> FieldSingle(const TextBox& field);

// An inductance field (uH for the whole stack) as mH per core:
// value x 0.001 / StackCount.
std::optional<float> PerCoreInductance(const TextBox& field, int16_t StackCount);

// Peak current Idc + 0.5 dI, A (dI peak to peak).
std::optional<float> PeakCurrent(float Idc, float dI);

}  // namespace tov

#include "engines/design_inputs.h"

#include "state/number_text.h"
#include "state/numeric.h"

namespace tov {

std::optional<double> FieldNumber(const TextBox& field) {
  return ParseNumber(field.text);
}

std::optional<float> FieldSingle(const TextBox& field) {
  const auto value = FieldNumber(field);
  if (!value) return std::nullopt;
  return ToSingle(*value);
}

std::optional<float> PerCoreInductance(const TextBox& field, int16_t StackCount) {
  const auto uH = FieldNumber(field);
  if (!uH || StackCount == 0) return std::nullopt;
  return ToSingle(*uH * 0.001 / StackCount);
}

std::optional<float> PeakCurrent(float Idc, float dI) {
  return ToSingle(static_cast<double>(Idc) + 0.5 * static_cast<double>(dI));
}

}  // namespace tov

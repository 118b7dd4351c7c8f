#include "state/core_table.h"

#include "state/number_text.h"
#include "state/numeric.h"

namespace tov {

std::optional<double> CoreCell::AsDouble() const {
  if (const auto* number = std::get_if<double>(&value_)) return *number;
  if (const auto* text = std::get_if<std::string>(&value_)) return ParseNumber(*text);
  return 0.0;
}

std::optional<float> CoreCell::AsSingle() const {
  const std::optional<double> value = AsDouble();
  if (!value) return std::nullopt;
  return ToSingle(*value);
}

std::string CoreCell::Display() const {
  if (const auto* number = std::get_if<double>(&value_)) return PlainNumberText(*number, 15);
  if (const auto* text = std::get_if<std::string>(&value_)) return *text;
  return {};
}

}  // namespace tov

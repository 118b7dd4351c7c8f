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

void CoreTable::Set(int row, CoreColumn column, CoreCell value) {
  CoreCell& cell = cells_[Index(row, column)];
  cell = std::move(value);
  CoreRowNumbers& numbers = numbers_[static_cast<std::size_t>(row - 1)];
  const std::size_t c = static_cast<std::size_t>(column) - 1;
  const uint32_t bit = CoreRowNumbers::Bit(column);
  const std::optional<double> number = cell.AsDouble();
  const std::optional<float> single = cell.AsSingle();
  numbers.value[c] = number.value_or(0);
  numbers.single[c] = single.value_or(0);
  numbers.has_value = number ? numbers.has_value | bit : numbers.has_value & ~bit;
  numbers.has_single = single ? numbers.has_single | bit : numbers.has_single & ~bit;
}

}  // namespace tov

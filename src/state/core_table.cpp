#include "state/core_table.h"

#include <algorithm>
#include <cstdint>

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

CoreCell CoreTable::Cell(int row, CoreColumn column) const {
  const StoredCell& cell = cells_[Index(row, column)];
  switch (static_cast<CoreCell::Kind>(cell.text_size >> kKindShift)) {
    case CoreCell::Kind::Number:
      return CoreCell::Number(Numbers(row).value[static_cast<std::size_t>(column) - 1]);
    case CoreCell::Kind::Text:
      return CoreCell::Text(
          texts_.substr(cell.text_offset, cell.text_size & ((1u << kKindShift) - 1)));
    case CoreCell::Kind::Empty:
      break;
  }
  return {};
}

std::string CoreTable::Display(int row, CoreColumn column) const {
  const StoredCell& cell = cells_[Index(row, column)];
  switch (static_cast<CoreCell::Kind>(cell.text_size >> kKindShift)) {
    case CoreCell::Kind::Number:
      return PlainNumberText(Numbers(row).value[static_cast<std::size_t>(column) - 1], 15);
    case CoreCell::Kind::Text:
      return texts_.substr(cell.text_offset, cell.text_size & ((1u << kKindShift) - 1));
    case CoreCell::Kind::Empty:
      break;
  }
  return {};
}

std::string CoreTable::PartNumber(int row, bool e_core) const {
  std::string part = Display(row, CoreColumn::PartNo);
  if (!e_core) part += Display(row, CoreColumn::PartSuffix);
  return part;
}

void CoreTable::Set(int row, CoreColumn column, const CoreCell& value) {
  // A replaced text stays in the string unused: cells are set once, at load
  // (the loader reads at most 16 MB, far below the 1 GB a text may hold).
  const std::string_view text = value.TextValue();
  StoredCell& cell = cells_[Index(row, column)];
  cell.text_offset = static_cast<uint32_t>(texts_.size());
  cell.text_size =
      static_cast<uint32_t>(text.size()) | (static_cast<uint32_t>(value.KindOf()) << kKindShift);
  texts_.append(text);

  CoreRowNumbers& numbers = numbers_[static_cast<std::size_t>(row - 1)];
  const uint32_t bit = CoreRowNumbers::Bit(column);
  const std::optional<double> number = value.AsDouble();
  numbers.value[static_cast<std::size_t>(column) - 1] = number.value_or(0);
  numbers.has_value = number ? numbers.has_value | bit : numbers.has_value & ~bit;
}

}  // namespace tov

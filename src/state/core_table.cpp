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

namespace {

// A number cell as shown: plain decimal form (125, 0.5).
std::string ShownNumber(double value) {
  return PlainNumberText(value, 15);
}

}  // namespace

std::string CoreCell::Display() const {
  if (const auto* number = std::get_if<double>(&value_)) return ShownNumber(*number);
  if (const auto* text = std::get_if<std::string>(&value_)) return *text;
  return {};
}

CoreTable::StoredValue CoreTable::Stored(int row, CoreColumn column) const {
  const StoredCell& cell = cells_[Index(row, column)];
  const auto kind = static_cast<CoreCell::Kind>(cell.text_size >> kKindShift);
  switch (kind) {
    case CoreCell::Kind::Number:
      return {kind, Numbers(row).value[static_cast<std::size_t>(column) - 1], {}};
    case CoreCell::Kind::Text:
      return {kind, 0,
              std::string_view(texts_).substr(cell.text_offset,
                                              cell.text_size & ((1u << kKindShift) - 1))};
    case CoreCell::Kind::Empty:
      break;
  }
  return {CoreCell::Kind::Empty, 0, {}};
}

CoreCell CoreTable::Cell(int row, CoreColumn column) const {
  const StoredValue cell = Stored(row, column);
  if (cell.kind == CoreCell::Kind::Number) return CoreCell::Number(cell.number);
  if (cell.kind == CoreCell::Kind::Text) return CoreCell::Text(std::string(cell.text));
  return {};
}

std::string CoreTable::Display(int row, CoreColumn column) const {
  const StoredValue cell = Stored(row, column);
  if (cell.kind == CoreCell::Kind::Number) return ShownNumber(cell.number);
  return std::string(cell.text);  // empty for an empty cell
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

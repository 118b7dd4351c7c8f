#pragma once
// CoreTable: the core database in memory, 552 rows by 16 columns of loosely
// typed cells, grouped in four material sections each closed by an end row.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "state/material.h"

namespace tov {

inline constexpr int kCoreRows = 552;
inline constexpr int kCoreColumns = 16;
inline constexpr int kCoreValues = kCoreRows * kCoreColumns;  // 8832

// SizeFigure of every EndRow; no core row carries it.
inline constexpr double kEndRowSizeFigure = 99999;

// Columns, 1-based as in the file. PartSuffix of a toroid row is BobbinPN of an E-core row.
enum class CoreColumn : int {
  PartNo = 1,
  PathLen = 2,     // le, cm
  WindID = 3,      // toroid: winding inside diameter, in; E-core: wound length of the set, in
  WindOD = 4,      // toroid: winding outside diameter, in; E-core: wound width of the set, in
  WindHt = 5,      // toroid: winding height, in; E-core: mean length per turn, cm
  CoreArea = 6,    // Ae, cm^2
  WindowArea = 7,  // Wa, cm^2
  Spare8 = 8,
  SizeFigure = 9,    // Wa^2 Ae / le, cm^5
  SurfaceArea = 10,  // E-core: surface of the wound core, cm^2
  Perm = 11,         // ui
  AL = 12,           // mH per 1000 turns
  PartSuffix = 13,
  BobbinPN = 13,
  NomID = 14,  // toroid: nominal ID, in; E-core: length of the core set, in
  NomOD = 15,  // toroid: nominal OD, in; E-core: width of the core set, in
  NomHt = 16,  // toroid: nominal height, in; E-core: height of the core bobbin, in
};

// One value as read from the database: empty, a number or a text.
class CoreCell {
 public:
  CoreCell() = default;
  static CoreCell Number(double value) { return CoreCell(Value(value)); }
  static CoreCell Text(std::string text) { return CoreCell(Value(std::move(text))); }

  bool IsEmpty() const { return std::holds_alternative<std::monostate>(value_); }
  bool IsNumber() const { return std::holds_alternative<double>(value_); }

  // The cell as a consumer converts it to a number: a number as it is, a text
  // that is a number by its value, an empty cell as 0; nullopt for other texts.
  std::optional<double> AsDouble() const;
  // The same, stored as a 4-byte float; nullopt also beyond the float range.
  std::optional<float> AsSingle() const;
  // The text shown for the cell: a text exactly as read, a number in plain
  // decimal form (125, 0.5), an empty cell as the empty text.
  std::string Display() const;

 private:
  using Value = std::variant<std::monostate, double, std::string>;
  explicit CoreCell(Value v) : value_(std::move(v)) {}
  Value value_;
};

// The numeric reading of one row's cells, made once when a cell is set so
// that a design run reads a number without parsing or branching on the
// cell's kind: each column as CoreCell::AsDouble and CoreCell::AsSingle
// give it, with a bit per column that says whether it has that value.
struct CoreRowNumbers {
  std::array<double, kCoreColumns> value{};
  std::array<float, kCoreColumns> single{};
  uint32_t has_value = 0;   // bit (column - 1): AsDouble has a value
  uint32_t has_single = 0;  // bit (column - 1): AsSingle has a value

  static constexpr uint32_t Bit(CoreColumn column) {
    return uint32_t{1} << (static_cast<int>(column) - 1);
  }
  std::optional<double> Number(CoreColumn column) const {
    if ((has_value & Bit(column)) == 0) return std::nullopt;
    return value[static_cast<std::size_t>(column) - 1];
  }
  std::optional<float> Single(CoreColumn column) const {
    if ((has_single & Bit(column)) == 0) return std::nullopt;
    return single[static_cast<std::size_t>(column) - 1];
  }
};

class CoreTable {
 public:
  CoreTable() : cells_(kCoreValues), numbers_(kCoreRows) {
    for (CoreRowNumbers& row : numbers_) row.has_value = row.has_single = (1u << kCoreColumns) - 1;
  }

  // Whether a row number lies in the table (1..552).
  static constexpr bool IsRow(int row) { return row >= 1 && row <= kCoreRows; }

  // Cell of (row, column); row 1..552. Callers guarantee the row lies in the table.
  const CoreCell& Cell(int row, CoreColumn column) const { return cells_[Index(row, column)]; }
  void Set(int row, CoreColumn column, CoreCell value);

  // The numbers of a row's cells, as Cell(row, column).AsDouble() and
  // AsSingle() give them; row 1..552.
  const CoreRowNumbers& Numbers(int row) const {
    return numbers_[static_cast<std::size_t>(row - 1)];
  }

 private:
  static std::size_t Index(int row, CoreColumn column) {
    return static_cast<std::size_t>((row - 1) * kCoreColumns + (static_cast<int>(column) - 1));
  }
  std::vector<CoreCell> cells_;
  std::vector<CoreRowNumbers> numbers_;
};

}  // namespace tov

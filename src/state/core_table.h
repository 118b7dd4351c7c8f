#pragma once
// CoreTable: the core database in memory, 552 rows by 16 columns of loosely
// typed cells, grouped in four material sections each closed by an end row.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "state/material.h"
#include "state/numeric.h"

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
  enum class Kind : uint8_t { Empty, Number, Text };

  CoreCell() = default;
  static CoreCell Number(double value) { return CoreCell(Value(value)); }
  static CoreCell Text(std::string text) { return CoreCell(Value(std::move(text))); }

  bool IsEmpty() const { return std::holds_alternative<std::monostate>(value_); }
  bool IsNumber() const { return std::holds_alternative<double>(value_); }
  Kind KindOf() const { return static_cast<Kind>(value_.index()); }
  // The number of a number cell, the text of a text cell.
  double NumberValue() const { return IsNumber() ? std::get<double>(value_) : 0; }
  std::string_view TextValue() const {
    const auto* text = std::get_if<std::string>(&value_);
    return text ? std::string_view(*text) : std::string_view();
  }

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

// The numbers of one row's cells, as CoreCell::AsDouble gives them, with a
// bit per column that says whether the cell has one. Kept for every row so
// that a design run reads a number without parsing or branching on the
// cell's kind.
struct CoreRowNumbers {
  std::array<double, kCoreColumns> value{};
  uint32_t has_value = (uint32_t{1} << kCoreColumns) - 1;  // bit (column - 1)

  static constexpr uint32_t Bit(CoreColumn column) {
    return uint32_t{1} << (static_cast<int>(column) - 1);
  }
  // As Cell(row, column).AsDouble().
  std::optional<double> Number(CoreColumn column) const {
    if ((has_value & Bit(column)) == 0) return std::nullopt;
    return value[static_cast<std::size_t>(column) - 1];
  }
  // As Cell(row, column).AsSingle().
  std::optional<float> Single(CoreColumn column) const {
    if ((has_value & Bit(column)) == 0) return std::nullopt;
    return ToSingle(value[static_cast<std::size_t>(column) - 1]);
  }
};

// The table keeps its cells compactly (a program reads it at every start):
// the numbers of each row, and the kind and text of each cell, the texts
// one after the other in one string.
class CoreTable {
 public:
  CoreTable() : cells_(kCoreValues), numbers_(kCoreRows) {}

  // Whether a row number lies in the table (1..552).
  static constexpr bool IsRow(int row) { return row >= 1 && row <= kCoreRows; }

  // Cell of (row, column); row 1..552. Callers guarantee the row lies in the table.
  CoreCell Cell(int row, CoreColumn column) const;
  // The text shown for a cell, as Cell(row, column).Display(), without
  // copying the cell first.
  std::string Display(int row, CoreColumn column) const;
  // The part number a core is sold under: PartNo, followed on a toroid (not
  // an E-core) by its PartSuffix.
  std::string PartNumber(int row, bool e_core) const;
  void Set(int row, CoreColumn column, const CoreCell& value);

  // The numbers of a row's cells; row 1..552.
  const CoreRowNumbers& Numbers(int row) const {
    return numbers_[static_cast<std::size_t>(row - 1)];
  }

 private:
  static std::size_t Index(int row, CoreColumn column) {
    return static_cast<std::size_t>((row - 1) * kCoreColumns + (static_cast<int>(column) - 1));
  }
  // A cell's kind and, for a text, where its text lies in texts_.
  struct StoredCell {
    uint32_t text_offset = 0;
    uint32_t text_size = 0;  // the top two bits hold the kind
  };
  // A cell as kept: its kind, and its number or a view of its text.
  struct StoredValue {
    CoreCell::Kind kind;
    double number;
    std::string_view text;
  };
  StoredValue Stored(int row, CoreColumn column) const;
  static constexpr uint32_t kKindShift = 30;
  std::vector<StoredCell> cells_;
  std::vector<CoreRowNumbers> numbers_;
  std::string texts_;
};

}  // namespace tov

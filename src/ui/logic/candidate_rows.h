#pragma once
// The "Compare Cores" table without any toolkit: one line of texts per
// candidate core, each cell with the number it sorts by, and the table of
// the window's current request.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engines/candidates.h"
#include "state/core_table.h"

namespace tov {

class FrmTov;

enum class CandidateColumn : int {
  PartNumber,
  Material,
  Perm,
  Stack,
  Turns,
  Wire,
  Fill,
  LFullLoad,   // uH, whole stack
  LNoLoad,     // uH, whole stack
  UePercent,   // effective permeability at full load, % of the initial one
  Resistance,  // ohms
  CoreLoss,    // mW
  CopperLoss,  // mW
  TotalLoss,   // mW
  TempRise,    // deg C
  WoundSize,   // inches or millimetres
  Header,      // recommended header or bobbin part number
  FailedTests,
};
inline constexpr std::size_t kCandidateColumnCount = 18;

// The heading of a column; the wound size says its unit.
std::string CandidateColumnTitle(CandidateColumn column, bool metric);

struct CandidateCell {
  std::string text;
  std::optional<double> number;  // what the column sorts by; nullopt: by the text
};

struct CandidateRow {
  Material material = Material::Velmax;
  int16_t row = 0;  // core row
  int16_t StackCount = 1;
  bool passes = false;
  bool search_pick = false;     // Calculate picks it for its material and stack count
  bool calculate_pick = false;  // Calculate picks it for the window's material and stack count
  std::array<CandidateCell, kCandidateColumnCount> cells;
  const CandidateCell& Cell(CandidateColumn column) const {
    return cells[static_cast<std::size_t>(column)];
  }
};

// One line per candidate, in their order, with the texts of the main
// window's digit patterns (losses always in mW). A candidate that could not
// be wound has empty wound size, resistance, copper and total loss,
// temperature rise and header. The failed tests read "name value op limit",
// for example "fill 0.61 ≥ 0.48", and sort by their count. `material` and
// `StackCount` are the window's: the line Calculate picks for them is marked.
std::vector<CandidateRow> CandidateRows(const std::vector<Candidate>& candidates,
                                        const CoreTable& cores, bool metric, Material material,
                                        int16_t StackCount);

// The table of the window's current request (its texts, material and
// options): every material on one to five stacked cores, passing lines first.
struct CompareTable {
  // Why there is no table: the input box the inputs call for ("Title: text",
  // line breaks as spaces). Empty when the inputs are acceptable.
  std::string problem;
  std::vector<CandidateRow> rows;
  Notices notices;  // the wire too large for six strands applies to every line
};
CompareTable CompareCores(const FrmTov& form);

}  // namespace tov

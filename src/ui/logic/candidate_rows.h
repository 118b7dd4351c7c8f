#pragma once
// The "Compare Cores" table without any toolkit: one line per candidate
// core, each cell's text (formatted only when asked for) and the number it
// sorts by, and the table of the window's current request.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engines/candidates.h"
#include "state/core_table.h"
#include "ui/logic/user_interface.h"

namespace tov {

class DesignController;

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

// One line of the table: a candidate, whether it passes, and whether it is
// the core Calculate picks for the window's material and stack count.
struct CandidateRow {
  Candidate candidate;
  bool passes = false;
  bool calculate_pick = false;
};

// The lines of the candidates, in their order or, with `passing_first`, the
// passing ones first (each part in their order). `material` and
// `stack_count` are the window's: the line Calculate picks for them is marked.
std::vector<CandidateRow> CandidateRows(std::vector<Candidate> candidates, Material material,
                                        int16_t stack_count, bool passing_first);

// The text of a cell, in the main window's digit patterns (losses always in
// mW). A candidate that could not be wound has empty wound size, resistance,
// copper and total loss, temperature rise and header. The failed tests read
// "name value op limit", for example "fill 0.61 ≥ 0.48".
std::string CellText(const CandidateRow& row, CandidateColumn column, const CoreTable& cores,
                     bool metric);

// The number a cell sorts by: the value shown (the wire by its gauge, the
// wound size by its first figure, the failed tests by their count); nullopt
// for an empty cell and for the part number, material and header, which
// sort by their text.
std::optional<double> CellNumber(const CandidateRow& row, CandidateColumn column,
                                 const CoreTable& cores);

// The table of the window's current request (its texts, material and
// options): every material on one to five stacked cores, passing lines first.
struct CompareTable {
  // Why there is no table: the input box the inputs call for ("Title: text",
  // line breaks as spaces). Empty when the inputs are acceptable.
  std::string problem;
  std::vector<CandidateRow> rows;
  // What the table says beside its counts: the core Calculate picks, and
  // what applies to every line (the wire too large for six strands).
  std::string notes;
};
CompareTable CompareCores(const DesignController& form);

// The counts of the table as filtered, `shown` of `total` lines of which
// `shown_passing` pass, followed by the table's notes: "2620 lines (every
// core on 1 to 5 stacked cores), 1508 pass." while every line is shown,
// else "412 of 2620 lines shown, 230 of them pass.".
std::string CompareSummary(std::size_t shown, std::size_t shown_passing, std::size_t total,
                           const std::string& notes);

// The lines as CSV: the headings, then one record of texts per line.
std::string CandidateRowsCsv(const std::vector<CandidateRow>& rows, const CoreTable& cores,
                             bool metric);

// Asks for a file name (CSV files offered first, ".csv" added to a name
// without extension, an existing file replaced only after asking) and writes
// the lines to it, never over `design_file` (the design's file, or empty);
// tells the user when the file cannot be written.
void ExportCandidateRows(const std::vector<CandidateRow>& rows, const CoreTable& cores, bool metric,
                         const std::string& design_file, UserInterface& ui);

}  // namespace tov

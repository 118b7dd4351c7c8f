#pragma once
// The engineering report of the design shown, as page data free of any
// toolkit: a title block that identifies the design, the requirement table
// made from the design's checks, the core, winding, losses and temperature
// rise as label and value tables, the inductance-against-current curve with
// the Full Load L line, and the inputs, options and worst case that follow.

#include <optional>
#include <string>
#include <vector>

#include "engines/curves.h"
#include "io/report_lines.h"
#include "ui/logic/design_controller.h"
#include "ui/logic/part_drawing.h"

namespace tov {

// What the user writes into the title block; the desktop keeps it between runs.
struct ReportSignature {
  std::string project;
  std::string designed_by;
  friend bool operator==(const ReportSignature&, const ReportSignature&) = default;
};

struct TitleEntry {
  std::string label;  // "Design file"
  std::string value;  // empty where the user left it so
};

enum class CellAlign { Left, Right };

struct TableColumn {
  std::string heading;  // empty: the column has no heading
  double width = 0;     // share of the table's width; the shares of a table add up to 1
  CellAlign align = CellAlign::Left;
};

struct TableRow {
  std::vector<std::string> cells;  // one per column
  bool failed = false;             // a requirement the design does not meet
  std::string note;                // a line below the row across the table (why it fails)
};

struct ReportTable {
  std::string heading;
  std::vector<TableColumn> columns;
  std::vector<TableRow> rows;
};

struct EngineeringReport {
  std::string title;
  std::vector<TitleEntry> title_block;
  ReportTable requirements;          // no rows while no design is shown
  std::vector<ReportTable> design;   // core, winding, losses, temperature rise
  std::optional<Curve> chart;        // while a design is shown
  std::optional<PartDrawing> part;   // the wound core to scale, while one can be drawn
  std::vector<ReportTable> details;  // inputs, options, date and worst case, after the first page
};

// The title of the report and of the printed one.
inline constexpr const char* kReportTitle = "Corvane DC Inductor Design";

// The report of the design `frm` shows, dated `date` and signed `signature`.
// The title block names the design file (its name alone; "not saved" when
// there is none), the date, the program's version, the core database's
// fingerprint, the project and the designer. The chart is the inductance
// curve with the operating points and a "Full Load L" line at the required
// full-load inductance. The part is the wound core drawn to scale in the
// window's units. The details are the lines of the exported inputs and
// worst-case sections as label and value tables. Reads the controller and
// changes nothing.
EngineeringReport BuildEngineeringReport(const DesignController& frm, const std::string& date,
                                         const ReportSignature& signature);

}  // namespace tov

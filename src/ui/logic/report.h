#pragma once
// The printed report of the design shown: its content as lines of text items
// at character columns, and the same content as plain text.

#include <string>
#include <vector>

#include "io/report_lines.h"
#include "ui/logic/window_model.h"

namespace tov {

// The report of the design the window shows, built from the texts of its
// output fields, the strand count, the loss total, the units factor, the
// material and the single-layer check mark. Reads nothing else and changes
// nothing. Labels stand at column 1 and values at column 30, the no-load
// inductance right after its label; only the title line is bold.
ReportDocument BuildReport(const WindowModel& window);

// The report as plain text lines: an item at column c starts at character c
// (columns count characters, not bytes), or one blank after the text before
// it when that already reaches the column; column 0 follows directly.
std::vector<std::string> RenderReportText(const ReportDocument& report);

}  // namespace tov

#pragma once
// What the exported report adds below the printed one: the design inputs as
// their fields show them, the options, the date and the design file.

#include <string>

#include "io/report_lines.h"
#include "ui/logic/window_model.h"

namespace tov {

// Lines in the layout of the printed report (labels at column 1, values at
// column 36, headings bold): "Design Inputs" with the seven input fields,
// "Options" with the material, stacked cores, ambient temperature, Single
// Layer Choke, Full Load L Maximum and the dimension units, then "Date: "
// with `date` and, when `design_file` is not empty, "Design File: " with it.
ReportDocument BuildInputsReport(const WindowModel& window, const std::string& date,
                                 const std::string& design_file);

}  // namespace tov

#pragma once
// The worst case of the design as a section of the exported report.

#include "engines/worst_case.h"
#include "io/report_lines.h"

namespace tov {

// Lines in the layout of the printed report (labels at column 1, values at
// column 36, the heading bold): "Worst Case", the AL tolerance, the least
// full-load inductance, and the winding at its final temperature
// (resistance, copper temperature, copper and total loss, temperature rise;
// "No value (thermal runaway)" where the rise does not settle), then a line
// that says the figures above it are nominal.
ReportDocument BuildWorstCaseReport(const WorstCase& worst);

}  // namespace tov

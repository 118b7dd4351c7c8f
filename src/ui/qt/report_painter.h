#pragma once
// Puts the printed report on a page: the document's font size in the
// printer's default sans-serif face, bold lines in bold, each text item at
// its character column measured in the font's average character width.

#include <QPainter>
#include <QPrinter>
#include <QString>

#include "io/report_lines.h"

namespace tov::qt {

// Paints the report's lines from `top` down (device units) on the painter's
// device, going on on a new page where a paged device's page is full;
// returns the top of the line that would follow, on the page painted last.
double PaintReportLines(QPainter& painter, const ReportDocument& report, double top);

// Paints the report on one page of `printer` (already set up) and ends the
// document. False when the printer could not be started.
bool PaintReport(const ReportDocument& report, QPrinter& printer);

// Writes the report as a one-page PDF file at `path`. False when the file
// could not be written.
bool WriteReportPdf(const ReportDocument& report, const QString& path);

}  // namespace tov::qt

#pragma once
// The design as a PDF file to hand on: the engineering report, its first
// page with the title block, the requirement table, the design's figures and
// the inductance chart, then the inputs, options and worst case. A vector
// file whose text is text, on the paper of the locale.

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <filesystem>

#include "ui/logic/design_controller.h"
#include "ui/logic/engineering_report.h"

namespace tov::qt {

// The date as the report prints it: "2024-05-06 09:30".
std::string ReportDate(const QDateTime& when);

// Writes the report of the design `frm` shows to `path` (a file name as
// bytes), dated `when` and signed `signature`, on the paper of `locale`, as
// every export is saved: an existing file is replaced only once the new one
// is complete, and never the design file itself. Returns the empty text, or
// why nothing was written. Without a design the chart is left out.
QString WriteDesignPdf(const DesignController& frm, const std::filesystem::path& path,
                       const QDateTime& when, const ReportSignature& signature,
                       const QLocale& locale = QLocale());

}  // namespace tov::qt

#pragma once
// The design as a PDF file for a design review: the printed report as the
// Print button prints it, below it the design's inputs and options, the date
// and the design file's name, the worst case, then the inductance-against-
// current curve. A vector file whose text is text.

#include <QDateTime>
#include <QString>
#include <filesystem>

#include "ui/logic/design_controller.h"

namespace tov::qt {

// Writes the PDF of the design `frm` shows to `path` (a file name as bytes),
// dated `when`, as every export is saved: an existing file is replaced only
// once the new one is complete, and never the design file itself. Returns
// the empty text, or why nothing was written. Without a design the curve is
// left out.
QString WriteDesignPdf(const DesignController& frm, const std::filesystem::path& path,
                       const QDateTime& when);

}  // namespace tov::qt

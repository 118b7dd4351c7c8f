#pragma once
// The design as a PDF file for a design review: the printed report as the
// Print button prints it, below it the design's inputs and options, the date
// and the design file's name, the worst case, then the inductance-against-
// current curve. A vector file whose text is text.

#include <QDateTime>
#include <QString>

#include "ui/logic/design_controller.h"

namespace tov::qt {

// Writes the PDF of the design `frm` shows to `path`, dated `when`; an
// existing file is replaced only once the new one is complete. Returns the
// empty text, or why it failed. Without a design the curve is left out.
QString WriteDesignPdf(const DesignController& frm, const QString& path, const QDateTime& when);

}  // namespace tov::qt

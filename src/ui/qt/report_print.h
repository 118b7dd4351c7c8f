#pragma once
// File > Print Report... and the title block asked before Export PDF: a small
// form for the report's Project and Designed by lines (remembered between
// runs), then the print dialog (printer, copies) or a preview.

#include <QDialog>
#include <QLineEdit>
#include <QPrinter>
#include <optional>

#include "ui/logic/design_controller.h"
#include "ui/logic/engineering_report.h"

namespace tov::qt {

// The form: Project and Designed by, filled in with the remembered lines.
// Accepted with `accept_text`; with `preview` it also offers "Preview...",
// which ends it with kPreviewChosen.
class ReportSignatureDialog : public QDialog {
 public:
  static constexpr int kPreviewChosen = 2;
  ReportSignatureDialog(QWidget* parent, const QString& title, const QString& accept_text,
                        bool preview);
  ReportSignature Signature() const;

 private:
  QLineEdit* project_;
  QLineEdit* designed_by_;
};

// Asks for the title block lines before a PDF export; remembers them.
// nullopt when the user cancelled.
std::optional<ReportSignature> AskReportSignature(QWidget* parent);

// Paints the report on `printer`, set up already (its copies are the
// printer's own). False when the printer could not be started or finished.
bool PrintEngineeringReport(const EngineeringReport& report, QPrinter& printer);

// File > Print Report...: the form, then the print dialog or the preview, of
// the design `frm` shows, dated now. Says so in a box when printing failed.
void PrintDesignReport(QWidget* parent, const DesignController& frm);

}  // namespace tov::qt

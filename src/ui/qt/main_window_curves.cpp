// The views of the design shown that the main window opens: the Curves
// and Part windows, which follow every new design, and the PDF export. (The SPICE
// export is the window logic's own, ExportSpiceModel.)

#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "state/message_titles.h"
#include "ui/qt/design_pdf.h"
#include "ui/qt/main_window.h"
#include "ui/qt/report_print.h"
#include "ui/qt/window_placement.h"

namespace tov::qt {

void MainWindow::OpenCurves() {
  if (!frm_.ShownDesign()) return;
  if (!curves_) {
    // A window of its own over the main window, which it closes with.
    curves_ = new CurvesWindow(this);
    curves_->setAttribute(Qt::WA_DeleteOnClose);
    curves_->Follow(frm_.ShownDesign(), frm_.Cores(), frm_.DesignFile());
    OpenOver(*curves_, this, curves_->size());
    curves_->show();
  }
  curves_->raise();
  curves_->activateWindow();
}

void MainWindow::OpenPart() {
  if (!frm_.ShownDesign()) return;
  if (!part_) {
    part_ = new PartWindow(this);
    part_->setAttribute(Qt::WA_DeleteOnClose);
    part_->Follow(frm_.ShownDesign(), frm_.Cores(), frm_.Model().state.metric, frm_.DesignFile());
    OpenOver(*part_, this, part_->size());
    part_->show();
  }
  part_->raise();
  part_->activateWindow();
}

void MainWindow::MirrorDesignViews() {
  menus_.mnuCurves->setEnabled(frm_.ShownDesign().has_value());
  menus_.part->setEnabled(frm_.ShownDesign().has_value());
  menus_.mnuExportSpice->setEnabled(frm_.ShownDesign().has_value());
  menus_.export_mas->setEnabled(frm_.ShownDesign().has_value());
  if (curves_) curves_->Follow(frm_.ShownDesign(), frm_.Cores(), frm_.DesignFile());
  if (part_) {
    part_->Follow(frm_.ShownDesign(), frm_.Cores(), frm_.Model().state.metric, frm_.DesignFile());
  }
}

void MainWindow::ExportPdf() {
  const QFileInfo design(QString::fromStdString(frm_.DesignFile()));
  const QString suggested = frm_.DesignFile().empty()
                                ? QDir::home().filePath("design.pdf")
                                : design.absoluteDir().filePath(design.completeBaseName() + ".pdf");
  const std::optional<ReportSignature> signature = AskReportSignature(this);
  if (!signature) return;
  QString path = QFileDialog::getSaveFileName(this, "Export PDF", suggested, "PDF Files (*.pdf)");
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += ".pdf";
  const QString problem = WriteDesignPdf(frm_, QFile::encodeName(path).toStdString(),
                                         QDateTime::currentDateTime(), *signature);
  if (!problem.isEmpty()) {
    QMessageBox::warning(this, kExportPdfTitle,
                         "The design could not be exported as\n" + path + "\n\n" + problem);
  }
}

}  // namespace tov::qt

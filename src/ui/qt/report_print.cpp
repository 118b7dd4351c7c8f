#include "ui/qt/report_print.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt/design_pdf.h"
#include "ui/qt/desktop_settings.h"
#include "ui/qt/engineering_report_painter.h"

namespace tov::qt {

ReportSignatureDialog::ReportSignatureDialog(QWidget* parent, const QString& title,
                                             const QString& accept_text, bool preview)
    : QDialog(parent), project_(new QLineEdit(this)), designed_by_(new QLineEdit(this)) {
  setWindowTitle(title);
  setObjectName("reportSignature");
  project_->setObjectName("reportProject");
  designed_by_->setObjectName("reportDesignedBy");
  const ReportSignature remembered = RememberedSignature();
  project_->setText(QString::fromStdString(remembered.project));
  designed_by_->setText(QString::fromStdString(remembered.designed_by));
  project_->setMinimumWidth(fontMetrics().averageCharWidth() * 40);

  auto* form = new QFormLayout;
  form->addRow("&Project:", project_);
  form->addRow("&Designed by:", designed_by_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
  QPushButton* accept = buttons->addButton(accept_text, QDialogButtonBox::AcceptRole);
  accept->setObjectName("reportAccept");
  accept->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  if (preview) {
    QPushButton* button = buttons->addButton("Pre&view...", QDialogButtonBox::ActionRole);
    button->setObjectName("reportPreview");
    connect(button, &QPushButton::clicked, this, [this] { done(kPreviewChosen); });
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

ReportSignature ReportSignatureDialog::Signature() const {
  return {project_->text().trimmed().toStdString(), designed_by_->text().trimmed().toStdString()};
}

std::optional<ReportSignature> AskReportSignature(QWidget* parent) {
  ReportSignatureDialog form(parent, "Export PDF", "&Export...", false);
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  RememberSignature(form.Signature());
  return form.Signature();
}

bool PrintEngineeringReport(const EngineeringReport& report, QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  PaintEngineeringReport(painter, report);
  return painter.end();
}

void PrintDesignReport(QWidget* parent, const DesignController& frm) {
  ReportSignatureDialog form(parent, "Print Report", "&Print...", true);
  const int choice = form.exec();
  if (choice == QDialog::Rejected) return;
  RememberSignature(form.Signature());
  const EngineeringReport report =
      BuildEngineeringReport(frm, ReportDate(QDateTime::currentDateTime()), form.Signature());

  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(kReportTitle);
  SetUpReportPages(printer, QLocale());
  if (choice == ReportSignatureDialog::kPreviewChosen) {
    // The preview prints through the print dialog from its own tool bar.
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName("reportPreviewDialog");
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&report](QPrinter* target) { PrintEngineeringReport(report, *target); });
    preview.exec();
    return;
  }
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle("Print Report");
  if (dialog.exec() != QDialog::Accepted) return;
  if (!PrintEngineeringReport(report, printer)) {
    QMessageBox::warning(
        parent, "Print Report",
        QString("The report could not be sent to the printer %1.").arg(printer.printerName()));
  }
}

}  // namespace tov::qt

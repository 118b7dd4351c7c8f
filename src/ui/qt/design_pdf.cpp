#include "ui/qt/design_pdf.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include "io/export_save.h"
#include "ui/qt/engineering_report_painter.h"

namespace tov::qt {

std::string ReportDate(const QDateTime& when) {
  return QLocale::c().toString(when, "yyyy-MM-dd HH:mm").toStdString();
}

QString WriteDesignPdf(const DesignController& frm, const std::filesystem::path& path,
                       const QDateTime& when, const ReportSignature& signature,
                       const QLocale& locale) {
  const EngineeringReport report = BuildEngineeringReport(frm, ReportDate(when), signature);
  QByteArray bytes;
  QBuffer file(&bytes);
  file.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&file);
    pdf.setTitle(kReportTitle);
    pdf.setCreator("Corvane Inductor Design Using Powder Cores");
    SetUpReportPages(pdf, locale);
    QPainter painter;
    if (!painter.begin(&pdf)) return "the PDF could not be started";
    PaintEngineeringReport(painter, report);
    if (!painter.end()) return "the PDF could not be finished";
  }
  return QString::fromStdString(
      SaveExport(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                 frm.DesignFile()));
}

}  // namespace tov::qt

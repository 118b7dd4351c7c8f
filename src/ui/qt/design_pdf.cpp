#include "ui/qt/design_pdf.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <memory>

#include "engines/curves.h"
#include "io/checks_report.h"
#include "io/export_save.h"
#include "io/worst_case_report.h"
#include "ui/logic/report.h"
#include "ui/logic/report_inputs.h"
#include "ui/qt/curve_chart.h"
#include "ui/qt/report_painter.h"

namespace tov::qt {
namespace {

constexpr double kMarginMillimetres = 20.0;
// The chart is laid out at this size (pixels at 96 dpi, some 170 x 100 mm)
// and scaled to the width of the page.
constexpr QSizeF kChartLayout(640, 380);
// The least height of the chart below the text, as a fraction of its full height.
constexpr double kLeastChartHeight = 0.85;

}  // namespace

QString WriteDesignPdf(const DesignController& frm, const std::filesystem::path& path,
                       const QDateTime& when) {
  const WindowModel& window = frm.Model();
  const std::string design_file =
      frm.DesignFile().empty()
          ? std::string()
          : QFileInfo(QString::fromStdString(frm.DesignFile())).fileName().toStdString();
  ReportDocument inputs = BuildInputsReport(
      window, QLocale::c().toString(when, "yyyy-MM-dd HH:mm").toStdString(), design_file);
  inputs.lines.insert(inputs.lines.begin(), ReportLine{});  // a blank line below the report

  QByteArray bytes;
  QBuffer file(&bytes);
  file.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&file);
    pdf.setTitle("Corvane DC Inductor Design");
    pdf.setCreator("Corvane Inductor Design Using Powder Cores");
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&pdf)) return "the PDF could not be started";
    double top = PaintReportLines(painter, BuildReport(window), 0);
    top = PaintReportLines(painter, inputs, top);
    ReportDocument checks = BuildChecksReport(frm.Checks());
    if (!checks.lines.empty()) {
      checks.lines.insert(checks.lines.begin(), ReportLine{});
      top = PaintReportLines(painter, checks, top);
    }
    if (const auto worst = frm.ShownWorstCase()) {
      ReportDocument section = BuildWorstCaseReport(*worst);
      section.lines.insert(section.lines.begin(), ReportLine{});
      top = PaintReportLines(painter, section, top);
    }

    if (const auto& design = frm.ShownDesign()) {
      // The chart below the text, as high as the page allows down to 85 % of
      // its full height, else on a page of its own.
      top += QFontMetricsF(painter.font(), &pdf).lineSpacing();  // a blank line
      const double width = pdf.width();
      const double full_height = width * kChartLayout.height() / kChartLayout.width();
      double height = std::min(full_height, pdf.height() - top);
      if (height < kLeastChartHeight * full_height) {
        pdf.newPage();
        top = 0;
        height = full_height;
      }
      const std::unique_ptr<QChart> chart(
          BuildCurveChart(InductanceCurve(*design), PrintColours()));
      PaintChart(*chart, painter, QRectF(0, top, width, height),
                 QSizeF(kChartLayout.width(), kChartLayout.width() * height / width));
    }
    if (!painter.end()) return "the PDF could not be finished";
  }
  return QString::fromStdString(
      SaveExport(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                 frm.DesignFile()));
}

}  // namespace tov::qt

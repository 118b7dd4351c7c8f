#include "ui/qt/report_painter.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace tov::qt {
namespace {

constexpr double kMarginMillimetres = 20.0;

QFont ReportFont(const ReportDocument& report, bool bold, QPaintDevice* device) {
  QFont font("Sans Serif", report.font_size_points > 0 ? report.font_size_points : 12, -1, false);
  font.setStyleHint(QFont::SansSerif);
  // No ligatures: "fi" stays two letters for whoever reads the text back.
  font.setStyleStrategy(QFont::PreferNoShaping);
  font.setBold(bold);
  return QFont(font, device);
}

}  // namespace

double PaintReportLines(QPainter& painter, const ReportDocument& report, double top) {
  QPaintDevice* device = painter.device();
  // Columns are counted in the regular font's average character width, the
  // same for bold lines, so that the items of every line stand in one grid.
  const QFont regular = ReportFont(report, false, device);
  const QFont bold = ReportFont(report, true, device);
  const QFontMetricsF regular_metrics(regular, device);
  const double column_width = regular_metrics.averageCharWidth();
  const double line_height = regular_metrics.lineSpacing();

  // A line that would run past the page's foot starts a new page, where
  // the device has pages; nothing is painted off the page.
  auto* pages = dynamic_cast<QPagedPaintDevice*>(device);
  double baseline = top + regular_metrics.ascent();
  for (const ReportLine& line : report.lines) {
    if (pages && baseline + regular_metrics.descent() > device->height() && pages->newPage()) {
      baseline = regular_metrics.ascent();
    }
    const QFont& font = line.bold ? bold : regular;
    painter.setFont(font);
    const QFontMetricsF metrics(font, device);
    double x = 0;
    for (const ReportItem& item : line.items) {
      // A column the line has already passed leaves the text right after the
      // previous one.
      if (item.column >= 1) x = std::max(x, (item.column - 1) * column_width);
      const QString text = QString::fromStdString(item.text);
      painter.drawText(QPointF(x, baseline), text);
      x += metrics.horizontalAdvance(text);
    }
    baseline += line_height;
  }
  return baseline - regular_metrics.ascent();
}

bool PaintReport(const ReportDocument& report, QPrinter& printer) {
  printer.setFullPage(false);
  printer.setPageMargins(
      QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
      QPageLayout::Millimeter);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  PaintReportLines(painter, report, 0);
  return painter.end();
}

bool WriteReportPdf(const ReportDocument& report, const QString& path) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setDocName("Corvane DC Inductor Design");
  if (!PaintReport(report, printer)) return false;
  const QFileInfo written(path);
  return written.exists() && written.size() > 0;
}

}  // namespace tov::qt

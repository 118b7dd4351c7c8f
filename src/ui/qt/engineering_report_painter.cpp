#include "ui/qt/engineering_report_painter.h"

#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "ui/qt/curve_chart.h"
#include "ui/qt/part_view.h"

namespace tov::qt {
namespace {

constexpr double kMarginMillimetres = 20.0;
constexpr double kTitlePoints = 16;
constexpr double kHeadingPoints = 11;
constexpr double kTextPoints = 9;
// The inputs, options and worst case take this share of the width.
constexpr double kDetailsWidthShare = 0.7;
// Gaps between the blocks of the first page, and the space between table columns.
constexpr double kGapMillimetres = 4.0;
constexpr double kCellPaddingMillimetres = 1.5;
// The design tables stand in this many columns side by side.
constexpr int kTableColumns = 2;
// The chart takes this share of the width; the rest beside it is left for a
// drawing of the wound core. It is laid out at this size in pixels and
// scaled to its width on paper (some 105 mm: type at about 70 % of the
// screen's), and moves to a page of its own below the least height.
constexpr double kChartWidthShare = 0.62;
constexpr QSizeF kChartLayout(560, 400);
constexpr double kLeastChartMillimetres = 55.0;

QFont ReportFont(double points, bool bold, bool italic, QPaintDevice* device) {
  QFont font("Sans Serif");
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  // No ligatures: "fi" stays two letters for whoever reads the text back.
  font.setStyleStrategy(QFont::PreferNoShaping);
  font.setBold(bold);
  font.setItalic(italic);
  return QFont(font, device);
}

// Paints on the painter's device from a top position, in device units.
class PagePainter {
 public:
  explicit PagePainter(QPainter& painter)
      : painter_(painter),
        device_(painter.device()),
        width_(device_->width()),
        mm_(device_->logicalDpiY() / 25.4) {}

  double Mm(double millimetres) const { return millimetres * mm_; }
  double Width() const { return width_; }
  double Height() const { return device_->height(); }
  QPaintDevice* Device() const { return device_; }

  // Paints `text` with its baseline one ascent below `top`, left-aligned
  // at `x` or right-aligned against `x`, cut short with an ellipsis beyond
  // `room`; returns the line's height.
  double Text(const QFont& font, double x, double top, const QString& text, CellAlign align,
              double room) {
    const QFontMetricsF metrics(font, device_);
    const QString shown = metrics.elidedText(text, Qt::ElideRight, room);
    painter_.setFont(font);
    const double left = align == CellAlign::Right ? x - metrics.horizontalAdvance(shown) : x;
    painter_.drawText(QPointF(left, top + metrics.ascent()), shown);
    return metrics.lineSpacing();
  }

  void Rule(double left, double right, double y) {
    painter_.save();
    painter_.setPen(QPen(Qt::black, Mm(0.2)));
    painter_.drawLine(QPointF(left, y), QPointF(right, y));
    painter_.restore();
  }

  QPainter& Painter() { return painter_; }

 private:
  QPainter& painter_;
  QPaintDevice* device_;
  double width_;
  double mm_;
};

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// The title block: its entries in two columns of label and value.
double PaintTitleBlock(PagePainter& page, const std::vector<TitleEntry>& entries, double top) {
  const QFont label_font = ReportFont(kTextPoints, true, false, page.Device());
  const QFont value_font = ReportFont(kTextPoints, false, false, page.Device());
  const double half = page.Width() / 2;
  const QFontMetricsF label_metrics(label_font, page.Device());
  double value_x = 0;
  for (const TitleEntry& entry : entries) {
    value_x = std::max(value_x, label_metrics.horizontalAdvance(Q(entry.label) + ":"));
  }
  value_x += page.Mm(2);
  const std::size_t per_column = (entries.size() + 1) / 2;
  double bottom = top;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const double x = i < per_column ? 0 : half;
    const double y = top + static_cast<double>(i % per_column) *
                               QFontMetricsF(value_font, page.Device()).lineSpacing();
    page.Text(label_font, x, y, Q(entries[i].label) + ":", CellAlign::Left, value_x);
    const double h = page.Text(value_font, x + value_x, y, Q(entries[i].value), CellAlign::Left,
                               half - value_x - page.Mm(kCellPaddingMillimetres));
    bottom = std::max(bottom, y + h);
  }
  return bottom;
}

// A table at `left` across `width`: its heading, the column headings under
// a rule where there are any, then its rows with their notes. Returns the
// bottom.
double PaintTable(PagePainter& page, const ReportTable& table, double left, double width,
                  double top) {
  QPaintDevice* device = page.Device();
  const QFont heading = ReportFont(kHeadingPoints, true, false, device);
  const QFont regular = ReportFont(kTextPoints, false, false, device);
  const QFont bold = ReportFont(kTextPoints, true, false, device);
  const QFont note = ReportFont(kTextPoints - 1, false, true, device);
  const double pad = page.Mm(kCellPaddingMillimetres);

  double y = top + page.Text(heading, left, top, Q(table.heading), CellAlign::Left, width);
  // Each cell in its column, a right-aligned one against the column's
  // right edge.
  const auto paint_row = [&](const QFont& font, const std::vector<QString>& texts, double row_top) {
    const QFontMetricsF metrics(font, device);
    double x = left;
    double height = 0;
    for (std::size_t c = 0; c < table.columns.size() && c < texts.size(); ++c) {
      const TableColumn& column = table.columns[c];
      const double column_width = column.width * width;
      double room = column_width - pad;
      // A left-aligned cell may run on into the room the next cell leaves
      // free when that one is right-aligned or empty.
      if (column.align == CellAlign::Left && c + 1 < table.columns.size()) {
        const TableColumn& next = table.columns[c + 1];
        const bool next_empty = c + 1 >= texts.size() || texts[c + 1].isEmpty();
        if (next.align == CellAlign::Right || next_empty) {
          const double next_text = next_empty ? 0.0 : metrics.horizontalAdvance(texts[c + 1]);
          room += std::max(0.0, next.width * width - next_text - 2 * pad);
        }
      }
      const double anchor = column.align == CellAlign::Right ? x + column_width - pad : x;
      height = std::max(height, page.Text(font, anchor, row_top, texts[c], column.align, room));
      x += column_width;
    }
    return height;
  };

  const bool has_headings = std::any_of(table.columns.begin(), table.columns.end(),
                                        [](const TableColumn& c) { return !c.heading.empty(); });
  if (has_headings) {
    std::vector<QString> headings;
    for (const TableColumn& column : table.columns) headings.push_back(Q(column.heading));
    y += paint_row(bold, headings, y);
    page.Rule(left, left + width, y);
    y += page.Mm(0.8);
  }
  for (const TableRow& row : table.rows) {
    std::vector<QString> cells;
    for (const std::string& cell : row.cells) cells.push_back(Q(cell));
    y += paint_row(row.failed ? bold : regular, cells, y);
    if (!row.note.empty()) {
      y += page.Text(note, left + page.Mm(4), y, Q(row.note), CellAlign::Left, width - page.Mm(4));
    }
  }
  return y;
}

// The design's tables in columns side by side, each table under the
// column that ends highest. Returns the bottom of the lowest column.
double PaintDesignTables(PagePainter& page, const std::vector<ReportTable>& tables, double top) {
  const double gap = page.Mm(kGapMillimetres);
  const double column_width = (page.Width() - gap * (kTableColumns - 1)) / kTableColumns;
  std::array<double, kTableColumns> bottoms;
  bottoms.fill(top);
  for (const ReportTable& table : tables) {
    auto* column = std::min_element(bottoms.begin(), bottoms.end());
    const double left = static_cast<double>(column - bottoms.begin()) * (column_width + gap);
    *column = PaintTable(page, table, left, column_width, *column == top ? top : *column + gap);
  }
  return *std::max_element(bottoms.begin(), bottoms.end());
}

QRectF PaintChartAt(PagePainter& page, const Curve& curve, double top) {
  const double width = page.Width() * kChartWidthShare;
  const double height =
      std::min(width * kChartLayout.height() / kChartLayout.width(), page.Height() - top);
  const QRectF target(0, top, width, height);
  const std::unique_ptr<QChart> chart(BuildCurveChart(curve, PrintColours()));
  PaintChart(*chart, page.Painter(), target,
             QSizeF(kChartLayout.width(), kChartLayout.width() * height / width));
  return target;
}

}  // namespace

QPageSize ReportPageSize(const QLocale& locale) {
  return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                           : QPageSize::A4);
}

void SetUpReportPages(QPagedPaintDevice& device, const QLocale& locale) {
  device.setPageSize(ReportPageSize(locale));
  device.setPageMargins(
      QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
      QPageLayout::Millimeter);
}

ReportLayout PaintEngineeringReport(QPainter& painter, const EngineeringReport& report) {
  PagePainter page(painter);
  auto* pages = dynamic_cast<QPagedPaintDevice*>(painter.device());
  const double gap = page.Mm(kGapMillimetres);

  double y = page.Text(ReportFont(kTitlePoints, true, false, page.Device()), 0, 0, Q(report.title),
                       CellAlign::Left, page.Width());
  page.Rule(0, page.Width(), y + page.Mm(1));
  y = PaintTitleBlock(page, report.title_block, y + page.Mm(2.5));
  y = PaintTable(page, report.requirements, 0, page.Width(), y + gap);
  if (report.requirements.rows.empty()) {
    y += page.Text(ReportFont(kTextPoints, false, true, page.Device()), 0, y,
                   "No design is shown: there are no requirement checks.", CellAlign::Left,
                   page.Width());
  }
  y = PaintDesignTables(page, report.design, y + gap);

  ReportLayout layout;
  if (report.chart) {
    y += gap;
    if (pages && page.Height() - y < page.Mm(kLeastChartMillimetres)) {
      pages->newPage();
      y = 0;
      layout.chart_page = 2;
    }
    layout.chart = PaintChartAt(page, *report.chart, y);
    layout.drawing = QRectF(layout.chart.right() + gap, layout.chart.top(),
                            page.Width() - layout.chart.right() - gap, layout.chart.height());
    if (report.part) PaintPartDrawing(painter, layout.drawing, *report.part);
  }
  if (!report.details.empty() && pages && pages->newPage()) {
    y = 0;
    for (const ReportTable& table : report.details) {
      y = PaintTable(page, table, 0, page.Width() * kDetailsWidthShare, y) + gap;
    }
  }
  return layout;
}

}  // namespace tov::qt

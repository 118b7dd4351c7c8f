#include "ui/qt/curve_chart.h"

#include <QCoreApplication>
#include <QGraphicsScene>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <utility>

namespace tov::qt {
namespace {

// The lines' colours, in turn: a hue (degrees) and a step of lightness from
// the palette's line lightness, picked so that any two of the twelve differ
// plainly (by at least 30 in CIELAB) on a light and on a dark base. The most
// grades of one material in the database, ten, and the design's own fit.
struct LineColour {
  int hue;
  int lightness_step;  // -1 darker, 0, +1 lighter
};
constexpr LineColour kLineColours[] = {{210, 0},  {120, 0},  {0, 0},   {50, 1},
                                       {300, 0},  {170, -1}, {40, -1}, {330, 1},
                                       {330, -1}, {240, 0},  {190, 1}, {270, -1}};
constexpr int kSaturation = 200;
constexpr int kLightnessStep = 35;
// Line lightness (0..255) on a light base, on a dark base, and on paper.
constexpr int kLightOnLight = 95;
constexpr int kLightOnDark = 170;
constexpr int kLightOnPaper = 85;
constexpr double kLineWidth = 2.0;
constexpr double kMarkSize = 9.0;
constexpr int kLogMinorTicks = 8;
// Room above the highest value of a y axis, as a fraction of its range; the
// right axis leaves more, so that its line (the temperature rise, which grows
// almost as the total loss does) runs below the left axis's instead of on it.
constexpr double kYRoom = 0.05;
constexpr double kRightYRoom = 0.4;
// Up to this many lines the legend stands below the plot.
constexpr std::size_t kLegendBelowUpTo = 4;
// About this many ticks on a linear axis.
constexpr double kTicks = 5;
// A log axis ends this fraction beyond its end decades.
constexpr double kLogEdge = 1e-9;
constexpr QScatterSeries::MarkerShape kMarkShapes[] = {QScatterSeries::MarkerShapeCircle,
                                                       QScatterSeries::MarkerShapeRotatedRectangle,
                                                       QScatterSeries::MarkerShapeTriangle};

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// The font without ligatures, so that exported text reads back letter by letter.
QFont Unshaped(QFont font) {
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

QAbstractAxis* MakeAxis(const Quantity& quantity, bool log, const ChartColours& colours) {
  QAbstractAxis* axis = nullptr;
  if (log) {
    auto* log_axis = new QLogValueAxis;
    log_axis->setBase(10);
    log_axis->setLabelFormat("%g");
    log_axis->setMinorTickCount(kLogMinorTicks);
    log_axis->setMinorGridLineColor(
        colours.grid.lighter(colours.background.lightness() < 128 ? 80 : 115));
    axis = log_axis;
  } else {
    auto* value_axis = new QValueAxis;
    value_axis->setLabelFormat("%g");
    axis = value_axis;
  }
  axis->setTitleText(Q(AxisTitle(quantity)));
  axis->setTitleFont(Unshaped(axis->titleFont()));
  axis->setLabelsFont(Unshaped(axis->labelsFont()));
  axis->setTitleBrush(colours.text);
  axis->setLabelsColor(colours.text);
  axis->setGridLineColor(colours.grid);
  axis->setLinePenColor(colours.text);
  return axis;
}

// The finite range of the values, or nothing when there is none.
struct Range {
  double low = INFINITY;
  double high = -INFINITY;
  void Add(double v) {
    if (!std::isfinite(v)) return;
    low = std::min(low, v);
    high = std::max(high, v);
  }
  bool Empty() const { return low > high; }
};

// A step of 1, 2 or 5 times a power of ten near a fifth of the span.
double TickStep(double span) {
  const double raw = span / kTicks;
  const double decade = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (factor * decade >= raw) return factor * decade;
  }
  return 10 * decade;
}

// Sets the axis to show the range: a log axis from the decade below its
// lowest value to the decade above its highest; a y axis from zero (when no
// value is negative) with `room` (a fraction of the range) above; an x axis
// (room 0) from end to end. Ticks of a linear axis stand at round values.
void FitAxis(QAbstractAxis* axis, Range range, bool log, double room) {
  if (range.Empty()) return;
  if (log) {
    // Just beyond whole decades, so that the end decades are labelled too.
    const double low = std::pow(10.0, std::floor(std::log10(range.low)));
    const double high = std::pow(10.0, std::ceil(std::log10(range.high)));
    axis->setRange(low * (1 - kLogEdge), (high > low ? high : low * 10) * (1 + kLogEdge));
    return;
  }
  if (room > 0) {
    const double span = std::max(range.high - std::min(range.low, 0.0), 1e-30);
    range.low = range.low >= 0 ? 0.0 : range.low - kYRoom * span;
    range.high += room * span;
  }
  if (!(range.high > range.low)) range.high = range.low + 1;
  auto* value_axis = static_cast<QValueAxis*>(axis);
  value_axis->setRange(range.low, range.high);
  value_axis->setTickType(QValueAxis::TicksDynamic);
  value_axis->setTickAnchor(0);
  value_axis->setTickInterval(TickStep(range.high - range.low));
}

std::vector<QColor> LineColours(int lightness) {
  std::vector<QColor> colours;
  for (const LineColour& line : kLineColours) {
    colours.push_back(
        QColor::fromHsl(line.hue, kSaturation, lightness + line.lightness_step * kLightnessStep));
  }
  return colours;
}

// Half way from the background to the text: the colour of notes about lines.
QColor Muted(const ChartColours& colours) {
  return QColor::fromRgbF((colours.background.redF() + colours.text.redF()) / 2,
                          (colours.background.greenF() + colours.text.greenF()) / 2,
                          (colours.background.blueF() + colours.text.blueF()) / 2);
}

}  // namespace

ChartColours PaletteColours(const QPalette& palette) {
  ChartColours c;
  c.background = palette.color(QPalette::Base);
  c.text = palette.color(QPalette::Text);
  const bool dark = c.background.lightness() < 128;
  // The grid a quarter of the way from the base towards the text.
  c.grid = QColor::fromRgbF(0.75f * c.background.redF() + 0.25f * c.text.redF(),
                            0.75f * c.background.greenF() + 0.25f * c.text.greenF(),
                            0.75f * c.background.blueF() + 0.25f * c.text.blueF());
  c.series = LineColours(dark ? kLightOnDark : kLightOnLight);
  c.marks = c.text;
  return c;
}

ChartColours PrintColours() {
  ChartColours c;
  c.background = Qt::white;
  c.text = Qt::black;
  c.grid = QColor(200, 200, 200);
  c.series = LineColours(kLightOnPaper);
  c.marks = Qt::black;
  return c;
}

QChart* BuildCurveChart(const Curve& curve, const ChartColours& colours) {
  auto* chart = new QChart;
  chart->setTitle(Q(curve.title));
  chart->setTitleFont(Unshaped(chart->titleFont()));
  chart->legend()->setFont(Unshaped(chart->legend()->font()));
  chart->setTitleBrush(colours.text);
  chart->setBackgroundBrush(colours.background);
  chart->setBackgroundRoundness(0);
  chart->legend()->setLabelColor(colours.text);
  // Many lines are listed beside the plot, a few below it.
  chart->legend()->setAlignment(curve.series.size() > kLegendBelowUpTo ? Qt::AlignRight
                                                                       : Qt::AlignBottom);
  chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);

  QAbstractAxis* x_axis = MakeAxis(curve.x, curve.log_x, colours);
  chart->addAxis(x_axis, Qt::AlignBottom);
  std::vector<QAbstractAxis*> y_axes;
  std::vector<Range> y_ranges(curve.y_axes.size());
  for (std::size_t a = 0; a < curve.y_axes.size(); ++a) {
    y_axes.push_back(MakeAxis(curve.y_axes[a], curve.log_y && a == 0, colours));
    // One grid: the right axis has ticks but no grid lines of its own.
    if (a > 0) y_axes.back()->setGridLineVisible(false);
    chart->addAxis(y_axes.back(), a == 0 ? Qt::AlignLeft : Qt::AlignRight);
  }
  const auto attach = [&](QAbstractSeries* series, int axis) {
    chart->addSeries(series);
    series->attachAxis(x_axis);
    series->attachAxis(y_axes[static_cast<std::size_t>(axis)]);
  };

  // Each series as lines between the points that have a value: a point
  // without one ends a line, and the next point with one starts another.
  // Points beyond the model's range continue the line dashed, from the last
  // point in range on.
  Range x_range;
  for (std::size_t s = 0; s < curve.series.size(); ++s) {
    const CurveSeries& data = curve.series[s];
    const auto axis = static_cast<std::size_t>(data.axis);
    if (axis >= y_axes.size()) continue;
    const QPen solid(colours.series[s % colours.series.size()], kLineWidth);
    QPen dashed = solid;
    dashed.setStyle(Qt::DashLine);
    QLineSeries* line = nullptr;
    bool line_in_range = true;
    bool first_piece = true;
    const auto plottable = [&](std::size_t i) {
      const double x = curve.xs[i], y = data.y[i];
      return std::isfinite(y) && (!curve.log_x || x > 0) && (!(curve.log_y && axis == 0) || y > 0);
    };
    const auto start_line = [&](bool in_range) {
      line = new QLineSeries;
      line->setName(Q(data.name));
      line->setPen(in_range ? solid : dashed);
      attach(line, data.axis);
      if (!first_piece) chart->legend()->markers(line).front()->setVisible(false);
      first_piece = false;
      line_in_range = in_range;
    };
    for (std::size_t i = 0; i < curve.xs.size() && i < data.y.size(); ++i) {
      if (!plottable(i)) {
        line = nullptr;
        continue;
      }
      const bool in_range = InRange(data, i);
      if (line && line_in_range && !in_range) {
        // The dashed part starts where the solid one ends.
        start_line(false);
        line->append(curve.xs[i - 1], data.y[i - 1]);
      }
      if (!line) start_line(in_range);
      line->append(curve.xs[i], data.y[i]);
      x_range.Add(curve.xs[i]);
      y_ranges[axis].Add(data.y[i]);
    }
  }
  // One legend entry says why lines turn dashed.
  if (!curve.beyond_range.empty() && !y_axes.empty()) {
    auto* note = new QLineSeries;
    note->setName(Q(curve.beyond_range));
    note->setPen(QPen(Muted(colours), kLineWidth, Qt::DashLine));
    attach(note, 0);
  }

  // The design's points, one marker series per label and axis, each label
  // once in the legend with a shape of its own.
  std::map<std::pair<std::string, int>, QScatterSeries*> marks;
  std::vector<std::string> labels;
  for (const CurveMark& mark : curve.marks) {
    if (mark.series >= curve.series.size() || !std::isfinite(mark.y)) continue;
    const int axis = curve.series[mark.series].axis;
    QScatterSeries*& series = marks[{mark.label, axis}];
    if (!series) {
      const auto known = std::find(labels.begin(), labels.end(), mark.label);
      const auto shape = static_cast<std::size_t>(known - labels.begin()) % std::size(kMarkShapes);
      series = new QScatterSeries;
      series->setName(Q(mark.label));
      series->setMarkerSize(kMarkSize);
      series->setMarkerShape(kMarkShapes[shape]);
      series->setColor(colours.marks);
      series->setBorderColor(colours.background);
      attach(series, axis);
      if (known != labels.end()) {
        chart->legend()->markers(series).front()->setVisible(false);
      } else {
        labels.push_back(mark.label);
      }
    }
    series->append(mark.x, mark.y);
    x_range.Add(mark.x);
    y_ranges[static_cast<std::size_t>(axis)].Add(mark.y);
  }

  FitAxis(x_axis, x_range, curve.log_x, 0);
  for (std::size_t a = 0; a < y_axes.size(); ++a) {
    FitAxis(y_axes[a], y_ranges[a], curve.log_y && a == 0, a == 0 ? kYRoom : kRightYRoom);
  }
  return chart;
}

QChart* BuildCurveChart(const Curve& curve, const ChartColours& colours,
                        const std::string& design) {
  QChart* chart = BuildCurveChart(curve, colours);
  chart->setTitle("<div align=\"center\">" + Q(curve.title).toHtmlEscaped() + "<br>" +
                  Q(design).toHtmlEscaped() + "</div>");
  return chart;
}

void PaintChart(QChart& chart, QPainter& painter, const QRectF& target, const QSizeF& size) {
  QGraphicsScene scene;
  scene.addItem(&chart);
  chart.resize(size);
  // The chart lays itself out in posted events.
  QCoreApplication::sendPostedEvents();
  scene.render(&painter, target, QRectF(QPointF(0, 0), size));
  scene.removeItem(&chart);
}

QImage ChartImage(QChart& chart, const QSizeF& size, qreal scale) {
  QImage image((size * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(scale);
  image.fill(chart.backgroundBrush().color());
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  PaintChart(chart, painter, QRectF(QPointF(0, 0), size), size);
  return image;
}

}  // namespace tov::qt

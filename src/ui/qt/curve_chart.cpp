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

// Hues of the lines, in turn (degrees), far enough apart to tell ten lines apart.
constexpr int kHues[] = {210, 25, 120, 0, 275, 45, 320, 180, 90, 240};
constexpr double kLineWidth = 2.0;
constexpr double kMarkSize = 9.0;
constexpr int kLogMinorTicks = 8;
// Room above the highest value of a y axis, as a fraction of its range.
constexpr double kYRoom = 0.05;
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
// value is negative) with some room above; an x axis from end to end. Ticks
// of a linear axis stand at round values.
void FitAxis(QAbstractAxis* axis, Range range, bool log, bool y) {
  if (range.Empty()) return;
  if (log) {
    // Just beyond whole decades, so that the end decades are labelled too.
    const double low = std::pow(10.0, std::floor(std::log10(range.low)));
    const double high = std::pow(10.0, std::ceil(std::log10(range.high)));
    axis->setRange(low * (1 - kLogEdge), (high > low ? high : low * 10) * (1 + kLogEdge));
    return;
  }
  if (y) {
    const double room = kYRoom * std::max(range.high - std::min(range.low, 0.0), 1e-30);
    range.low = range.low >= 0 ? 0.0 : range.low - room;
    range.high += room;
  }
  if (!(range.high > range.low)) range.high = range.low + 1;
  auto* value_axis = static_cast<QValueAxis*>(axis);
  value_axis->setRange(range.low, range.high);
  value_axis->setTickType(QValueAxis::TicksDynamic);
  value_axis->setTickAnchor(0);
  value_axis->setTickInterval(TickStep(range.high - range.low));
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
  for (const int hue : kHues) c.series.push_back(QColor::fromHsl(hue, 200, dark ? 170 : 95));
  c.marks = c.text;
  return c;
}

ChartColours PrintColours() {
  ChartColours c;
  c.background = Qt::white;
  c.text = Qt::black;
  c.grid = QColor(200, 200, 200);
  for (const int hue : kHues) c.series.push_back(QColor::fromHsl(hue, 200, 85));
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
  Range x_range;
  for (std::size_t s = 0; s < curve.series.size(); ++s) {
    const CurveSeries& data = curve.series[s];
    const auto axis = static_cast<std::size_t>(data.axis);
    if (axis >= y_axes.size()) continue;
    QPen pen(colours.series[s % colours.series.size()], kLineWidth);
    QLineSeries* line = nullptr;
    bool first_piece = true;
    for (std::size_t i = 0; i < curve.xs.size() && i < data.y.size(); ++i) {
      const double x = curve.xs[i];
      const double y = data.y[i];
      const bool plottable =
          std::isfinite(y) && (!curve.log_x || x > 0) && (!(curve.log_y && axis == 0) || y > 0);
      if (!plottable) {
        line = nullptr;
        continue;
      }
      if (!line) {
        line = new QLineSeries;
        line->setName(Q(data.name));
        line->setPen(pen);
        attach(line, data.axis);
        if (!first_piece) chart->legend()->markers(line).front()->setVisible(false);
        first_piece = false;
      }
      line->append(x, y);
      x_range.Add(x);
      y_ranges[axis].Add(y);
    }
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

  FitAxis(x_axis, x_range, curve.log_x, false);
  for (std::size_t a = 0; a < y_axes.size(); ++a) {
    FitAxis(y_axes[a], y_ranges[a], curve.log_y && a == 0, true);
  }
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

}  // namespace tov::qt

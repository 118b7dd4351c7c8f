#include "ui/qt/curve_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "state/number_text.h"

namespace tov::qt {
namespace {

// Significant digits of the read-out.
constexpr int kReadOutDigits = 4;

QString Number(double value, const std::string& unit) {
  if (!std::isfinite(value)) return "no value";
  return QString::fromStdString(PlainNumberText(value, kReadOutDigits) + " " + unit);
}

// Index of the x nearest to `x` (by ratio on a log axis).
std::size_t Nearest(const std::vector<double>& xs, double x, bool log) {
  std::size_t best = 0;
  double best_distance = INFINITY;
  for (std::size_t i = 0; i < xs.size(); ++i) {
    const double distance = log ? std::fabs(std::log(xs[i] / x)) : std::fabs(xs[i] - x);
    if (distance < best_distance) {
      best_distance = distance;
      best = i;
    }
  }
  return best;
}

}  // namespace

CurveView::CurveView(QWidget* parent) : QChartView(parent) {
  setRenderHint(QPainter::Antialiasing);
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
}

CurveView::~CurveView() = default;

void CurveView::ShowCurve(std::optional<Curve> curve, const ChartColours& colours,
                          const QString& empty_title) {
  curve_ = std::move(curve);
  QChart* chart = nullptr;
  if (curve_) {
    chart = BuildCurveChart(*curve_, colours);
  } else {
    chart = new QChart;
    chart->setTitle(empty_title);
    chart->setTitleBrush(colours.text);
    chart->setBackgroundBrush(colours.background);
  }
  // The view gives up the chart it showed without deleting it.
  QChart* previous = this->chart();
  setChart(chart);
  delete previous;
  emit readOutChanged(QString());
}

QString CurveView::ReadOutAt(const QPointF& position) const {
  if (!curve_ || curve_->xs.empty() || chart()->series().isEmpty()) return {};
  const QPointF in_chart = chart()->mapFromScene(mapToScene(position.toPoint()));
  if (!chart()->plotArea().contains(in_chart)) return {};
  const double x = chart()->mapToValue(in_chart, chart()->series().front()).x();
  if (curve_->log_x && !(x > 0)) return {};
  const std::size_t i = Nearest(curve_->xs, x, curve_->log_x);

  QString text =
      QString::fromStdString(curve_->x.name) + " = " + Number(curve_->xs[i], curve_->x.unit);
  for (const CurveSeries& s : curve_->series) {
    const auto axis = static_cast<std::size_t>(s.axis);
    const std::string unit = axis < curve_->y_axes.size() ? curve_->y_axes[axis].unit : "";
    const double y = i < s.y.size() ? s.y[i] : NAN;
    text += ";  " + QString::fromStdString(s.name) + " = " + Number(y, unit);
    if (std::isfinite(y) && !InRange(s, i)) text += " (beyond the fit)";
  }
  return text;
}

void CurveView::mouseMoveEvent(QMouseEvent* event) {
  emit readOutChanged(ReadOutAt(event->position()));
  QChartView::mouseMoveEvent(event);
}

void CurveView::leaveEvent(QEvent* event) {
  emit readOutChanged(QString());
  QChartView::leaveEvent(event);
}

}  // namespace tov::qt

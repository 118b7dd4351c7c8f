#include "ui/qt/pareto_chart.h"

#include <QAbstractProxyModel>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTableView>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "ui/qt/compare_window.h"

namespace tov::qt {
namespace {

// Indexed by Material.
const QColor kMaterialColours[] = {QColor(31, 119, 180), QColor(214, 39, 40), QColor(44, 160, 44),
                                   QColor(148, 103, 189)};
constexpr double kMarker = 4.0;       // half a marker's size, px
constexpr double kReach = 8.0;        // how near the mouse must come to a point, px
constexpr double kSmallest = 1e-300;  // where a figure of zero goes on a log scale

QColor ColourOf(Material material) {
  return kMaterialColours[static_cast<std::size_t>(material) % std::size(kMaterialColours)];
}

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A marker per stack count: circle, square, triangle, diamond, cross.
void DrawMarker(QPainter& painter, const QPointF& at, int stack) {
  const double r = kMarker;
  switch ((stack - 1) % 5) {
    case 0:
      painter.drawEllipse(at, r, r);
      break;
    case 1:
      painter.drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r));
      break;
    case 2:
      painter.drawPolygon(
          QPolygonF({at + QPointF(0, -r), at + QPointF(r, r), at + QPointF(-r, r)}));
      break;
    case 3:
      painter.drawPolygon(QPolygonF(
          {at + QPointF(0, -r), at + QPointF(r, 0), at + QPointF(0, r), at + QPointF(-r, 0)}));
      break;
    default:
      painter.drawLine(at + QPointF(-r, -r), at + QPointF(r, r));
      painter.drawLine(at + QPointF(-r, r), at + QPointF(r, -r));
  }
}

double Log(double value) {
  return std::log10(std::max(value, kSmallest));
}

// The 1-2-5 values of each decade between the two ends (log10).
std::vector<double> Ticks(double low, double high) {
  std::vector<double> ticks;
  for (int decade = static_cast<int>(std::floor(low)); decade <= std::ceil(high); ++decade) {
    for (double m : {1.0, 2.0, 5.0}) {
      const double value = m * std::pow(10.0, decade);
      if (Log(value) >= low && Log(value) <= high) ticks.push_back(value);
    }
  }
  return ticks;
}

}  // namespace

ParetoPlot::ParetoPlot(const CandidateTableModel& model, const QAbstractProxyModel& filter,
                       QWidget* parent)
    : QWidget(parent), model_(model), filter_(filter) {
  setObjectName("paretoPlot");
  setMouseTracking(true);
  setMinimumSize(320, 200);
  connect(&filter_, &QAbstractItemModel::modelReset, this, &ParetoPlot::MarkStale);
  connect(&filter_, &QAbstractItemModel::layoutChanged, this, &ParetoPlot::MarkStale);
  connect(&filter_, &QAbstractItemModel::rowsInserted, this, &ParetoPlot::MarkStale);
  connect(&filter_, &QAbstractItemModel::rowsRemoved, this, &ParetoPlot::MarkStale);
}

void ParetoPlot::MarkStale() {
  stale_ = true;
  update();
}

void ParetoPlot::SetAxis(ChartAxis axis) {
  axis_ = axis;
  MarkStale();
}

const std::vector<ChartPoint>& ParetoPlot::Points() const {
  if (stale_) {
    std::vector<std::size_t> shown;
    shown.reserve(static_cast<std::size_t>(filter_.rowCount()));
    for (int r = 0; r < filter_.rowCount(); ++r) {
      shown.push_back(static_cast<std::size_t>(filter_.mapToSource(filter_.index(r, 0)).row()));
    }
    points_ = ChartPoints(model_.Rows(), shown, axis_, model_.Cores());
    stale_ = false;
  }
  return points_;
}

ParetoPlot::Scale ParetoPlot::ScaleFor(const QRectF& target) const {
  Scale s;
  const std::vector<ChartPoint>& points = Points();
  if (!points.empty()) {
    const auto [xl, xh] = std::minmax_element(
        points.begin(), points.end(), [](const auto& a, const auto& b) { return a.x < b.x; });
    const auto [yl, yh] = std::minmax_element(
        points.begin(), points.end(), [](const auto& a, const auto& b) { return a.y < b.y; });
    s.x0 = Log(xl->x), s.x1 = Log(xh->x), s.y0 = Log(yl->y), s.y1 = Log(yh->y);
  }
  // A little room around the points, and some range where all lie at one value.
  const double px = std::max(0.05 * (s.x1 - s.x0), 0.05), py = std::max(0.05 * (s.y1 - s.y0), 0.05);
  s.x0 -= px, s.x1 += px, s.y0 -= py, s.y1 += py;
  const QFontMetrics metrics = fontMetrics();
  s.area = target.adjusted(metrics.horizontalAdvance("00000.0") + 12, metrics.height(), -12,
                           -2.5 * metrics.height() - 8);
  return s;
}

QPointF ParetoPlot::Position(const ChartPoint& point) const {
  const Scale s = ScaleFor(QRectF(rect()));
  return {s.area.left() + (Log(point.x) - s.x0) / (s.x1 - s.x0) * s.area.width(),
          s.area.bottom() - (Log(point.y) - s.y0) / (s.y1 - s.y0) * s.area.height()};
}

void ParetoPlot::Paint(QPainter& painter, const QRectF& target) const {
  const Scale s = ScaleFor(target);
  const auto at = [&](double x, double y) {
    return QPointF(s.area.left() + (Log(x) - s.x0) / (s.x1 - s.x0) * s.area.width(),
                   s.area.bottom() - (Log(y) - s.y0) / (s.y1 - s.y0) * s.area.height());
  };
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor ink = palette().text().color();
  QColor grid = palette().mid().color();
  painter.setPen(grid);
  painter.drawRect(s.area);

  // Grid and tick labels at 1, 2 and 5 of every decade.
  const QFontMetrics metrics = painter.fontMetrics();
  for (double value : Ticks(s.x0, s.x1)) {
    const double x = at(value, 1).x();
    painter.setPen(grid);
    painter.drawLine(QPointF(x, s.area.top()), QPointF(x, s.area.bottom()));
    painter.setPen(ink);
    const QString text = QString::number(value, 'g', 7);
    painter.drawText(
        QPointF(x - metrics.horizontalAdvance(text) / 2.0, s.area.bottom() + metrics.height()),
        text);
  }
  for (double value : Ticks(s.y0, s.y1)) {
    const double y = at(1, value).y();
    painter.setPen(grid);
    painter.drawLine(QPointF(s.area.left(), y), QPointF(s.area.right(), y));
    painter.setPen(ink);
    const QString text = QString::number(value, 'g', 7);
    painter.drawText(
        QPointF(s.area.left() - metrics.horizontalAdvance(text) - 6, y + metrics.ascent() / 2.0),
        text);
  }
  painter.setPen(ink);
  const QString x_title = Q(kChartAxes[static_cast<std::size_t>(axis_)].title);
  painter.drawText(QRectF(s.area.left(), s.area.bottom() + metrics.height() + 4, s.area.width(),
                          metrics.height() * 1.5),
                   Qt::AlignHCenter | Qt::AlignTop,
                   x_title + QString("   \u2014   Total loss (mW) upwards"));

  const std::vector<ChartPoint>& points = Points();
  if (points.empty()) {
    painter.drawText(s.area, Qt::AlignCenter | Qt::TextWordWrap,
                     "No line the filters show passes every test: there is nothing to plot.");
  }
  const std::vector<CandidateRow>& rows = model_.Rows();
  for (const ChartPoint& p : points) {
    const Candidate& c = rows[p.line].candidate;
    QColor colour = ColourOf(c.material);
    painter.setPen(QPen(colour, 1.2));
    colour.setAlpha(p.front ? 230 : 70);
    painter.setBrush(colour);
    DrawMarker(painter, at(p.x, p.y), c.stack_count);
  }

  // The front, from the smallest figure to the largest.
  std::vector<QPointF> front;
  for (const ChartPoint& p : points) {
    if (p.front) front.push_back(at(p.x, p.y));
  }
  std::sort(front.begin(), front.end(),
            [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
  painter.setPen(QPen(ink, 1.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawPolyline(front.data(), static_cast<int>(front.size()));

  // The core Calculate picks.
  for (const ChartPoint& p : points) {
    if (!rows[p.line].calculate_pick) continue;
    painter.setPen(QPen(ink, 2));
    painter.drawEllipse(at(p.x, p.y), 3 * kMarker, 3 * kMarker);
  }

  // Legend: the materials' colours, then the stack counts' markers.
  double x = s.area.left() + 8;
  const double y = s.area.top() + metrics.height();
  QColor shade = palette().base().color();
  shade.setAlpha(220);
  painter.fillRect(
      QRectF(s.area.left() + 1, s.area.top() + 1, s.area.width() - 2, 1.6 * metrics.height()),
      shade);
  for (const MaterialInfo& info : kMaterialTable) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(ColourOf(info.material));
    painter.drawRect(QRectF(x, y - metrics.ascent() + 2, 10, 10));
    painter.setPen(ink);
    const QString name = Q(info.caption).remove('&');
    painter.drawText(QPointF(x + 14, y + 2), name);
    x += 14 + metrics.horizontalAdvance(name) + 16;
  }
  painter.setBrush(Qt::NoBrush);
  for (int stack = 1; stack <= 5; ++stack) {
    const QString name = stack == 1 ? QString("1 core") : QString("%1 cores").arg(stack);
    painter.setPen(ink);
    DrawMarker(painter, QPointF(x + kMarker, y - metrics.ascent() / 2.0 + 2), stack);
    painter.drawText(QPointF(x + 2 * kMarker + 4, y + 2), name);
    x += 2 * kMarker + 4 + metrics.horizontalAdvance(name) + 12;
  }
  painter.restore();
}

void ParetoPlot::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().base());
  Paint(painter, QRectF(rect()));
}

const ChartPoint* ParetoPlot::Nearest(const QPointF& at) const {
  const ChartPoint* nearest = nullptr;
  double best = kReach * kReach;
  const Scale s = ScaleFor(QRectF(rect()));
  for (const ChartPoint& p : Points()) {
    const QPointF where(s.area.left() + (Log(p.x) - s.x0) / (s.x1 - s.x0) * s.area.width(),
                        s.area.bottom() - (Log(p.y) - s.y0) / (s.y1 - s.y0) * s.area.height());
    const QPointF d = where - at;
    const double distance = QPointF::dotProduct(d, d);
    if (distance <= best) best = distance, nearest = &p;
  }
  return nearest;
}

QModelIndex ParetoPlot::Shown(const ChartPoint& point) const {
  return filter_.mapFromSource(model_.index(static_cast<int>(point.line), 0));
}

void ParetoPlot::mouseMoveEvent(QMouseEvent* event) {
  const ChartPoint* p = Nearest(event->position());
  if (!p) {
    QToolTip::hideText();
    return;
  }
  QToolTip::showText(event->globalPosition().toPoint(),
                     QString::fromStdString(PointReadOut(model_.Rows()[p->line], model_.Cores())),
                     this);
}

void ParetoPlot::mousePressEvent(QMouseEvent* event) {
  if (const ChartPoint* p = Nearest(event->position())) emit lineClicked(Shown(*p));
}

void ParetoPlot::mouseDoubleClickEvent(QMouseEvent* event) {
  if (const ChartPoint* p = Nearest(event->position())) emit lineChosen(Shown(*p));
}

ParetoChart::ParetoChart(const CandidateTableModel& model, const QAbstractProxyModel& filter,
                         QTableView& table, QWidget* parent)
    : QWidget(parent) {
  setObjectName("paretoChart");
  axis_ = new QComboBox(this);
  axis_->setObjectName("cboChartAxis");
  for (const ChartAxisInfo& info : kChartAxes) {
    axis_->addItem(Q(info.title), static_cast<int>(info.axis));
  }
  auto* label = new QLabel("Total loss &against:", this);
  label->setBuddy(axis_);
  plot_ = new ParetoPlot(model, filter, this);
  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addWidget(axis_);
  row->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(row);
  layout->addWidget(plot_, 1);

  connect(axis_, &QComboBox::currentIndexChanged, this,
          [this] { plot_->SetAxis(static_cast<ChartAxis>(axis_->currentData().toInt())); });
  connect(plot_, &ParetoPlot::lineClicked, &table, [&table](const QModelIndex& shown) {
    if (shown.isValid()) table.selectRow(shown.row());
  });
  connect(plot_, &ParetoPlot::lineChosen, this, &ParetoChart::lineChosen);
}

}  // namespace tov::qt

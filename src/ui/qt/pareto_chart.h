#pragma once
// The chart tab of Compare Cores: every passing line the table's filter
// shows, as total loss against wound volume (or temperature rise or core
// volume) on log scales, coloured by material, marked by stack count, with
// the Pareto front as a line and the core Calculate picks ringed. Hovering
// reads a point out, a click selects its line in the table, a double-click
// designs it as the table's double-click does.

#include <QComboBox>
#include <QModelIndex>
#include <QWidget>
#include <vector>

#include "ui/logic/candidate_chart.h"

class QAbstractProxyModel;
class QTableView;

namespace tov::qt {

class CandidateTableModel;

class ParetoPlot : public QWidget {
  Q_OBJECT
 public:
  ParetoPlot(const CandidateTableModel& model, const QAbstractProxyModel& filter, QWidget* parent);

  void SetAxis(ChartAxis axis);
  // The points as they are drawn now (recomputed from the filter when stale).
  const std::vector<ChartPoint>& Points() const;
  // The widget position of a point.
  QPointF Position(const ChartPoint& point) const;
  // Paints the chart into `target`.
  void Paint(QPainter& painter, const QRectF& target) const;

 signals:
  // A point was clicked or double-clicked: its line as the filter shows it.
  void lineClicked(const QModelIndex& shown);
  void lineChosen(const QModelIndex& shown);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  struct Scale {
    double x0 = 0, x1 = 1, y0 = 0, y1 = 1;  // log10 of the ends
    QRectF area;
  };
  Scale ScaleFor(const QRectF& target) const;
  const ChartPoint* Nearest(const QPointF& at) const;
  QModelIndex Shown(const ChartPoint& point) const;
  void MarkStale();

  const CandidateTableModel& model_;
  const QAbstractProxyModel& filter_;
  ChartAxis axis_ = ChartAxis::WoundVolume;
  mutable std::vector<ChartPoint> points_;
  mutable bool stale_ = true;
};

class ParetoChart : public QWidget {
  Q_OBJECT
 public:
  // Shows the lines `filter` lets through; a click selects the line in `table`.
  ParetoChart(const CandidateTableModel& model, const QAbstractProxyModel& filter,
              QTableView& table, QWidget* parent);
  ParetoPlot* Plot() const { return plot_; }

 signals:
  void lineChosen(const QModelIndex& shown);

 private:
  QComboBox* axis_;
  ParetoPlot* plot_;
};

}  // namespace tov::qt

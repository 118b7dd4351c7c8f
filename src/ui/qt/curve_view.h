#pragma once
// One curve on screen: its chart, and a read-out of the curve's values at the
// point of the x axis under the mouse.

#include <QChartView>
#include <QString>
#include <optional>

#include "engines/curves.h"
#include "ui/qt/curve_chart.h"

namespace tov::qt {

class CurveView : public QChartView {
  Q_OBJECT
 public:
  explicit CurveView(QWidget* parent = nullptr);
  ~CurveView() override;

  // Draws the curve in the colours given; nothing (an empty chart titled
  // `empty_title`) when there is no curve.
  void ShowCurve(std::optional<Curve> curve, const ChartColours& colours,
                 const QString& empty_title);
  const std::optional<Curve>& Shown() const { return curve_; }

  // The read-out for a point of the view (view coordinates): the x value of
  // the curve's point nearest to it and every series' value there ("no value"
  // in a gap, "(beyond the fit)" after a value past the model's range); empty
  // outside the plot area or without a curve.
  QString ReadOutAt(const QPointF& position) const;

 signals:
  void readOutChanged(const QString& text);

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  std::optional<Curve> curve_;
};

}  // namespace tov::qt

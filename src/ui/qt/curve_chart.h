#pragma once
// A curve of the engine drawn as a chart: axes with their titles and units
// (logarithmic where the curve asks for it), one line per series broken
// where the model has no value, and the design's points as markers.

#include <QChart>
#include <QColor>
#include <QImage>
#include <QPalette>
#include <QSizeF>
#include <QString>
#include <vector>

#include "engines/curves.h"

namespace tov::qt {

// The colours of a chart.
struct ChartColours {
  QColor background;
  QColor text;
  QColor grid;
  std::vector<QColor> series;  // the lines, in turn
  QColor marks;                // the design's points
};

// Colours that follow the desktop palette: its base and text colours, and
// line colours light enough to read on a dark base, dark enough on a light one.
ChartColours PaletteColours(const QPalette& palette);

// Black on white, for paper.
ChartColours PrintColours();

// A new chart of the curve (owned by the caller).
QChart* BuildCurveChart(const Curve& curve, const ChartColours& colours);

// The same, its title followed on a second line by the design the curve
// belongs to (DesignIdentity): the chart of an exported curve.
QChart* BuildCurveChart(const Curve& curve, const ChartColours& colours, const std::string& design);

// Paints `chart` into `target` of the painter (vector output on a PDF or SVG
// device), laid out at `size` logical pixels and scaled to the target.
void PaintChart(QChart& chart, QPainter& painter, const QRectF& target, const QSizeF& size);

// `chart` laid out at `size` logical pixels as an image of `scale` device
// pixels per logical pixel (its device pixel ratio), antialiased.
QImage ChartImage(QChart& chart, const QSizeF& size, qreal scale);

}  // namespace tov::qt

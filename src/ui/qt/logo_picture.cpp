#include "ui/qt/logo_picture.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace tov::qt {
namespace {

constexpr int kTurns = 18;
const QColor kCoreColour(38, 70, 110);     // powder core, dark steel blue
const QColor kCopperColour(196, 110, 40);  // magnet wire
const QColor kCopperEdge(120, 60, 20);

// Draws the logo into the square part of `area`; `base_font` gives the initial's family.
void PaintLogo(QPainter& painter, const QRectF& area, const QFont& base_font) {
  painter.setRenderHint(QPainter::Antialiasing);
  const double side = std::min(area.width(), area.height());
  const QPointF centre = area.center();
  const double outer = side * 0.40;
  const double inner = side * 0.20;

  // The core: a ring seen from above.
  QPainterPath ring;
  ring.addEllipse(centre, outer, outer);
  ring.addEllipse(centre, inner, inner);
  ring.setFillRule(Qt::OddEvenFill);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kCoreColour);
  painter.drawPath(ring);

  // The winding: evenly spaced turns crossing the ring, a little proud of it.
  painter.setPen(QPen(kCopperEdge, std::max(1.0, side / 120)));
  painter.setBrush(kCopperColour);
  const double wire = side * 0.055;
  for (int turn = 0; turn < kTurns; ++turn) {
    const double angle = 2 * M_PI * turn / kTurns;
    painter.save();
    painter.translate(centre);
    painter.rotate(qRadiansToDegrees(angle));
    painter.drawRoundedRect(
        QRectF(inner - side * 0.04, -wire / 2, outer - inner + side * 0.08, wire), wire / 2,
        wire / 2);
    painter.restore();
  }

  // The leads, out to the right.
  painter.setPen(QPen(kCopperColour, wire * 0.6, Qt::SolidLine, Qt::RoundCap));
  const QPointF lead_start(centre.x() + outer * 0.75, centre.y() + outer * 0.62);
  painter.drawLine(lead_start, QPointF(area.right(), area.bottom() - wire));
  painter.drawLine(QPointF(lead_start.x() - wire * 1.4, lead_start.y() + wire * 0.8),
                   QPointF(area.right() - wire * 1.6, area.bottom()));

  // The initial in the hole of the core.
  QFont font = base_font;
  font.setBold(true);
  font.setPixelSize(std::max(6, static_cast<int>(inner * 1.3)));
  painter.setFont(font);
  painter.setPen(kCoreColour);
  painter.drawText(QRectF(centre.x() - inner, centre.y() - inner, 2 * inner, 2 * inner),
                   Qt::AlignCenter, "C");
}

}  // namespace

LogoPicture::LogoPicture(QWidget* parent) : QWidget(parent) {
  setObjectName("picLogo");
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize LogoPicture::sizeHint() const {
  const int side = fontMetrics().height() * 5;
  return {side, side};
}

void LogoPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintLogo(painter, QRectF(rect()).adjusted(2, 2, -2, -2), font());
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int side : {16, 24, 32, 48, 64, 128, 256}) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    PaintLogo(painter, QRectF(0, 0, side, side), QFont());
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace tov::qt

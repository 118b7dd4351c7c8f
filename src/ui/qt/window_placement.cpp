#include "ui/qt/window_placement.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace tov::qt {

QRect PlaceOver(QSize wanted, const QRect& owner, const QRect& available, int frame,
                int title_bar) {
  const QSize room(available.width() - 2 * frame, available.height() - 2 * frame - title_bar);
  const QSize size = wanted.boundedTo(room).expandedTo(QSize(1, 1));
  QRect placed(QPoint(0, 0), size);
  placed.moveCenter(owner.center());
  // The frame and title bar belong to the window on the screen.
  const int left = available.left() + frame;
  const int top = available.top() + frame + title_bar;
  const int right = available.right() - frame - size.width() + 1;
  const int bottom = available.bottom() - frame - size.height() + 1;
  placed.moveTo(std::clamp(placed.x(), left, std::max(left, right)),
                std::clamp(placed.y(), top, std::max(top, bottom)));
  return placed;
}

void OpenOver(QWidget& tool, const QWidget* owner, QSize wanted) {
  if (!owner) {
    tool.resize(wanted);
    return;
  }
  const QScreen* screen = owner->screen();
  const int frame = tool.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
  const int title_bar = tool.style()->pixelMetric(QStyle::PM_TitleBarHeight);
  tool.setGeometry(PlaceOver(wanted.expandedTo(tool.minimumSizeHint()), owner->frameGeometry(),
                             screen->availableGeometry(), frame, title_bar));
}

}  // namespace tov::qt

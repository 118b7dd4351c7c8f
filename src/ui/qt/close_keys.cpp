#include "ui/qt/close_keys.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace tov::qt {

void CloseOnEscapeOrCtrlW(QWidget& window) {
  for (const QKeySequence& keys :
       {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
    auto* shortcut = new QShortcut(keys, &window);
    QObject::connect(shortcut, &QShortcut::activated, &window, &QWidget::close);
  }
}

}  // namespace tov::qt

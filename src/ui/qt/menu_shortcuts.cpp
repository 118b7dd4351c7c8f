#include "ui/qt/menu_shortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenuBar>

namespace tov::qt {
namespace {

// Watches every ShortcutOverride of the program: a field that asks to keep a
// key which is an entry's shortcut is refused it, and the entry runs.
class ShortcutPriority : public QObject {
 public:
  explicit ShortcutPriority(QMenuBar& bar) : QObject(&bar), bar_(bar) {
    qApp->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride || QApplication::activeModalWidget()) {
      return QObject::eventFilter(watched, event);
    }
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (const QAction* action : bar_.findChildren<QAction*>()) {
      if (action->isEnabled() && !action->shortcut().isEmpty() && action->shortcut() == pressed) {
        event->ignore();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QMenuBar& bar_;
};

}  // namespace

void GiveShortcutsPriority(QMenuBar& bar) {
  new ShortcutPriority(bar);
}

}  // namespace tov::qt

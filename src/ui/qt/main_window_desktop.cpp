// The main window's desktop conventions: Enter presses Calculate, a design
// file opens from the command line, a drop or File > Recent Designs, and the
// title names the design file, marked with "*" while the window differs from it.

#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QTimer>

#include "ui/qt/desktop_settings.h"
#include "ui/qt/main_window.h"

namespace tov::qt {
namespace {

// Return or the keypad's Enter, without Ctrl, Alt or Shift.
bool IsEnter(const QKeyEvent& key) {
  return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
         (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// The one local design file (*.tov) a drag carries, else empty.
QString DraggedDesign(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().front();
  if (!url.isLocalFile()) return {};
  const QString path = url.toLocalFile();
  return path.endsWith(".tov", Qt::CaseInsensitive) ? path : QString();
}

bool IsDragEvent(const QEvent* event) {
  return event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
         event->type() == QEvent::Drop;
}

}  // namespace

void MainWindow::keyPressEvent(QKeyEvent* event) {
  if (!IsEnter(*event)) {
    QMainWindow::keyPressEvent(event);
    return;
  }
  // Calculate is the window's default button; a button that has the focus
  // takes Enter itself, as in a dialog.
  auto* focused = qobject_cast<QPushButton*>(focusWidget());
  (focused ? focused : cmdCalculate_)->click();
  event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lstCores_ && event->type() == QEvent::KeyPress &&
      IsEnter(*static_cast<QKeyEvent*>(event))) {
    if (lstCores_->currentRow() >= 0) CoreListPicked(lstCores_->currentRow());
    return true;
  }
  if (IsDragEvent(event) && !DraggedDesign(static_cast<QDropEvent*>(event)->mimeData()).isEmpty()) {
    HandleDesignDrag(static_cast<QDropEvent*>(event));
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  HandleDesignDrag(event);
}
void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
  HandleDesignDrag(event);
}
void MainWindow::dropEvent(QDropEvent* event) {
  HandleDesignDrag(event);
}

void MainWindow::HandleDesignDrag(QDropEvent* event) {
  const QString path = DraggedDesign(event->mimeData());
  if (path.isEmpty() || !frm_.Model().enabled) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  // Opened once the drop is over: its messages must not hold up the drag's source.
  if (event->type() == QEvent::Drop) {
    QTimer::singleShot(0, this, [this, path] { OpenOtherDesignFile(path); });
  }
}

void MainWindow::MirrorDesignFile() {
  const std::string& file = frm_.Model().design_file;
  const QString path = QFile::decodeName(QByteArray::fromStdString(file));
  const QString marker = frm_.HasUnsavedEdits() ? "*" : "";
  if (path.isEmpty()) {
    setWindowTitle(marker.isEmpty() ? QString(kProgramTitle)
                                    : "Untitled" + marker + " \u2013 " + kProgramTitle);
  } else {
    setWindowTitle(QFileInfo(path).fileName() + marker + " \u2013 " + kProgramTitle);
  }
  if (file == shown_design_file_) return;
  shown_design_file_ = file;
  if (!path.isEmpty()) AddRecentDesign(QFileInfo(path).absoluteFilePath());
}

void MainWindow::FillRecentMenu() {
  QMenu* menu = menus_.mnuRecent;
  menu->clear();
  const QStringList recent = RecentDesigns();
  if (recent.isEmpty()) {
    menu->addAction("No recent designs")->setEnabled(false);
    return;
  }
  for (qsizetype i = 0; i < recent.size(); ++i) {
    const QString path = recent[i];
    QAction* entry = menu->addAction(QString("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
    entry->setToolTip(path);
    entry->setStatusTip(path);
    connect(entry, &QAction::triggered, this, [this, path] {
      // A design file that no longer opens leaves the list.
      if (OpenOtherDesignFile(path) == Opening::Failed) RemoveRecentDesign(path);
    });
  }
  menu->addSeparator();
  connect(menu->addAction("&Clear Recent Designs"), &QAction::triggered, this,
          [] { ClearRecentDesigns(); });
}

}  // namespace tov::qt

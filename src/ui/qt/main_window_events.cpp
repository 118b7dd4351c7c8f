// How the main window forwards its events to the window logic and mirrors the
// window model back into its widgets.

#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidgetItem>
#include <QMimeData>
#include <QPalette>
#include <QTimer>
#include <QWindow>

#include "ui/logic/status_texts.h"
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

QColor ToQColor(Rgb rgb) {
  return QColor(rgb.r, rgb.g, rgb.b);
}

void MirrorTextBox(QLineEdit* edit, const TextBox& box) {
  const QString text = QString::fromStdString(box.text);
  if (edit->text() != text) {
    edit->setText(text);
    if (edit->isReadOnly()) edit->setCursorPosition(0);  // a long text shows its start
  }
  edit->setEnabled(box.enabled);
  // The colour holds while the field takes input; a disabled field keeps the
  // style's disabled look.
  QPalette palette = edit->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Base, ToQColor(box.background));
    palette.setColor(group, QPalette::Text, Qt::black);
  }
  edit->setPalette(palette);
}

}  // namespace

template <class Handler>
void MainWindow::Forward(Handler handler) {
  if (!frm_.Model().enabled) {
    Refresh();  // undoes what the widget did on its own, such as a check mark
    return;
  }
  CopyInputsToModel();
  handler();
  Refresh();
}

template <class Handler>
void MainWindow::ForwardFromStackDialog(Handler handler) {
  if (!frm_.StackDialog()) return;
  CopyInputsToModel();
  handler();
  Refresh();
}

void MainWindow::CopyInputsToModel() {
  WindowModel& model = frm_.Model();
  for (const Field& field : inputs_) (model.*field.box).text = field.edit->text().toStdString();
}

void MainWindow::ConnectEvents() {
  FrmTov& f = frm_;
  auto on = [this](QAction* action, auto handler) {
    connect(action, &QAction::triggered, this, [this, handler] { Forward(handler); });
  };
  on(menus_.mnuOpen, [&f] { f.mnuOpen_Click(); });
  connect(menus_.mnuRecent, &QMenu::aboutToShow, this, &MainWindow::FillRecentMenu);
  on(menus_.mnuSaveAs, [&f] { f.mnuSaveAs_Click(); });
  on(menus_.mnuPrint, [&f] { f.mnuPrint_Click(); });
  connect(menus_.mnuExit, &QAction::triggered, this, &QWidget::close);
  on(menus_.mnuTemp, [&f] { f.mnuTemp_Click(); });
  on(menus_.mnuStack, [&f] { f.mnuStack_Click(); });
  on(menus_.mnuLfl, [&f] { f.mnuLfl_Click(); });
  on(menus_.mnuSingleLayer, [&f] { f.mnuSingleLayer_Click(); });
  on(menus_.mnuDimEng, [&f] { f.mnuDimEng_Click(); });
  on(menus_.mnuDimMet, [&f] { f.mnuDimMet_Click(); });
  on(menus_.mnuContents, [&f] { f.mnuContents_Click(); });
  on(menus_.mnuIndex, [&f] { f.mnuIndex_Click(); });
  on(menus_.mnuAbout, [&f] { f.mnuAbout_Click(); });
  on(menus_.mnuContact, [&f] { f.mnuContact_Click(); });

  connect(cmdCalculate_, &QPushButton::clicked, this,
          [this, &f] { Forward([&f] { f.cmdCalculate_Click(); }); });
  connect(cmdSelCore_, &QPushButton::clicked, this,
          [this, &f] { Forward([&f] { f.cmdSelCore_Click(); }); });
  connect(cmdPrint_, &QPushButton::clicked, this,
          [this, &f] { Forward([&f] { f.cmdPrint_Click(); }); });
  connect(cmdExit_, &QPushButton::clicked, this, &QWidget::close);

  // Enter anywhere in the window presses the default button (keyPressEvent).
  for (const Field& field : inputs_) {
    connect(field.edit, &QLineEdit::textEdited, this, &MainWindow::InputEdited);
    field.edit->installEventFilter(this);  // a dragged design file is for the window
  }
  lstCores_->installEventFilter(this);  // Enter picks the line instead

  for (std::size_t i = 0; i < materials_.size(); ++i) {
    connect(materials_[i], &QRadioButton::clicked, this,
            [this, material = kMaterials[i]] { MaterialClicked(material); });
  }

  auto picked = [this](QListWidgetItem* item) { CoreListPicked(lstCores_->row(item)); };
  connect(lstCores_, &QListWidget::itemClicked, this, picked);
  connect(lstCores_, &QListWidget::itemActivated, this, picked);
}

void MainWindow::MaterialClicked(Material material) {
  // Only a change of material is an event; clicking the selected button is not.
  if (material == frm_.Model().material) return;
  Forward([this, material] { frm_.SelectMaterial(material); });
}

void MainWindow::CoreListPicked(int row) {
  // A double click reports the line twice; only the first pick is designed.
  if (row < 0 || !frm_.Model().lstCores_visible) return;
  Forward([this, row] { frm_.lstCores_Click(row); });
}

void MainWindow::InputEdited() {
  // Only the first edit after a design changes anything.
  if (!frm_.Model().inputs_changed) Forward([this] { frm_.txtInput_Change(); });
}

bool MainWindow::OpenDesignFile(const QString& path) {
  bool opened = false;
  Forward(
      [this, &path, &opened] { opened = frm_.OpenDesign(QFile::encodeName(path).toStdString()); });
  return opened;
}

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
    QTimer::singleShot(0, this, [this, path] { OpenDesignFile(path); });
  }
}

void MainWindow::Refresh() {
  const WindowModel& model = frm_.Model();
  MirrorFields();
  for (const LiveCaption& c : captions_) c.label->setText(QString::fromStdString(model.*c.caption));

  menus_.mnuLfl->setChecked(model.mnuLfl);
  menus_.mnuSingleLayer->setChecked(model.mnuSingleLayer);
  menus_.mnuDimEng->setChecked(model.mnuDimEng);
  menus_.mnuDimMet->setChecked(model.mnuDimMet);

  const auto material = static_cast<std::size_t>(model.material);
  if (material < materials_.size()) materials_[material]->setChecked(true);

  MirrorCoreList();
  setEnabled(model.enabled);
  MirrorStackDialog();
  MirrorStatus();
  MirrorDesignFile();
}

void MainWindow::MirrorStatus() {
  const StatusTexts texts = ComposeStatus(frm_.Model());
  status_notes_->setText(QString::fromStdString(texts.notes));
  status_notes_->setToolTip(status_notes_->text());
  status_settings_->setText(QString::fromStdString(texts.settings));
}

void MainWindow::MirrorDesignFile() {
  const std::string& file = frm_.Model().design_file;
  if (file == shown_design_file_) return;
  shown_design_file_ = file;
  const QString path = QFile::decodeName(QByteArray::fromStdString(file));
  setWindowTitle(path.isEmpty() ? QString(kProgramTitle)
                                : QFileInfo(path).fileName() + " \u2013 " + kProgramTitle);
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
      if (!OpenDesignFile(path)) RemoveRecentDesign(path);
    });
  }
  menu->addSeparator();
  connect(menu->addAction("&Clear Recent Designs"), &QAction::triggered, this,
          [] { ClearRecentDesigns(); });
}

void MainWindow::MirrorFields() {
  const WindowModel& model = frm_.Model();
  for (const Field& field : inputs_) MirrorTextBox(field.edit, model.*field.box);
  for (const Field& field : outputs_) MirrorTextBox(field.edit, model.*field.box);
}

void MainWindow::MirrorCoreList() {
  const WindowModel& model = frm_.Model();
  if (model.lstCores != shown_core_lines_) {
    lstCores_->clear();
    for (const std::string& line : model.lstCores) lstCores_->addItem(QString::fromStdString(line));
    shown_core_lines_ = model.lstCores;
  }
  if (lstCores_->isVisibleTo(this) != model.lstCores_visible) {
    if (model.lstCores_visible) lstCores_->clearSelection();
    lstCores_->setVisible(model.lstCores_visible);
  }
}

void MainWindow::MirrorStackDialog() {
  const auto& dialog = frm_.StackDialog();
  if (dialog && !stack_dialog_) {
    // A top-level window of its own: a child of the disabled main window
    // would be disabled with it.
    stack_dialog_ = new StackDialog;
    FrmTov& f = frm_;
    connect(stack_dialog_, &StackDialog::optStackClicked, this, [this, &f](int16_t count) {
      ForwardFromStackDialog([&f, count] { f.optStack_Click(count); });
    });
    connect(stack_dialog_, &StackDialog::cmdApplyClicked, this,
            [this, &f] { ForwardFromStackDialog([&f] { f.cmdApply_Click(); }); });
    connect(stack_dialog_, &StackDialog::cmdOKClicked, this,
            [this, &f] { ForwardFromStackDialog([&f] { f.cmdOK_Click(); }); });
    connect(stack_dialog_, &StackDialog::cmdCancelClicked, this,
            [this, &f] { ForwardFromStackDialog([&f] { f.cmdCancel_Click(); }); });
    stack_dialog_->Mirror(dialog->selected);
    stack_dialog_->adjustSize();
    stack_dialog_->move(geometry().center() - stack_dialog_->rect().center());
    // The window system learns that the dialog belongs to this window when
    // it is first shown, so that it stays above it and has no taskbar entry.
    stack_dialog_->winId();
    if (stack_dialog_->windowHandle() && windowHandle()) {
      stack_dialog_->windowHandle()->setTransientParent(windowHandle());
    }
    stack_dialog_->show();
    stack_dialog_->activateWindow();
  } else if (dialog) {
    stack_dialog_->Mirror(dialog->selected);
  } else if (stack_dialog_) {
    StackDialog* closing = stack_dialog_;
    stack_dialog_ = nullptr;
    closing->hide();
    closing->deleteLater();  // it may be the sender of the event being handled
    activateWindow();
  }
}

}  // namespace tov::qt

// How the main window forwards its events to the window logic and mirrors the
// window model back into its widgets.

#include <QFile>
#include <QListWidgetItem>
#include <QPalette>
#include <QWindow>

#include "ui/logic/mas_exchange.h"
#include "ui/logic/status_texts.h"
#include "ui/qt/main_window.h"
#include "ui/qt/report_print.h"
#include "ui/qt/window_placement.h"

namespace tov::qt {
namespace {

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
  // style's disabled look. A figure that fails a requirement reads in dark
  // red (dark orange where only its worst case fails), and its tooltip says why.
  QPalette palette = edit->palette();
  const QColor text_colour = box.problem.empty()              ? QColor(Qt::black)
                             : box.problem_at_worst_case_only ? QColor(160, 82, 0)
                                                              : QColor(176, 0, 0);
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Base, ToQColor(box.background));
    palette.setColor(group, QPalette::Text, text_colour);
  }
  edit->setPalette(palette);
  if (edit->isReadOnly()) {
    const QString problem = QString::fromStdString(box.problem);
    edit->setToolTip(problem);
    edit->setAccessibleDescription(problem);
  }
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
  DesignController& f = frm_;
  auto on = [this](QAction* action, auto handler) {
    connect(action, &QAction::triggered, this, [this, handler] { Forward(handler); });
  };
  on(menus_.new_design, [&f] { f.NewDesign(); });
  on(menus_.mnuOpen, [&f] { f.ChooseAndOpenDesign(); });
  connect(menus_.mnuRecent, &QMenu::aboutToShow, this, &MainWindow::FillRecentMenu);
  on(menus_.save, [&f] { f.SaveDesign(); });
  on(menus_.mnuSaveAs, [&f] { f.SaveDesignAs(); });
  on(menus_.mnuPrint, [&f] { f.Print(); });
  connect(menus_.print_report, &QAction::triggered, this,
          [this] { PrintDesignReport(this, frm_); });
  connect(menus_.mnuExportPdf, &QAction::triggered, this, &MainWindow::ExportPdf);
  on(menus_.mnuExportSpice, [&f] { f.ExportSpiceModel(); });
  on(menus_.export_mas, [&f] { ExportMasFile(f); });
  on(menus_.import_mas, [&f] { ImportMasFile(f); });
  connect(menus_.mnuCurves, &QAction::triggered, this, &MainWindow::OpenCurves);
  connect(menus_.part, &QAction::triggered, this, &MainWindow::OpenPart);
  connect(menus_.mnuExit, &QAction::triggered, this, &QWidget::close);
  on(menus_.mnuTemp, [&f] { f.AskAmbientTemperature(); });
  on(menus_.mnuStack, [&f] { f.OpenStackDialog(); });
  on(menus_.full_load_l_max, [&f] { f.ToggleFullLoadLMaximum(); });
  on(menus_.single_layer, [&f] { f.ToggleSingleLayer(); });
  on(menus_.mnuALTolerance, [&f] { f.AskAlTolerance(); });
  on(menus_.inches, [&f] { f.ShowInches(); });
  on(menus_.millimetres, [&f] { f.ShowMillimetres(); });
  connect(menus_.mnuCompare, &QAction::triggered, this, &MainWindow::ShowCompareWindow);
  connect(menus_.converter, &QAction::triggered, this, &MainWindow::OpenConverter);
  connect(menus_.simulate, &QAction::triggered, this, &MainWindow::SimulateConverter);
  on(menus_.mnuContents, [&f] { f.ShowHelpContents(); });
  on(menus_.mnuIndex, [&f] { f.ShowHelpIndex(); });
  on(menus_.mnuAbout, [&f] { f.ShowAbout(); });
  on(menus_.mnuContact, [&f] { f.ShowContact(); });

  connect(cmdCalculate_, &QPushButton::clicked, this,
          [this, &f] { Forward([&f] { f.Calculate(); }); });
  connect(cmdSelCore_, &QPushButton::clicked, this, [this, &f] {
    Forward([&f] { f.ShowCoreList(); });
    // Typing goes to the list: its first letters reach a part number.
    if (lstCores_->isVisible()) lstCores_->setFocus(Qt::ShortcutFocusReason);
  });
  connect(cmdPrint_, &QPushButton::clicked, this, [this, &f] { Forward([&f] { f.Print(); }); });
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
  if (row < 0 || !frm_.Model().core_list_visible) return;
  Forward([this, row] { frm_.PickListedCore(row); });
}

void MainWindow::InputEdited() {
  // Only the first edit after a design changes the design shown; every edit
  // may change whether the window differs from its design file.
  if (!frm_.Model().inputs_changed) {
    Forward([this] { frm_.InputEdited(); });
  } else {
    CopyInputsToModel();
    MirrorDesignFile();
  }
}

bool MainWindow::OpenDesignFile(const QString& path) {
  bool opened = false;
  Forward(
      [this, &path, &opened] { opened = frm_.OpenDesign(QFile::encodeName(path).toStdString()); });
  return opened;
}

MainWindow::Opening MainWindow::OpenOtherDesignFile(const QString& path) {
  bool may_drop = false;
  Forward([this, &may_drop] { may_drop = frm_.MayDropUnsavedEdits(kOpenDesignTitle); });
  if (!may_drop) return Opening::Kept;
  return OpenDesignFile(path) ? Opening::Opened : Opening::Failed;
}

void MainWindow::ShowCompareWindow() {
  if (!compare_window_) {
    compare_window_ = new CompareWindow(frm_, this);
    // Queued: the design runs after the table has finished its double-click.
    connect(
        compare_window_, &CompareWindow::coreChosen, this,
        [this](Material material, int16_t stack, int16_t row) {
          Forward([this, material, stack, row] { frm_.DesignComparedCore(material, stack, row); });
        },
        Qt::QueuedConnection);
    OpenOver(*compare_window_, this, compare_window_->WholeTableSize());
  }
  compare_window_->show();
  compare_window_->raise();
  compare_window_->activateWindow();
}

void MainWindow::Refresh() {
  const WindowModel& model = frm_.Model();
  MirrorFields();
  for (const LiveCaption& c : captions_) c.label->setText(QString::fromStdString(model.*c.caption));

  menus_.full_load_l_max->setChecked(model.full_load_l_max);
  menus_.single_layer->setChecked(model.single_layer);
  menus_.inches->setChecked(model.inches);
  menus_.millimetres->setChecked(model.millimetres);

  const auto material = static_cast<std::size_t>(model.material);
  if (material < materials_.size()) materials_[material]->setChecked(true);

  MirrorCoreList();
  MirrorDesignViews();
  setEnabled(model.enabled);
  MirrorStackDialog();
  MirrorStatus();
  MirrorDesignFile();
  if (compare_window_) compare_window_->Refresh();
}

void MainWindow::MirrorStatus() {
  const StatusTexts texts = ComposeStatus(frm_.Model());
  status_notes_->setText(QString::fromStdString(texts.notes));
  status_notes_->setToolTip(status_notes_->text());
  status_settings_->setText(QString::fromStdString(texts.settings));
}

void MainWindow::MirrorFields() {
  const WindowModel& model = frm_.Model();
  for (const Field& field : inputs_) MirrorTextBox(field.edit, model.*field.box);
  for (const Field& field : outputs_) MirrorTextBox(field.edit, model.*field.box);
}

void MainWindow::MirrorCoreList() {
  const WindowModel& model = frm_.Model();
  if (model.core_list != shown_core_lines_) {
    lstCores_->clear();
    for (const std::string& line : model.core_list)
      lstCores_->addItem(QString::fromStdString(line));
    shown_core_lines_ = model.core_list;
  }
  if (lstCores_->isVisibleTo(this) != model.core_list_visible) {
    if (model.core_list_visible) lstCores_->clearSelection();
    lstCores_->setVisible(model.core_list_visible);
  }
}

void MainWindow::MirrorStackDialog() {
  const auto& dialog = frm_.StackDialog();
  if (dialog && !stack_dialog_) {
    // A top-level window of its own: a child of the disabled main window
    // would be disabled with it.
    stack_dialog_ = new StackDialog;
    DesignController& f = frm_;
    connect(stack_dialog_, &StackDialog::optStackClicked, this, [this, &f](int16_t count) {
      ForwardFromStackDialog([&f, count] { f.ChooseStackCount(count); });
    });
    connect(stack_dialog_, &StackDialog::cmdApplyClicked, this,
            [this, &f] { ForwardFromStackDialog([&f] { f.ApplyStack(); }); });
    connect(stack_dialog_, &StackDialog::cmdOKClicked, this,
            [this, &f] { ForwardFromStackDialog([&f] { f.AcceptStack(); }); });
    connect(stack_dialog_, &StackDialog::cmdCancelClicked, this,
            [this, &f] { ForwardFromStackDialog([&f] { f.CancelStack(); }); });
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

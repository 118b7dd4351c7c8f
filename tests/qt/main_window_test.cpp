// The desktop main window: it starts as the program shows it, forwards its
// events to the window logic and mirrors the results; its title, shortcuts,
// dialogs and tool windows. The design behaviour itself is tested on the
// window logic.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QUrl>
#include <QWindow>
#include <functional>

#include "qt_test_support.h"
#include "ui/logic/window_fields.h"
#include "ui/qt/desktop_settings.h"
#include "ui/qt/menu_shortcuts.h"
#include "ui/qt/window_placement.h"

namespace tov::qt::testing {
namespace {

const QString kTitleSuffix = QString(" \u2013 ") + kProgramTitle;

void ClickListLine(QListWidget* list, int row) {
  QListWidgetItem* item = list->item(row);
  ASSERT_NE(item, nullptr);
  list->scrollToItem(item);
  const QPointF at = list->visualItemRect(item).center();
  const QPointF global = list->viewport()->mapToGlobal(at);
  for (auto [type, buttons] : {std::pair{QEvent::MouseButtonPress, Qt::LeftButton},
                               std::pair{QEvent::MouseButtonRelease, Qt::NoButton}}) {
    QMouseEvent event(type, at, global, Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &event);
  }
}

// Whether the option button or menu entry `name` is checked.
bool Checked(const WindowUnderTest& t, const char* name) {
  if (auto* button = t.Find<QAbstractButton>(name)) return button->isChecked();
  auto* action = t.Find<QAction>(name);
  EXPECT_NE(action, nullptr) << name;
  return action && action->isChecked();
}

// Every output field shows what the window logic wrote into the model.
void ExpectWindowMirrorsModel(const WindowUnderTest& t) {
  for (const OutputField& field : kOutputFields) {
    EXPECT_EQ(t.Text(field.field.data()), (t.frm->Model().*field.box).text) << field.field;
  }
}

// The start-up window fits a 1366 x 768 screen less a title bar and a panel,
// also with Velmax E-cores in millimetres.
TEST(MainWindow, StartsWithTheDefaultControlsOnASmallScreen) {
  WindowUnderTest t;
  EXPECT_EQ(t.window->windowTitle(), "Corvane Inductor Design Using Powder Cores");
  for (const InputField& field : kInputFields) {
    EXPECT_EQ(t.Text(field.field.data()), (t.frm->Model().*field.box).text) << field.field;
  }
  ExpectWindowMirrorsModel(t);
  const std::pair<const char*, bool> checks[] = {
      {"optVelmax", true}, {"optMPP", false},         {"optHF", false},    {"optVelmaxE", false},
      {"mnuLfl", true},    {"mnuSingleLayer", false}, {"mnuDimEng", true}, {"mnuDimMet", false}};
  for (const auto& [name, checked] : checks) EXPECT_EQ(Checked(t, name), checked) << name;

  const QSize screen(1366, 768 - 80), start = t.window->sizeHint();
  EXPECT_EQ(start.boundedTo(screen), start) << start.width() << " x " << start.height();
  EXPECT_EQ(t.window->minimumSizeHint().boundedTo(screen), t.window->minimumSizeHint());
  t.Click("optVelmaxE");
  t.Trigger("mnuDimMet");
  t.Click("cmdCalculate");
  ASSERT_FALSE(t.Text("txtPN").empty());
  QApplication::processEvents();
  EXPECT_EQ(t.window->sizeHint().boundedTo(start), t.window->sizeHint());
}

// A material click reruns the design while the core list is hidden and
// refills the list shown; the list opens in room kept for it, with the focus,
// and a click or Enter on a line designs that row without a Calculate.
TEST(MainWindow, CoreListRefillsOpensInItsRoomAndDesignsThePickedLine) {
  WindowUnderTest t;
  t.Click("optHF");
  const std::string hf_design = t.Text("txtPN");
  EXPECT_FALSE(hf_design.empty()) << "the hidden list reruns the design";
  ExpectWindowMirrorsModel(t);

  const QSize size = t.window->size(), hint = t.window->sizeHint();
  auto* list = t.Find<QListWidget>("lstCores");
  t.Click("cmdSelCore");
  QApplication::processEvents();
  ASSERT_TRUE(list->isVisible());
  EXPECT_EQ(t.window->focusWidget(), list);
  EXPECT_EQ(t.window->size(), size);
  EXPECT_EQ(t.window->sizeHint(), hint);
  t.Click("optMPP");
  EXPECT_TRUE(list->isVisible());
  ASSERT_EQ(list->count(), 250);
  EXPECT_EQ(t.Text("txtPN"), hf_design) << "no design while choosing a core";

  ClickListLine(list, 249);
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(t.frm->Model().state.core_row, 250);
  EXPECT_FALSE(Checked(t, "mnuLfl")) << "a chosen core is designed by turns";
  ExpectWindowMirrorsModel(t);

  t.Click("cmdSelCore");
  list->setCurrentRow(0);
  PressKey(list, Qt::Key_Return);
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(t.frm->Model().state.core_row, 1);
  EXPECT_EQ(t.frm->Model().state.design_mode, DesignMode::SelectedCore) << "no Calculate";
}

// The design shown is the one Calculate makes of the inputs typed last.
TEST(MainWindow, EnterOutsideTheCoreListPressesCalculate) {
  WindowUnderTest t;
  PressKey(t.Find<QLineEdit>("txtTempInput"), Qt::Key_Return);
  EXPECT_FALSE(t.Text("txtPN").empty());
  ExpectWindowMirrorsModel(t);
  auto* hf = t.Find<QRadioButton>("optHF");
  hf->setFocus();
  hf->click();
  t.Find<QLineEdit>("txtIdc")->setText("3");
  PressKey(hf, Qt::Key_Enter);
  EXPECT_EQ(t.frm->Model().dc_current.text, "3");
}

TEST(MainWindow, StatusBarShowsTheOptionsAndWhenTheInputsChanged) {
  WindowUnderTest t;
  auto status = [&t](const char* name) { return t.Find<QLabel>(name)->text().toStdString(); };
  EXPECT_EQ(status("statusSettings"),
            "Ambient 20 \u00b0C | 1 core | Single layer: off | Inches | Full Load L Maximum: on");
  t.Click("cmdCalculate");
  Type(t.Find<QLineEdit>("txtIdc"), "5");
  EXPECT_EQ(status("statusNotes"), "Inputs changed since the last design");
  t.Click("cmdCalculate");
  EXPECT_EQ(status("statusNotes"), "");
  t.Trigger("mnuDimMet");
  EXPECT_NE(status("statusSettings").find("| Millimetres |"), std::string::npos);
}

// The title marks edits until they are saved or typed back; Save asks for a
// name once. Saved, opened as the command line opens it, dropped on the
// window, or picked from File > Recent Designs: the title names the file.
TEST(MainWindow, TitleNamesTheDesignFileAndMarksUnsavedEdits) {
  QTemporaryDir dir;
  const QString saved = dir.filePath("choke.tov"), copy = dir.filePath("copy.tov");
  ClearRecentDesigns();
  {
    WindowUnderTest t;
    auto* idc = t.Find<QLineEdit>("txtIdc");
    Type(idc, "5");  // 105
    EXPECT_EQ(t.window->windowTitle(), "Untitled*" + kTitleSuffix);
    PressKey(idc, Qt::Key_Backspace);
    EXPECT_EQ(t.window->windowTitle(), kProgramTitle) << "typed back";
    Type(idc, "5");
    t.ui.save_paths = {saved.toStdString(), copy.toStdString()};
    t.Trigger("saveDesign");
    EXPECT_EQ(t.window->windowTitle(), "choke.tov" + kTitleSuffix);
    t.Trigger("mnuSingleLayer");
    EXPECT_EQ(t.window->windowTitle(), "choke.tov*" + kTitleSuffix);
    t.Trigger("saveDesign");
    EXPECT_EQ(t.ui.save_requests.size(), 1u) << "the second Save asks for no name";
    EXPECT_EQ(t.window->windowTitle(), "choke.tov" + kTitleSuffix);
    t.Trigger("mnuSaveAs");
    EXPECT_EQ(t.window->windowTitle(), "copy.tov" + kTitleSuffix);
  }
  EXPECT_EQ(RecentDesigns(), QStringList({copy, saved}));

  WindowUnderTest t;
  EXPECT_FALSE(t.window->OpenDesignFile(dir.filePath("missing.tov")));
  EXPECT_EQ(t.window->windowTitle(), kProgramTitle);
  EXPECT_TRUE(t.window->OpenDesignFile(saved));
  EXPECT_EQ(t.window->windowTitle(), "choke.tov" + kTitleSuffix);
  QMimeData dragged;
  dragged.setUrls({QUrl::fromLocalFile(copy)});
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
  static_cast<QObject*>(t.window.get())->event(&drop);  // as the drag manager delivers it
  QApplication::processEvents();
  EXPECT_EQ(t.window->windowTitle(), "copy.tov" + kTitleSuffix);
  QMenu* recent = t.Find<QMenu>("mnuRecent");
  emit recent->aboutToShow();
  ASSERT_GE(recent->actions().size(), 2);
  EXPECT_EQ(recent->actions()[1]->text(), "&2 choke.tov");
  recent->actions()[1]->trigger();
  EXPECT_EQ(t.window->windowTitle(), "choke.tov" + kTitleSuffix);
}

// A recent design asks before dropping edits, and one kept by Cancel stays
// in the list; Discard opens it. Exit asks nothing.
TEST(MainWindow, AsksBeforeDroppingUnsavedEdits) {
  QTemporaryDir dir;
  const QString other = dir.filePath("other.tov");
  ClearRecentDesigns();
  {
    WindowUnderTest t;
    t.ui.save_paths.push_back(other.toStdString());
    t.Trigger("mnuSaveAs");
  }
  WindowUnderTest t;
  auto* freq = t.Find<QLineEdit>("txtFreq");
  QMenu* recent = t.Find<QMenu>("mnuRecent");
  t.ui.unsaved_edits_answers = {UnsavedEditsAnswer::Cancel, UnsavedEditsAnswer::Discard};
  for (const QString& title : {"Untitled*" + kTitleSuffix, "other.tov" + kTitleSuffix}) {
    Type(freq, "0");
    emit recent->aboutToShow();
    recent->actions()[0]->trigger();
    EXPECT_EQ(t.window->windowTitle(), title) << "Cancel keeps the edits, Discard opens";
  }
  EXPECT_EQ(t.ui.unsaved_edits_questions.size(), 2u);
  EXPECT_EQ(RecentDesigns(), QStringList{other}) << "a kept design is no failed one";
  Type(freq, "0");
  t.Trigger("mnuExit");
  EXPECT_FALSE(t.window->isVisible());
  EXPECT_EQ(t.ui.unsaved_edits_questions.size(), 2u);
}

TEST(MainWindow, MenuCheckMarksFollowTheModelAndRerun) {
  // Single layer winding is refused for E cores: the mark the menu set itself
  // must be taken back.
  const struct {
    const char *material, *entry;
    bool toggles;
  } cases[] = {{"optVelmax", "mnuSingleLayer", true},
               {"optVelmax", "mnuLfl", true},
               {"optVelmaxE", "mnuSingleLayer", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    WindowUnderTest t;
    t.Click(c.material);
    const bool before = Checked(t, c.entry);
    t.Trigger(c.entry);
    EXPECT_EQ(Checked(t, c.entry), before != c.toggles);
    EXPECT_FALSE(t.Text("txtPN").empty());
    ExpectWindowMirrorsModel(t);
    t.Trigger(c.entry);
    EXPECT_EQ(Checked(t, c.entry), before);
  }
}

// The dialog window holds the main window until closed; Enter presses the
// focused button; the window frame, Escape and Enter on Cancel each cancel.
TEST(MainWindow, StackDialogHoldsTheWindowUntilClosed) {
  WindowUnderTest t;
  const auto open = [&t] {
    t.Trigger("mnuStack");
    StackDialog* dialog = t.window->Stack();
    EXPECT_FALSE(t.window->isEnabled());
    return dialog;
  };
  const auto press = [](StackDialog& d, const char* button, int key) {
    auto* b = d.findChild<QPushButton*>(button);
    b->setFocus();
    PressKey(b, key);
  };
  StackDialog* dialog = open();
  ASSERT_NE(dialog, nullptr);
  ASSERT_NE(dialog->windowHandle(), nullptr);
  // The window system is told of the parent of a dialog window only.
  EXPECT_EQ(dialog->windowType(), Qt::Dialog);
  EXPECT_EQ(dialog->windowHandle()->transientParent(), t.window->windowHandle());
  dialog->findChild<QRadioButton*>("optStack2")->click();
  press(*dialog, "cmdApply", Qt::Key_Return);
  EXPECT_EQ(t.Text("txtPN").rfind("(2x)", 0), 0u) << t.Text("txtPN");
  dialog->findChild<QPushButton*>("cmdOK")->click();

  const std::function<void(StackDialog&)> cancels[] = {
      [](StackDialog& d) { d.close(); },
      [](StackDialog& d) { PressKey(d.findChild<QRadioButton*>("optStack3"), Qt::Key_Escape); },
      [&press](StackDialog& d) { press(d, "cmdCancel", Qt::Key_Enter); }};
  for (const auto& cancel : cancels) {
    EXPECT_EQ(t.window->Stack(), nullptr);
    EXPECT_TRUE(t.window->isEnabled());
    EXPECT_EQ(t.frm->Model().state.stack_count, 2);
    dialog = open();
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QRadioButton*>("optStack3")->click();
    cancel(*dialog);
  }
  EXPECT_EQ(t.window->Stack(), nullptr);
  EXPECT_EQ(t.frm->Model().state.stack_count, 2);
}

// Export MAS is there while a design is shown; Import MAS fills the fields.
TEST(MainWindow, MasEntriesExportTheDesignShownAndFillTheFieldsFromADocument) {
  WindowUnderTest t;
  QAction* exporting = t.Find<QAction>("exportMas");
  EXPECT_FALSE(exporting->isEnabled());
  t.Click("cmdCalculate");
  EXPECT_TRUE(exporting->isEnabled());
  QTemporaryDir dir;
  t.ui.save_paths.push_back(dir.filePath("choke.json").toStdString());
  t.ui.open_paths.push_back(dir.filePath("choke.json").toStdString());
  t.Trigger("exportMas");
  t.Find<QLineEdit>("txtIdc")->setText("3");
  t.Trigger("importMas");
  EXPECT_EQ(t.Text("txtIdc"), "10");
}

void Activate(QWidget& window) {
  window.activateWindow();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::activeWindow(), &window);
}

// A key a text field keeps for itself in every keyboard scheme (Select All)
// still runs the menu entry it is the shortcut of, unless that is disabled.
TEST(MenuShortcuts, WinOverTheKeysOfTheFocusedField) {
  const WindowUnderTest program;  // the application, and its menus' filter beside this one
  QMainWindow window;
  GiveShortcutsPriority(*window.menuBar());
  QAction* entry = window.menuBar()->addMenu("&Edit")->addAction("Everything");
  entry->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  entry->setShortcutContext(Qt::ApplicationShortcut);
  int runs = 0;
  QObject::connect(entry, &QAction::triggered, [&runs] { ++runs; });
  auto* field = new QLineEdit("text", &window);
  window.setCentralWidget(field);
  window.show();
  Activate(window);
  field->setFocus();
  PressKey(field, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(field->hasSelectedText());
  entry->setEnabled(false);
  PressKey(field, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(field->hasSelectedText());
}

// Ctrl+E, Ctrl+K and Ctrl+S from inside DC Current, which has the first keys.
TEST(MainWindow, ShortcutsWorkWhileAnInputHasTheFocus) {
  QTemporaryDir dir;
  WindowUnderTest t;
  Activate(*t.window);
  auto* idc = t.Find<QLineEdit>("txtIdc");
  ASSERT_EQ(t.window->focusWidget(), idc);
  auto* export_pdf = t.Find<QAction>("mnuExportPdf");
  QObject::disconnect(export_pdf, &QAction::triggered, t.window.get(), nullptr);  // no dialog
  int exports = 0;
  QObject::connect(export_pdf, &QAction::triggered, [&exports] { ++exports; });
  PressKey(idc, Qt::Key_E, Qt::ControlModifier);
  EXPECT_EQ(exports, 1);
  PressKey(idc, Qt::Key_K, Qt::ControlModifier);
  ASSERT_NE(t.window->Compare(), nullptr);
  EXPECT_TRUE(t.window->Compare()->isVisible());
  t.window->Compare()->close();
  Activate(*t.window);
  t.ui.save_paths.push_back(dir.filePath("keys.tov").toStdString());
  PressKey(idc, Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(QFile::exists(dir.filePath("keys.tov")));
}

// A 1366 x 768 screen with a 32-pixel panel at the top; frames of 4 pixels
// and a title bar of 20.
TEST(WindowPlacement, CentresOverTheOwnerWithinTheScreen) {
  const QRect screen(0, 32, 1366, 736);
  const struct {
    const char* name;
    QSize wanted;
    QRect owner, expected;
  } cases[] = {
      {"centred", {400, 300}, {300, 200, 600, 400}, {400, 250, 400, 300}},
      {"held off the left edge", {400, 300}, {0, 200, 100, 400}, {4, 250, 400, 300}},
      {"held off the bottom", {400, 300}, {300, 600, 600, 400}, {400, 464, 400, 300}},
      {"held below the panel", {400, 300}, {300, 0, 600, 100}, {400, 56, 400, 300}},
      {"too large", {2000, 1200}, {300, 200, 600, 400}, {4, 56, 1358, 708}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PlaceOver(c.wanted, c.owner, screen, 4, 20), c.expected) << c.name;
  }
}

// Curves, Compare Cores and Part open over the main window, whole on its screen.
TEST(MainWindow, ToolWindowsOpenOverItWithinTheScreen) {
  WindowUnderTest t;
  t.Click("cmdCalculate");
  for (const char* entry : {"mnuCurves", "mnuCompare", "part"}) t.Trigger(entry);
  const QRect screen = t.window->screen()->availableGeometry();
  for (QWidget* tool :
       {static_cast<QWidget*>(t.window->Curves()), static_cast<QWidget*>(t.window->Compare()),
        static_cast<QWidget*>(t.window->Part())}) {
    ASSERT_NE(tool, nullptr);
    EXPECT_TRUE(screen.contains(tool->geometry())) << tool->objectName().toStdString();
    EXPECT_TRUE(tool->geometry().intersects(t.window->frameGeometry()));
  }
}

}  // namespace
}  // namespace tov::qt::testing

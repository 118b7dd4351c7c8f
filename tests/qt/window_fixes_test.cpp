// The desktop behaviour around the main window: shortcuts from any field,
// Save and the unsaved-edits marker, where the focus goes, where the tool
// windows open, and the Compare Cores table's frozen part number, column
// menu, tooltips and summary.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>

#include "qt_test_support.h"
#include "ui/qt/desktop_settings.h"
#include "ui/qt/menu_shortcuts.h"
#include "ui/qt/part_view.h"
#include "ui/qt/window_placement.h"

namespace tov::qt::testing {
namespace {

// Makes `window` the active window, where shortcuts apply.
void Activate(QWidget& window) {
  window.activateWindow();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::activeWindow(), &window);
}

const QString kTitleSuffix = QString(" \u2013 ") + kProgramTitle;

// A key a text field keeps for itself in every keyboard scheme (Select All)
// still runs the menu entry it is the shortcut of.
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

  // A disabled entry leaves the key to the field.
  entry->setEnabled(false);
  PressKey(field, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(field->hasSelectedText());
}

// Ctrl+E, Ctrl+K and Ctrl+S from inside DC Current.
TEST(MainWindow, ShortcutsWorkWhileAnInputHasTheFocus) {
  QTemporaryDir dir;
  WindowUnderTest t;
  Activate(*t.window);
  auto* idc = t.Find<QLineEdit>("txtIdc");
  ASSERT_EQ(t.window->focusWidget(), idc) << "DC Current takes the first keys";

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

// The title marks edits of the inputs and options until they are saved or
// typed back; Save writes the file without asking once there is one.
TEST(MainWindow, TitleMarksUnsavedEditsAndSaveClearsTheMark) {
  QTemporaryDir dir;
  const QString path = dir.filePath("choke.tov");
  WindowUnderTest t;
  auto* idc = t.Find<QLineEdit>("txtIdc");
  Type(idc, "5");  // 105
  EXPECT_EQ(t.window->windowTitle(), "Untitled*" + kTitleSuffix);
  PressKey(idc, Qt::Key_Backspace);
  EXPECT_EQ(t.window->windowTitle(), kProgramTitle) << "typed back";

  Type(idc, "5");
  t.ui.save_paths.push_back(path.toStdString());
  t.Trigger("saveDesign");
  EXPECT_EQ(t.window->windowTitle(), "choke.tov" + kTitleSuffix);

  t.Trigger("mnuSingleLayer");
  EXPECT_EQ(t.window->windowTitle(), "choke.tov*" + kTitleSuffix);
  t.Trigger("mnuDimMet");
  EXPECT_EQ(t.window->windowTitle(), "choke.tov*" + kTitleSuffix);
  t.Trigger("saveDesign");
  EXPECT_EQ(t.ui.save_requests.size(), 1u) << "the second Save asks for no name";
  EXPECT_EQ(t.window->windowTitle(), "choke.tov" + kTitleSuffix);
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  const QByteArray bytes = saved.readAll();
  EXPECT_TRUE(bytes.contains("\"105\"")) << bytes.toStdString();
}

// New Design, a recent design and a dropped file ask before dropping edits;
// a recent design kept by Cancel stays in the list. Exit asks nothing.
TEST(MainWindow, AsksBeforeDroppingUnsavedEdits) {
  QTemporaryDir dir;
  const QString other = dir.filePath("other.tov");
  ClearRecentDesigns();
  {
    WindowUnderTest t;
    t.ui.save_paths.push_back(other.toStdString());
    t.Trigger("mnuSaveAs");
  }
  ASSERT_EQ(RecentDesigns(), QStringList{other});

  WindowUnderTest t;
  t.Find<QLineEdit>("txtFreq")->setText("50");
  Type(t.Find<QLineEdit>("txtFreq"), "0");
  ASSERT_EQ(t.frm->Model().frequency.text, "500");

  QMenu* recent = t.Find<QMenu>("mnuRecent");
  emit recent->aboutToShow();
  t.ui.unsaved_edits_answers.push_back(UnsavedEditsAnswer::Cancel);
  recent->actions()[0]->trigger();
  EXPECT_EQ(t.ui.unsaved_edits_questions.size(), 1u);
  EXPECT_EQ(t.Text("txtFreq"), "500");
  EXPECT_EQ(RecentDesigns(), QStringList{other}) << "a kept design is no failed one";

  t.ui.unsaved_edits_answers.push_back(UnsavedEditsAnswer::Cancel);
  t.Trigger("newDesign");
  EXPECT_EQ(t.ui.unsaved_edits_questions.back().title, "New Design");
  EXPECT_EQ(t.Text("txtFreq"), "500");

  t.ui.unsaved_edits_answers.push_back(UnsavedEditsAnswer::Discard);
  t.Trigger("newDesign");
  EXPECT_EQ(t.Text("txtFreq"), "100");
  EXPECT_EQ(t.window->windowTitle(), kProgramTitle);

  Type(t.Find<QLineEdit>("txtFreq"), "0");
  t.ui.unsaved_edits_answers.push_back(UnsavedEditsAnswer::Discard);
  emit recent->aboutToShow();
  recent->actions()[0]->trigger();
  EXPECT_EQ(t.window->windowTitle(), "other.tov" + kTitleSuffix);
  EXPECT_EQ(t.ui.unsaved_edits_questions.size(), 4u);

  Type(t.Find<QLineEdit>("txtFreq"), "0");
  t.Trigger("mnuExit");
  EXPECT_FALSE(t.window->isVisible());
  EXPECT_EQ(t.ui.unsaved_edits_questions.size(), 4u);
}

TEST(MainWindow, SelectCoreFromListPutsTheFocusInTheList) {
  WindowUnderTest t;
  t.Click("cmdSelCore");
  auto* list = t.Find<QListWidget>("lstCores");
  ASSERT_TRUE(list->isVisible());
  EXPECT_EQ(t.window->focusWidget(), list);
  EXPECT_EQ(t.Text("txtTempInput"), "35");
}

// Velmax E-cores in millimetres need no more room than the start-up window.
TEST(MainWindow, ECoresInMillimetresFitTheStartingSize) {
  WindowUnderTest t;
  const QSize start = t.window->sizeHint();
  t.Click("optVelmaxE");
  t.Trigger("mnuDimMet");
  t.Click("cmdCalculate");
  ASSERT_FALSE(t.Text("txtPN").empty());
  QApplication::processEvents();
  EXPECT_EQ(t.window->sizeHint().boundedTo(start), t.window->sizeHint())
      << t.window->sizeHint().width() << " x " << t.window->sizeHint().height();
}

struct Placement {
  const char* name;
  QSize wanted;
  QRect owner;
  QRect expected;
};

// A 1366 x 768 screen with a 32-pixel panel at the top; frames of 4 pixels
// and a title bar of 20.
TEST(WindowPlacement, CentresOverTheOwnerWithinTheScreen) {
  const QRect screen(0, 32, 1366, 736);
  const Placement cases[] = {
      {"centred", {400, 300}, {300, 200, 600, 400}, {400, 250, 400, 300}},
      {"held off the left edge", {400, 300}, {0, 200, 100, 400}, {4, 250, 400, 300}},
      {"held off the bottom", {400, 300}, {300, 600, 600, 400}, {400, 464, 400, 300}},
      {"held below the panel", {400, 300}, {300, 0, 600, 100}, {400, 56, 400, 300}},
      {"too large", {2000, 1200}, {300, 200, 600, 400}, {4, 56, 1358, 708}},
  };
  for (const Placement& c : cases) {
    EXPECT_EQ(PlaceOver(c.wanted, c.owner, screen, 4, 20), c.expected) << c.name;
  }
}

// Curves, Compare Cores and Part open over the main window, whole on its screen.
TEST(MainWindow, ToolWindowsOpenOverItWithinTheScreen) {
  WindowUnderTest t;
  t.Click("cmdCalculate");
  t.Trigger("mnuCurves");
  t.Trigger("mnuCompare");
  t.Trigger("part");
  const QRect screen = t.window->screen()->availableGeometry();
  for (QWidget* tool :
       {static_cast<QWidget*>(t.window->Curves()), static_cast<QWidget*>(t.window->Compare()),
        static_cast<QWidget*>(t.window->Part())}) {
    ASSERT_NE(tool, nullptr);
    EXPECT_TRUE(screen.contains(tool->geometry())) << tool->objectName().toStdString();
    EXPECT_TRUE(tool->geometry().intersects(t.window->frameGeometry()))
        << tool->objectName().toStdString();
  }
}

TEST(CompareWindow, KeepsThePartNumberInSightAndHidesColumnsOnRequest) {
  WindowUnderTest t;
  t.Click("cmdCalculate");
  t.Trigger("mnuCompare");
  CompareWindow* compare = t.window->Compare();
  compare->resize(500, 400);
  QApplication::processEvents();
  auto* grid = compare->findChild<QTableView*>("grdCompare");
  auto* frozen = compare->findChild<QTableView*>("grdCompareFrozen");
  ASSERT_NE(frozen, nullptr);
  EXPECT_TRUE(frozen->isVisible());
  EXPECT_EQ(frozen->columnWidth(0), grid->columnWidth(0));
  for (int c = 1; c < grid->model()->columnCount(); ++c) EXPECT_TRUE(frozen->isColumnHidden(c));

  // Scrolled right and down, the part numbers stay where they were, line by line.
  const QPoint at = frozen->pos();
  grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
  grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum() / 2);
  EXPECT_GT(grid->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(frozen->pos(), at);
  EXPECT_EQ(frozen->verticalScrollBar()->value(), grid->verticalScrollBar()->value());
  const QPoint line(5, frozen->viewport()->height() / 2);
  EXPECT_EQ(frozen->indexAt(line).row(),
            grid->indexAt(QPoint(grid->viewport()->width() - 5, line.y())).row());

  // The header's menu lists every column but the part number.
  const auto menu = compare->ColumnMenu();
  ASSERT_EQ(menu->actions().size(), grid->model()->columnCount() - 1);
  const int loss = static_cast<int>(CandidateColumn::TotalLoss);
  QAction* entry = menu->actions()[loss - 1];
  EXPECT_EQ(entry->text(), grid->model()->headerData(loss, Qt::Horizontal).toString());
  entry->toggle();
  EXPECT_TRUE(grid->isColumnHidden(loss));
  EXPECT_FALSE(compare->ColumnMenu()->actions()[loss - 1]->isChecked());
  entry->toggle();
  EXPECT_FALSE(grid->isColumnHidden(loss));
  EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(loss), QHeaderView::Interactive);
}

// The summary counts the lines the filters leave, against a count of the
// lines shown without failed tests; a failing line's tooltip holds its tests.
TEST(CompareWindow, SummaryCountsWhatTheFilterShowsAndTooltipsHoldTheFailedTests) {
  WindowUnderTest t;
  t.Click("cmdCalculate");
  t.Trigger("mnuCompare");
  CompareWindow* compare = t.window->Compare();
  QAbstractItemModel* shown = compare->findChild<QTableView*>("grdCompare")->model();
  auto* summary = compare->findChild<QLabel*>("lblSummary");
  const int failed = static_cast<int>(CandidateColumn::FailedTests);
  const auto counts = [&] {
    int passing = 0;
    for (int r = 0; r < shown->rowCount(); ++r) {
      passing += shown->index(r, failed).data().toString().isEmpty() ? 1 : 0;
    }
    return std::pair(shown->rowCount(), passing);
  };

  auto* stack = compare->findChild<QComboBox*>("cboStack");
  stack->setCurrentIndex(1);  // all stacks: every line
  const auto [all, all_passing] = counts();
  EXPECT_TRUE(summary->text().startsWith(
      QString("%1 lines (every core on 1 to 5 stacked cores), %2 pass. Calculate picks ")
          .arg(all)
          .arg(all_passing)))
      << summary->text().toStdString();

  compare->findChild<QComboBox*>("cboMaterial")->setCurrentIndex(2);  // High Flux
  stack->setCurrentIndex(0);
  const auto [some, some_passing] = counts();
  ASSERT_LT(some, all);
  EXPECT_TRUE(summary->text().startsWith(
      QString("%1 of %2 lines shown, %3 of them pass.").arg(some).arg(all).arg(some_passing)))
      << summary->text().toStdString();

  int tips = 0;
  for (int r = 0; r < shown->rowCount(); ++r) {
    const QModelIndex cell = shown->index(r, failed);
    if (cell.data().toString().isEmpty()) continue;
    EXPECT_TRUE(cell.data(Qt::ToolTipRole).toString().startsWith(cell.data().toString()));
    ++tips;
  }
  EXPECT_GT(tips, 0);
}

}  // namespace
}  // namespace tov::qt::testing

// Smoke tests of the desktop main window: it starts as the program shows it,
// forwards its events to the window logic and mirrors the results. The design
// behaviour itself is tested on the window model.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QUrl>
#include <QWindow>
#include <functional>

#include "qt_test_support.h"
#include "ui/qt/desktop_settings.h"

namespace tov::qt::testing {
namespace {

// Clicks the line `row` of a list with the mouse.
void ClickListLine(QListWidget* list, int row) {
  QListWidgetItem* item = list->item(row);
  ASSERT_NE(item, nullptr);
  list->scrollToItem(item);
  const QPointF at = list->visualItemRect(item).center();
  const QPointF global = list->viewport()->mapToGlobal(at);
  QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(list->viewport(), &press);
  QApplication::sendEvent(list->viewport(), &release);
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
  const WindowModel& m = t.frm->Model();
  const std::pair<const char*, const TextBox*> fields[] = {{"txtPN", &m.part_number},
                                                           {"txtPerm", &m.permeability},
                                                           {"txtAL", &m.al},
                                                           {"txtAe", &m.ae},
                                                           {"txtle", &m.le},
                                                           {"txtID", &m.core_id},
                                                           {"txtOD", &m.core_od},
                                                           {"txtHt", &m.core_height},
                                                           {"txtBobbin", &m.mount_part_number},
                                                           {"txtTurns", &m.turns},
                                                           {"txtWire", &m.wire},
                                                           {"txtK", &m.winding_factor},
                                                           {"txtDCR", &m.dcr},
                                                           {"txtLOutfl", &m.l_full_load},
                                                           {"txtLOutnl", &m.l_no_load},
                                                           {"txtRollOff", &m.mu_e_full_dc},
                                                           {"txtDim", &m.wound_dimensions},
                                                           {"txtPfe", &m.core_loss},
                                                           {"txtPcu", &m.copper_loss},
                                                           {"txtPtot", &m.total_loss},
                                                           {"txtTrise", &m.temp_rise}};
  for (const auto& [name, box] : fields) EXPECT_EQ(t.Text(name), box->text) << name;
}

TEST(MainWindow, StartsWithTheDefaultControls) {
  WindowUnderTest t;
  EXPECT_EQ(t.window->windowTitle(), "Corvane Inductor Design Using Powder Cores");
  const std::pair<const char*, const char*> texts[] = {
      {"txtIdc", "10"},  {"txtIdelta", "2"}, {"txtFreq", "100"},     {"txtCurDens", "600"},
      {"txtLfl", "100"}, {"txtLnl", "150"},  {"txtTempInput", "35"}, {"txtPN", ""},
      {"txtTurns", ""},  {"txtDCR", ""},     {"txtDim", ""},         {"txtTrise", ""}};
  for (const auto& [name, text] : texts) EXPECT_EQ(t.Text(name), text) << name;
  const std::pair<const char*, bool> checks[] = {
      {"optVelmax", true}, {"optMPP", false},         {"optHF", false},    {"optVelmaxE", false},
      {"mnuLfl", true},    {"mnuSingleLayer", false}, {"mnuDimEng", true}, {"mnuDimMet", false}};
  for (const auto& [name, checked] : checks) EXPECT_EQ(Checked(t, name), checked) << name;
  EXPECT_FALSE(t.Find<QListWidget>("lstCores")->isVisible());
  EXPECT_TRUE(t.window->isEnabled());
}

// The design shown is the one Calculate makes of the inputs typed last.
TEST(MainWindow, EnterAnywhereButTheCoreListPressesCalculate) {
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

  // In the core list Enter picks the current line, and nothing more.
  t.Click("cmdSelCore");
  auto* list = t.Find<QListWidget>("lstCores");
  list->setCurrentRow(0);
  PressKey(list, Qt::Key_Return);
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(t.frm->Model().state.core_row, 252);
  EXPECT_EQ(t.frm->Model().state.design_mode, DesignMode::SelectedCore)
      << "no Calculate after the pick";
}

// Every field shows without scrolling on a 1366 x 768 screen, less a title
// bar and a panel; the core list opens in room kept for it.
TEST(MainWindow, FitsASmallScreenAndKeepsItsSizeWhenTheCoreListOpens) {
  WindowUnderTest t;
  const QSize screen(1366, 768 - 80);
  const QSize whole = t.window->sizeHint();
  EXPECT_EQ(whole.boundedTo(screen), whole) << whole.width() << " x " << whole.height();
  EXPECT_EQ(t.window->minimumSizeHint().boundedTo(screen), t.window->minimumSizeHint());
  const QSize before = t.window->size();
  t.Click("cmdSelCore");
  QApplication::processEvents();
  EXPECT_TRUE(t.Find<QListWidget>("lstCores")->isVisible());
  EXPECT_EQ(t.window->size(), before);
  EXPECT_EQ(t.window->sizeHint(), whole);
}

TEST(MainWindow, StatusBarShowsTheOptionsAndWhenTheInputsChanged) {
  WindowUnderTest t;
  auto status = [&t](const char* name) { return t.Find<QLabel>(name)->text().toStdString(); };
  EXPECT_EQ(status("statusSettings"),
            "Ambient 20 \u00b0C | 1 core | Single layer: off | Inches | Full Load L Maximum: on");
  t.Click("cmdCalculate");
  EXPECT_EQ(status("statusNotes"), "");
  Type(t.Find<QLineEdit>("txtIdc"), "5");
  EXPECT_EQ(status("statusNotes"), "Inputs changed since the last design");
  t.Click("cmdCalculate");
  EXPECT_EQ(status("statusNotes"), "");
  t.Trigger("mnuDimMet");
  EXPECT_NE(status("statusSettings").find("| Millimetres |"), std::string::npos);
}

// Saved, opened as the command line opens it, dropped on the window, or
// picked from File > Recent Designs: the title names the file.
TEST(MainWindow, TheDesignFileOpenedOrSavedNamesTheWindowAndIsRecent) {
  QTemporaryDir dir;
  const QString saved = dir.filePath("choke.tov"), copy = dir.filePath("copy.tov");
  const QString suffix = QString(" \u2013 ") + kProgramTitle;
  ClearRecentDesigns();
  {
    WindowUnderTest t;
    t.ui.save_paths = {saved.toStdString(), copy.toStdString()};
    t.Trigger("mnuSaveAs");
    t.Trigger("mnuSaveAs");
    EXPECT_EQ(t.window->windowTitle(), "copy.tov" + suffix);
  }
  EXPECT_EQ(RecentDesigns(), QStringList({copy, saved}));

  WindowUnderTest t;
  EXPECT_FALSE(t.window->OpenDesignFile(dir.filePath("missing.tov")));
  EXPECT_EQ(t.window->windowTitle(), kProgramTitle);
  EXPECT_TRUE(t.window->OpenDesignFile(saved));
  EXPECT_EQ(t.window->windowTitle(), "choke.tov" + suffix);

  QMimeData dragged;
  dragged.setUrls({QUrl::fromLocalFile(copy)});
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
  static_cast<QObject*>(t.window.get())->event(&drop);  // as the drag manager delivers it
  QApplication::processEvents();
  EXPECT_EQ(t.window->windowTitle(), "copy.tov" + suffix);

  QMenu* recent = t.Find<QMenu>("mnuRecent");
  emit recent->aboutToShow();
  ASSERT_GE(recent->actions().size(), 2);
  EXPECT_EQ(recent->actions()[1]->text(), "&2 choke.tov");
  recent->actions()[1]->trigger();
  EXPECT_EQ(t.window->windowTitle(), "choke.tov" + suffix);
}

TEST(MainWindow, MaterialClickRerunsOrRefillsTheVisibleList) {
  WindowUnderTest t;
  t.Click("optHF");
  EXPECT_FALSE(t.Text("txtPN").empty()) << "the hidden list reruns the design";
  ExpectWindowMirrorsModel(t);

  WindowUnderTest listing;
  auto* list = listing.Find<QListWidget>("lstCores");
  listing.Click("cmdSelCore");
  ASSERT_EQ(list->count(), 126);  // Velmax toroids
  listing.Click("optVelmaxE");
  EXPECT_TRUE(list->isVisible());
  EXPECT_EQ(list->count(), 30);  // Velmax E cores
  EXPECT_TRUE(listing.Text("txtPN").empty()) << "no design while choosing a core";
}

TEST(MainWindow, PickingAListLineDesignsThatRowAndHidesTheList) {
  WindowUnderTest t;
  t.Click("optMPP");
  t.Click("cmdSelCore");
  auto* list = t.Find<QListWidget>("lstCores");
  ASSERT_EQ(list->count(), 250);
  ClickListLine(list, 249);
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(t.frm->Model().state.core_row, 250);
  EXPECT_FALSE(Checked(t, "mnuLfl")) << "a chosen core is designed by turns";
  EXPECT_FALSE(t.Text("txtPN").empty());
  ExpectWindowMirrorsModel(t);
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
    WindowUnderTest t;
    t.Click(c.material);
    const bool before = Checked(t, c.entry);
    t.Trigger(c.entry);
    EXPECT_EQ(Checked(t, c.entry), before != c.toggles) << c.entry;
    EXPECT_FALSE(t.Text("txtPN").empty()) << c.entry;
    ExpectWindowMirrorsModel(t);
    t.Trigger(c.entry);
    EXPECT_EQ(Checked(t, c.entry), before) << c.entry;
  }
}

TEST(MainWindow, StackDialogHoldsTheWindowUntilClosed) {
  WindowUnderTest t;
  t.Trigger("mnuStack");
  StackDialog* dialog = t.window->Stack();
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(t.window->isEnabled());
  ASSERT_NE(dialog->windowHandle(), nullptr);
  // The window system is told of the parent of a dialog window only.
  EXPECT_EQ(dialog->windowType(), Qt::Dialog);
  EXPECT_EQ(dialog->windowHandle()->transientParent(), t.window->windowHandle());
  // Enter presses the focused button.
  dialog->findChild<QRadioButton*>("optStack2")->click();
  auto* apply = dialog->findChild<QPushButton*>("cmdApply");
  apply->setFocus();
  PressKey(apply, Qt::Key_Return);
  EXPECT_EQ(t.Text("txtPN").rfind("(2x)", 0), 0u) << t.Text("txtPN");
  dialog->findChild<QPushButton*>("cmdOK")->click();
  EXPECT_EQ(t.window->Stack(), nullptr);
  EXPECT_TRUE(t.window->isEnabled());

  // The window frame, Escape and Enter on Cancel each cancel.
  const std::function<void(StackDialog&)> cancels[] = {
      [](StackDialog& d) { d.close(); },
      [](StackDialog& d) { PressKey(d.findChild<QRadioButton*>("optStack3"), Qt::Key_Escape); },
      [](StackDialog& d) {
        auto* cancel = d.findChild<QPushButton*>("cmdCancel");
        cancel->setFocus();
        PressKey(cancel, Qt::Key_Enter);
      }};
  for (const auto& cancel : cancels) {
    t.Trigger("mnuStack");
    dialog = t.window->Stack();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(t.window->isEnabled());
    dialog->findChild<QRadioButton*>("optStack3")->click();
    cancel(*dialog);
    EXPECT_EQ(t.window->Stack(), nullptr);
    EXPECT_TRUE(t.window->isEnabled());
    EXPECT_EQ(t.frm->Model().state.stack_count, 2);
  }
}

// File > Export MAS... is there while a design is shown and writes it;
// File > Import MAS... puts the document's inputs into the typed fields.
TEST(MainWindow, MasEntriesExportTheDesignShownAndFillTheFieldsFromADocument) {
  WindowUnderTest t;
  QAction* exporting = t.Find<QAction>("exportMas");
  ASSERT_NE(exporting, nullptr);
  EXPECT_FALSE(exporting->isEnabled());
  t.Click("cmdCalculate");
  EXPECT_TRUE(exporting->isEnabled());
  QTemporaryDir dir;
  const std::string path = dir.filePath("choke.json").toStdString();
  t.ui.save_paths.push_back(path);
  t.Trigger("exportMas");
  t.Find<QLineEdit>("txtIdc")->setText("3");
  t.ui.open_paths.push_back(path);
  t.Trigger("importMas");
  EXPECT_EQ(t.Text("txtIdc"), "10");
  ASSERT_FALSE(t.ui.messages.empty());
  EXPECT_EQ(t.ui.messages.back().title, "Import MAS");
}

}  // namespace
}  // namespace tov::qt::testing

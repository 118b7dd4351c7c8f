// Smoke tests of the desktop main window: it starts as the program shows it,
// forwards its events to the window logic and mirrors the results. The design
// behaviour itself is tested on the window model.

#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "qt_test_support.h"

namespace tov::qt::testing {
namespace {

constexpr const char* kOutputFields[] = {
    "txtPN",     "txtPerm",    "txtAL",    "txtAe",   "txtle",  "txtID",   "txtOD",
    "txtHt",     "txtBobbin",  "txtTurns", "txtWire", "txtK",   "txtDCR",  "txtLOutfl",
    "txtLOutnl", "txtRollOff", "txtDim",   "txtPfe",  "txtPcu", "txtPtot", "txtTrise"};

TEST(MainWindowStart, ShowsTheStartUpState) {
  WindowUnderTest t;
  EXPECT_EQ(t.window->objectName(), "frmTov");
  EXPECT_EQ(t.window->windowTitle(), "Corvane Inductor Design Using Powder Cores");
  EXPECT_EQ(t.Find<QLabel>("lblTitle")->text(), t.window->windowTitle());
  ASSERT_EQ(t.ui.messages.size(), 1u) << "the disclaimer only";

  const std::pair<const char*, const char*> inputs[] = {
      {"txtIdc", "10"},  {"txtIdelta", "2"}, {"txtFreq", "100"},    {"txtCurDens", "600"},
      {"txtLfl", "100"}, {"txtLnl", "150"},  {"txtTempInput", "35"}};
  for (const auto& [name, text] : inputs) {
    auto* edit = t.Find<QLineEdit>(name);
    ASSERT_NE(edit, nullptr) << name;
    EXPECT_EQ(edit->text().toStdString(), text) << name;
    EXPECT_FALSE(edit->isReadOnly()) << name;
    EXPECT_TRUE(edit->isEnabled()) << name;
  }
  for (const char* name : kOutputFields) {
    auto* edit = t.Find<QLineEdit>(name);
    ASSERT_NE(edit, nullptr) << name;
    EXPECT_TRUE(edit->text().isEmpty()) << name;
    EXPECT_TRUE(edit->isReadOnly()) << name;
    EXPECT_EQ(edit->focusPolicy(), Qt::NoFocus) << name;
  }

  EXPECT_TRUE(t.Find<QRadioButton>("optVelmax")->isChecked());
  for (const char* other : {"optMPP", "optHF", "optVelmaxE"}) {
    EXPECT_FALSE(t.Find<QRadioButton>(other)->isChecked()) << other;
  }
  EXPECT_TRUE(t.Find<QAction>("mnuLfl")->isChecked());
  EXPECT_FALSE(t.Find<QAction>("mnuSingleLayer")->isChecked());
  EXPECT_TRUE(t.Find<QAction>("mnuDimEng")->isChecked());
  EXPECT_FALSE(t.Find<QAction>("mnuDimMet")->isChecked());
  EXPECT_FALSE(t.Find<QListWidget>("lstCores")->isVisible());
  EXPECT_TRUE(t.Find<QPushButton>("cmdCalculate")->isDefault());
  EXPECT_TRUE(t.window->isEnabled());

  EXPECT_EQ(t.Find<QGroupBox>("frameInputs")->title(), "Design Inputs");
  EXPECT_EQ(t.Find<QGroupBox>("frameOutputs")->title(), "Design Outputs");
  EXPECT_EQ(t.Find<QLabel>("lblLnl")->toolTip(), "Maximum allowed inductance at no load current");
  EXPECT_EQ(t.Find<QLabel>("lblLfl")->text(), "Full Load L (\u00b5H)");
  EXPECT_EQ(t.Find<QPushButton>("cmdPrint")->toolTip(), "Print finished design");
  EXPECT_EQ(t.Find<QAction>("mnuOpen")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
  EXPECT_EQ(t.Find<QAction>("mnuPrint")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
}

// Every output field shows what the window logic wrote into the model.
void ExpectOutputsMirrorModel(const WindowUnderTest& t) {
  const WindowModel& m = t.frm->Model();
  const std::pair<const char*, const TextBox*> fields[] = {
      {"txtPN", &m.txtPN},           {"txtPerm", &m.txtPerm},     {"txtAL", &m.txtAL},
      {"txtAe", &m.txtAe},           {"txtle", &m.txtle},         {"txtID", &m.txtID},
      {"txtOD", &m.txtOD},           {"txtHt", &m.txtHt},         {"txtBobbin", &m.txtBobbin},
      {"txtTurns", &m.txtTurns},     {"txtWire", &m.txtWire},     {"txtK", &m.txtK},
      {"txtDCR", &m.txtDCR},         {"txtLOutfl", &m.txtLOutfl}, {"txtLOutnl", &m.txtLOutnl},
      {"txtRollOff", &m.txtRollOff}, {"txtDim", &m.txtDim},       {"txtPfe", &m.txtPfe},
      {"txtPcu", &m.txtPcu},         {"txtPtot", &m.txtPtot},     {"txtTrise", &m.txtTrise}};
  for (const auto& [name, box] : fields) EXPECT_EQ(t.Text(name), box->text) << name;
}

TEST(MainWindowEvents, CalculateFillsEveryOutput) {
  WindowUnderTest t;
  t.Click("cmdCalculate");
  for (const char* name : kOutputFields) EXPECT_FALSE(t.Text(name).empty()) << name;
  ExpectOutputsMirrorModel(t);
  EXPECT_EQ(t.frm->Model().state.DesignMode, 0);
}

TEST(MainWindowEvents, TypedInputsReachTheDesign) {
  WindowUnderTest t;
  t.Click("cmdCalculate");
  const std::string turns_at_10A = t.Text("txtTurns");
  t.Find<QLineEdit>("txtIdc")->setText("3");
  t.Click("cmdCalculate");
  EXPECT_EQ(t.frm->Model().txtIdc.text, "3");
  EXPECT_NE(t.Text("txtTurns"), turns_at_10A);
  ExpectOutputsMirrorModel(t);
}

TEST(MainWindowEvents, EnterInAnInputFieldPressesCalculate) {
  for (const char* field : {"txtIdc", "txtLnl", "txtTempInput"}) {
    WindowUnderTest t;
    PressKey(t.Find<QLineEdit>(field), Qt::Key_Return);
    EXPECT_FALSE(t.Text("txtPN").empty()) << field;
  }
}

TEST(MainWindowEvents, MaterialClickRerunsTheDesignWhileTheListIsHidden) {
  WindowUnderTest t;
  t.Click("optHF");
  EXPECT_EQ(t.frm->Model().material, Material::HF);
  EXPECT_TRUE(t.Find<QRadioButton>("optHF")->isChecked());
  EXPECT_FALSE(t.Text("txtPN").empty());
  ExpectOutputsMirrorModel(t);

  t.Click("optVelmaxE");
  EXPECT_EQ(t.Find<QLabel>("lblBobbin")->text(), "Bobbin Part Number");
  EXPECT_EQ(t.Find<QLabel>("lblID")->text(), "Length of Core Set (in)");
}

TEST(MainWindowEvents, MaterialClickRefillsTheVisibleListWithoutDesigning) {
  WindowUnderTest t;
  t.Click("cmdSelCore");
  auto* list = t.Find<QListWidget>("lstCores");
  EXPECT_TRUE(list->isVisible());
  EXPECT_EQ(list->count(), 126);  // Velmax toroids

  t.Click("optVelmaxE");
  EXPECT_TRUE(list->isVisible());
  ASSERT_EQ(list->count(), 30);
  EXPECT_TRUE(list->item(0)->text().contains("  \u00b5 = "));
  EXPECT_TRUE(t.Text("txtPN").empty()) << "no design while choosing a core";
}

TEST(MainWindowEvents, PickingAListLineDesignsThatCoreAndHidesTheList) {
  WindowUnderTest t;
  t.Click("optMPP");
  t.Click("cmdSelCore");
  auto* list = t.Find<QListWidget>("lstCores");
  ASSERT_EQ(list->count(), 250);
  ClickListLine(list, 249);

  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(t.frm->Model().state.CoreIdx, 250);
  EXPECT_EQ(t.frm->Model().state.DesignMode, 1);
  EXPECT_FALSE(t.Text("txtPN").empty());
  EXPECT_FALSE(t.Find<QAction>("mnuLfl")->isChecked());
  EXPECT_FALSE(t.Find<QLineEdit>("txtLnl")->isEnabled());
  ExpectOutputsMirrorModel(t);
}

TEST(MainWindowEvents, MenuCheckMarksFollowTheModelAndRerun) {
  WindowUnderTest t;
  t.Trigger("mnuSingleLayer");
  EXPECT_TRUE(t.Find<QAction>("mnuSingleLayer")->isChecked());
  EXPECT_FALSE(t.Text("txtPN").empty());
  t.Trigger("mnuSingleLayer");
  EXPECT_FALSE(t.Find<QAction>("mnuSingleLayer")->isChecked());

  t.Trigger("mnuLfl");
  EXPECT_FALSE(t.Find<QAction>("mnuLfl")->isChecked());
  EXPECT_FALSE(t.Find<QLineEdit>("txtLnl")->isEnabled());

  // Choosing the checked unit again leaves it checked.
  t.Trigger("mnuDimEng");
  EXPECT_TRUE(t.Find<QAction>("mnuDimEng")->isChecked());
  t.Trigger("mnuDimMet");
  EXPECT_TRUE(t.Find<QAction>("mnuDimMet")->isChecked());
  EXPECT_FALSE(t.Find<QAction>("mnuDimEng")->isChecked());
  EXPECT_EQ(t.Find<QLabel>("lblDim")->text(), "Wound Core Dimen. (mm)");
  ExpectOutputsMirrorModel(t);
}

TEST(MainWindowEvents, SingleLayerWithECoresIsRemovedAgain) {
  WindowUnderTest t;
  t.Click("optVelmaxE");
  t.Trigger("mnuSingleLayer");
  EXPECT_FALSE(t.Find<QAction>("mnuSingleLayer")->isChecked());
  EXPECT_EQ(t.ui.messages.back().title, "Invalid Option");
}

TEST(StackDialogWindow, DisablesTheMainWindowWhileOpen) {
  WindowUnderTest t;
  t.Trigger("mnuStack");
  StackDialog* dialog = t.window->Stack();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_TRUE(dialog->isEnabled());
  EXPECT_EQ(dialog->windowTitle(), "Stacking Cores");
  EXPECT_FALSE(t.window->isEnabled());
  EXPECT_TRUE(dialog->findChild<QRadioButton*>("optStack1")->isChecked());

  // A menu entry reached while the window is disabled (a shortcut) does nothing.
  t.Trigger("mnuLfl");
  EXPECT_TRUE(t.Find<QAction>("mnuLfl")->isChecked());
  EXPECT_TRUE(t.Text("txtPN").empty());

  dialog->findChild<QRadioButton*>("optStack2")->click();
  dialog->findChild<QPushButton*>("cmdApply")->click();
  EXPECT_EQ(t.frm->Model().state.StackCount, 2);
  EXPECT_EQ(t.Text("txtPN").rfind("(2x)", 0), 0u) << t.Text("txtPN");
  EXPECT_EQ(t.window->Stack(), dialog) << "Apply keeps the dialog open";

  dialog->findChild<QPushButton*>("cmdOK")->click();
  EXPECT_EQ(t.window->Stack(), nullptr);
  EXPECT_TRUE(t.window->isEnabled());
}

TEST(StackDialogWindow, ClosingThroughTheFrameIsCancel) {
  WindowUnderTest t;
  t.Trigger("mnuStack");
  StackDialog* dialog = t.window->Stack();
  ASSERT_NE(dialog, nullptr);
  dialog->findChild<QRadioButton*>("optStack3")->click();
  dialog->close();
  EXPECT_EQ(t.window->Stack(), nullptr);
  EXPECT_TRUE(t.window->isEnabled());
  EXPECT_EQ(t.frm->Model().state.StackCount, 1);
  EXPECT_TRUE(t.Text("txtPN").empty()) << "Cancel runs no design";
}

TEST(MainWindowEvents, ExitClosesTheWindowWithoutAQuestion) {
  WindowUnderTest t;
  t.Find<QLineEdit>("txtIdc")->setText("12");
  t.Click("cmdExit");
  EXPECT_FALSE(t.window->isVisible());
  EXPECT_EQ(t.ui.messages.size(), 1u) << "only the disclaimer of the start";
}

}  // namespace
}  // namespace tov::qt::testing

// Smoke test of the "Compare Cores" window: it opens from its menu entry,
// shows the request's table with Calculate's pick highlighted, follows the
// inputs, filters, and designs a double-clicked core in the main window.

#include "ui/qt/compare_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>

#include "qt_test_support.h"

namespace tov::qt::testing {
namespace {

TEST(CompareWindow, FollowsTheRequestFiltersAndDesignsTheDoubleClickedCore) {
  WindowUnderTest t;
  t.Click("cmdCalculate");
  t.Trigger("mnuCompare");
  CompareWindow* compare = t.window->Compare();
  ASSERT_NE(compare, nullptr);
  EXPECT_TRUE(compare->isVisible());
  auto* grid = compare->findChild<QTableView*>("grdCompare");
  QAbstractItemModel* shown = grid->model();

  // Every material on one core; the highlighted line is the core Calculate shows.
  const int all = shown->rowCount();
  EXPECT_GT(all, 500);
  int highlighted = -1;
  for (int r = 0; r < all; ++r) {
    if (shown->index(r, 0).data(Qt::BackgroundRole).isValid()) highlighted = r;
  }
  ASSERT_GE(highlighted, 0);
  EXPECT_EQ(shown->index(highlighted, 0).data().toString().toStdString(), t.Text("txtPN"));

  compare->findChild<QCheckBox*>("chkPassing")->setChecked(true);
  const int passing = shown->rowCount();
  EXPECT_LT(passing, all);
  compare->findChild<QComboBox*>("cboMaterial")->setCurrentIndex(1);  // Molypermalloy
  const int mpp_passing = shown->rowCount();
  EXPECT_LT(mpp_passing, passing);
  EXPECT_EQ(shown->index(0, 1).data().toString(), "Molypermalloy");
  grid->sortByColumn(static_cast<int>(CandidateColumn::TotalLoss), Qt::AscendingOrder);
  const auto loss = [&](int r) {
    return shown->index(r, static_cast<int>(CandidateColumn::TotalLoss)).data(Qt::UserRole);
  };
  EXPECT_LE(loss(0).toDouble(), loss(1).toDouble());

  // It follows the inputs: a larger current asks for more.
  t.Find<QLineEdit>("txtIdc")->setText("20");
  t.Click("cmdCalculate");
  EXPECT_LT(shown->rowCount(), mpp_passing);

  // A double-click designs that core in the main window.
  const std::string part = shown->index(0, 0).data().toString().toStdString();
  emit grid->doubleClicked(shown->index(0, 3));
  QApplication::processEvents();
  EXPECT_EQ(t.frm->Model().material, Material::MPP);
  EXPECT_EQ(t.frm->Model().state.design_mode, DesignMode::SelectedCore);
  EXPECT_EQ(t.Text("txtPN"), part);
  EXPECT_TRUE(EscapeCloses(*compare));
}

}  // namespace
}  // namespace tov::qt::testing

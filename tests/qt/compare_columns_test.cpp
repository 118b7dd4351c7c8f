// The Compare Cores columns a user hides stay hidden in the next window
// (and the next run), and come back when shown again.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTableView>

#include "qt_test_support.h"
#include "ui/logic/candidate_rows.h"
#include "ui/qt/compare_window.h"
#include "ui/qt/desktop_settings.h"

namespace tov::qt::testing {
namespace {

std::vector<int> HiddenColumns(const WindowUnderTest& t) {
  CompareWindow compare(*t.frm, nullptr);
  const auto* grid = compare.findChild<QTableView*>("grdCompare");
  std::vector<int> hidden;
  for (int c = 0; c < grid->model()->columnCount(); ++c) {
    if (grid->isColumnHidden(c)) hidden.push_back(c);
  }
  return hidden;
}

TEST(CompareColumns, HiddenOnesAreRememberedForTheNextWindow) {
  WindowUnderTest t;
  const int loss = static_cast<int>(CandidateColumn::TotalLoss);
  const int wound = static_cast<int>(CandidateColumn::WoundSize);
  ASSERT_TRUE(HiddenColumns(t).empty());
  {
    CompareWindow compare(*t.frm, nullptr);
    const auto menu = compare.ColumnMenu();
    menu->actions()[loss - 1]->toggle();
    menu->actions()[wound - 1]->toggle();
  }
  EXPECT_EQ(HiddenColumns(t), (std::vector<int>{loss, wound}));
  {
    CompareWindow compare(*t.frm, nullptr);
    compare.ColumnMenu()->actions()[loss - 1]->toggle();
  }
  EXPECT_EQ(HiddenColumns(t), std::vector<int>{wound});

  // A title no column has any more (an older program's) hides nothing.
  SetHiddenCompareColumns({"No Such Column"});
  EXPECT_TRUE(HiddenColumns(t).empty());
  SetHiddenCompareColumns({});
}

}  // namespace
}  // namespace tov::qt::testing

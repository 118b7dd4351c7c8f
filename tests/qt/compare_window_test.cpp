// The "Compare Cores" window: it opens from its menu entry, shows the
// request's table with Calculate's pick highlighted, follows the inputs,
// filters and counts what it shows, keeps the part number in sight, and
// designs a double-clicked core or chart point in the main window.

#include "ui/qt/compare_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>

#include "qt_test_support.h"
#include "ui/qt/pareto_chart.h"

namespace tov::qt::testing {
namespace {

struct CompareUnderTest {
  WindowUnderTest t;
  CompareWindow* compare = nullptr;
  QTableView* grid = nullptr;
  QAbstractItemModel* shown = nullptr;

  CompareUnderTest() {
    t.Click("cmdCalculate");
    t.Trigger("mnuCompare");
    compare = t.window->Compare();
    grid = compare->findChild<QTableView*>("grdCompare");
    shown = grid->model();
  }
  QString Cell(int row, CandidateColumn column, int role = Qt::DisplayRole) const {
    return shown->index(row, static_cast<int>(column)).data(role).toString();
  }
  void Choose(const char* box, int index) const {
    compare->findChild<QComboBox*>(box)->setCurrentIndex(index);
  }
};

TEST(CompareWindow, FollowsTheRequestFiltersAndDesignsTheDoubleClickedCore) {
  CompareUnderTest c;
  EXPECT_TRUE(c.compare->isVisible());
  // Every material on one core; the highlighted line is the core Calculate shows.
  const int all = c.shown->rowCount();
  EXPECT_GT(all, 500);
  int highlighted = -1;
  for (int r = 0; r < all; ++r) {
    if (c.shown->index(r, 0).data(Qt::BackgroundRole).isValid()) highlighted = r;
  }
  ASSERT_GE(highlighted, 0);
  EXPECT_EQ(c.Cell(highlighted, CandidateColumn::PartNumber).toStdString(), c.t.Text("txtPN"));

  c.compare->findChild<QCheckBox*>("chkPassing")->setChecked(true);
  const int passing = c.shown->rowCount();
  EXPECT_LT(passing, all);
  c.Choose("cboMaterial", 1);  // Molypermalloy
  const int mpp_passing = c.shown->rowCount();
  EXPECT_LT(mpp_passing, passing);
  EXPECT_EQ(c.shown->index(0, 1).data().toString(), "Molypermalloy");
  c.grid->sortByColumn(static_cast<int>(CandidateColumn::TotalLoss), Qt::AscendingOrder);
  EXPECT_LE(c.Cell(0, CandidateColumn::TotalLoss, Qt::UserRole).toDouble(),
            c.Cell(1, CandidateColumn::TotalLoss, Qt::UserRole).toDouble());

  // A larger current asks for more.
  c.t.Find<QLineEdit>("txtIdc")->setText("20");
  c.t.Click("cmdCalculate");
  EXPECT_LT(c.shown->rowCount(), mpp_passing);

  const std::string part = c.Cell(0, CandidateColumn::PartNumber).toStdString();
  emit c.grid->doubleClicked(c.shown->index(0, 3));
  QApplication::processEvents();
  EXPECT_EQ(c.t.frm->Model().material, Material::MPP);
  EXPECT_EQ(c.t.frm->Model().state.design_mode, DesignMode::SelectedCore);
  EXPECT_EQ(c.t.Text("txtPN"), part);
  EXPECT_TRUE(EscapeCloses(*c.compare));
}

TEST(CompareWindow, KeepsThePartNumberInSightAndHidesColumnsOnRequest) {
  CompareUnderTest c;
  c.compare->resize(500, 400);
  QApplication::processEvents();
  QTableView* grid = c.grid;
  auto* frozen = c.compare->findChild<QTableView*>("grdCompareFrozen");
  ASSERT_NE(frozen, nullptr);
  EXPECT_TRUE(frozen->isVisible());
  EXPECT_EQ(frozen->columnWidth(0), grid->columnWidth(0));
  for (int col = 1; col < c.shown->columnCount(); ++col) EXPECT_TRUE(frozen->isColumnHidden(col));

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
  const auto menu = c.compare->ColumnMenu();
  ASSERT_EQ(menu->actions().size(), c.shown->columnCount() - 1);
  const int loss = static_cast<int>(CandidateColumn::TotalLoss);
  QAction* entry = menu->actions()[loss - 1];
  EXPECT_EQ(entry->text(), c.shown->headerData(loss, Qt::Horizontal).toString());
  entry->toggle();
  EXPECT_TRUE(grid->isColumnHidden(loss));
  EXPECT_FALSE(c.compare->ColumnMenu()->actions()[loss - 1]->isChecked());
  entry->toggle();
  EXPECT_FALSE(grid->isColumnHidden(loss));
  EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(loss), QHeaderView::Interactive);
}

// The summary counts the lines the filters leave, against a count of the
// lines shown without failed tests; a failing line's tooltip holds its tests.
TEST(CompareWindow, SummaryCountsWhatTheFilterShowsAndTooltipsHoldTheFailedTests) {
  CompareUnderTest c;
  auto* summary = c.compare->findChild<QLabel*>("lblSummary");
  const auto counts = [&] {
    int passing = 0;
    for (int r = 0; r < c.shown->rowCount(); ++r) {
      passing += c.Cell(r, CandidateColumn::FailedTests).isEmpty() ? 1 : 0;
    }
    return std::pair(c.shown->rowCount(), passing);
  };
  c.Choose("cboStack", 1);  // all stacks: every line
  const auto [all, all_passing] = counts();
  EXPECT_TRUE(summary->text().startsWith(
      QString("%1 lines (every core on 1 to 5 stacked cores), %2 pass. Calculate picks ")
          .arg(all)
          .arg(all_passing)))
      << summary->text().toStdString();
  c.Choose("cboMaterial", 2);  // High Flux
  c.Choose("cboStack", 0);
  const auto [some, some_passing] = counts();
  ASSERT_LT(some, all);
  EXPECT_TRUE(summary->text().startsWith(
      QString("%1 of %2 lines shown, %3 of them pass.").arg(some).arg(all).arg(some_passing)))
      << summary->text().toStdString();

  int tips = 0;
  for (int r = 0; r < c.shown->rowCount(); ++r) {
    const QString failed = c.Cell(r, CandidateColumn::FailedTests);
    if (failed.isEmpty()) continue;
    EXPECT_TRUE(c.Cell(r, CandidateColumn::FailedTests, Qt::ToolTipRole).startsWith(failed));
    ++tips;
  }
  EXPECT_GT(tips, 0);
}

void Mouse(QWidget& widget, QEvent::Type type, const QPointF& at) {
  QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

// The chart follows the table's filter; a click on a point selects its line
// and a double-click designs it.
TEST(ParetoChart, FollowsTheFilterSelectsAndDesignsAPoint) {
  CompareUnderTest c;
  c.Choose("cboStack", 1);  // all stacks
  c.compare->findChild<QTabWidget*>()->setCurrentIndex(1);
  QApplication::processEvents();
  auto* plot = c.compare->findChild<ParetoPlot*>("paretoPlot");
  ASSERT_NE(plot, nullptr);
  const auto& rows = static_cast<const CandidateTableModel*>(
                         static_cast<QAbstractProxyModel*>(c.shown)->sourceModel())
                         ->Rows();
  const std::size_t all = plot->Points().size();
  EXPECT_GT(all, 100u);

  c.Choose("cboMaterial", 2);  // High Flux
  ASSERT_LT(plot->Points().size(), all);
  for (const ChartPoint& p : plot->Points()) {
    ASSERT_EQ(rows[p.line].candidate.material, Material::HF);
  }
  const ChartPoint target =
      *std::max_element(plot->Points().begin(), plot->Points().end(),
                        [](const ChartPoint& a, const ChartPoint& b) { return a.y < b.y; });
  const std::string part = rows[target.line].candidate.part_number;
  Mouse(*plot, QEvent::MouseButtonPress, plot->Position(target));
  const QModelIndexList selected = c.grid->selectionModel()->selectedRows();
  ASSERT_EQ(selected.size(), 1);
  EXPECT_EQ(selected[0].data().toString().toStdString(), part);
  Mouse(*plot, QEvent::MouseButtonDblClick, plot->Position(target));
  QApplication::processEvents();
  EXPECT_EQ(c.t.frm->Model().material, Material::HF);
  EXPECT_NE(c.t.Text("txtPN").find(part), std::string::npos) << c.t.Text("txtPN");
}

}  // namespace
}  // namespace tov::qt::testing

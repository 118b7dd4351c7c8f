// Smoke tests of the two pictures: the Part window follows the design shown
// and exports its drawing as SVG; the Compare Cores chart follows the table's
// filter, a click on a point selects its line and a double-click designs it.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>

#include "qt_test_support.h"
#include "ui/qt/compare_window.h"
#include "ui/qt/pareto_chart.h"
#include "ui/qt/part_view.h"

namespace tov::qt::testing {
namespace {

void Mouse(QWidget& widget, QEvent::Type type, const QPointF& at) {
  QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

TEST(PartWindow, FollowsTheDesignAndExportsItsDrawing) {
  WindowUnderTest t;
  t.Click("cmdCalculate");
  t.Trigger("part");
  PartWindow* part = t.window->Part();
  ASSERT_NE(part, nullptr);
  EXPECT_TRUE(part->isVisible());
  ASSERT_TRUE(part->Drawing());
  EXPECT_FALSE(part->Drawing()->metric);
  EXPECT_GE(part->Drawing()->layers, 1);

  // Something is painted besides the background.
  const QImage image = part->grab().toImage();
  const QRgb background = image.pixel(1, image.height() - 2);
  int painted = 0;
  for (int y = 0; y < image.height(); y += 3) {
    for (int x = 0; x < image.width(); x += 3) painted += image.pixel(x, y) != background;
  }
  EXPECT_GT(painted, 100);

  QTemporaryDir dir;
  const QString path = QDir(dir.path()).filePath("part.svg");
  EXPECT_TRUE(part->ExportSvg(path).isEmpty());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString svg = QString::fromUtf8(file.readAll());
  EXPECT_TRUE(svg.startsWith("<?xml"));
  EXPECT_TRUE(svg.contains(QString("data-layers=\"%1\"").arg(part->Drawing()->layers)));

  // Millimetres as the window switches to them.
  t.Trigger("mnuDimMet");
  ASSERT_TRUE(part->Drawing());
  EXPECT_TRUE(part->Drawing()->metric);
  EXPECT_TRUE(EscapeCloses(*part));
}

TEST(ParetoChart, FollowsTheFilterSelectsAndDesignsAPoint) {
  WindowUnderTest t;
  t.Click("cmdCalculate");
  t.Trigger("mnuCompare");
  CompareWindow* compare = t.window->Compare();
  ASSERT_NE(compare, nullptr);
  compare->findChild<QComboBox*>("cboStack")->setCurrentIndex(1);  // all stacks
  auto* tabs = compare->findChild<QTabWidget*>();
  ASSERT_NE(tabs, nullptr);
  tabs->setCurrentIndex(1);
  QApplication::processEvents();
  auto* plot = compare->findChild<ParetoPlot*>("paretoPlot");
  ASSERT_NE(plot, nullptr);
  auto* grid = compare->findChild<QTableView*>("grdCompare");
  const auto& rows = static_cast<const CandidateTableModel*>(
                         static_cast<QAbstractProxyModel*>(grid->model())->sourceModel())
                         ->Rows();

  const std::size_t all = plot->Points().size();
  EXPECT_GT(all, 100u);
  const auto fronts = std::count_if(plot->Points().begin(), plot->Points().end(),
                                    [](const ChartPoint& p) { return p.front; });
  EXPECT_GE(fronts, 2);
  EXPECT_TRUE(std::any_of(plot->Points().begin(), plot->Points().end(),
                          [&](const ChartPoint& p) { return rows[p.line].calculate_pick; }));

  compare->findChild<QComboBox*>("cboMaterial")->setCurrentIndex(2);  // High Flux
  ASSERT_LT(plot->Points().size(), all);
  for (const ChartPoint& p : plot->Points()) {
    ASSERT_EQ(rows[p.line].candidate.material, Material::HF);
  }

  // A click on the largest-loss point selects its line, a double-click designs it.
  const ChartPoint target =
      *std::max_element(plot->Points().begin(), plot->Points().end(),
                        [](const ChartPoint& a, const ChartPoint& b) { return a.y < b.y; });
  const std::string part = rows[target.line].candidate.part_number;
  Mouse(*plot, QEvent::MouseButtonPress, plot->Position(target));
  const QModelIndexList selected = grid->selectionModel()->selectedRows();
  ASSERT_EQ(selected.size(), 1);
  EXPECT_EQ(selected[0].data().toString().toStdString(), part);
  Mouse(*plot, QEvent::MouseButtonDblClick, plot->Position(target));
  QApplication::processEvents();
  EXPECT_EQ(t.frm->Model().material, Material::HF);
  EXPECT_NE(t.Text("txtPN").find(part), std::string::npos) << t.Text("txtPN");
}

}  // namespace
}  // namespace tov::qt::testing

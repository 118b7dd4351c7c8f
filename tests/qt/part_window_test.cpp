// The Part window follows the design shown and the units, paints the part
// and exports its drawing as SVG.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "qt_test_support.h"
#include "ui/qt/part_view.h"

namespace tov::qt::testing {
namespace {

TEST(PartWindow, FollowsTheDesignAndExportsItsDrawing) {
  WindowUnderTest t;
  t.Click("cmdCalculate");
  t.Trigger("part");
  PartWindow* part = t.window->Part();
  ASSERT_NE(part, nullptr);
  EXPECT_TRUE(part->isVisible());
  ASSERT_TRUE(part->Drawing());
  EXPECT_FALSE(part->Drawing()->metric);

  const QImage image = part->grab().toImage();
  const QRgb background = image.pixel(1, image.height() - 2);
  int painted = 0;
  for (int y = 0; y < image.height(); y += 3) {
    for (int x = 0; x < image.width(); x += 3) painted += image.pixel(x, y) != background;
  }
  EXPECT_GT(painted, 100) << "something besides the background";

  QTemporaryDir dir;
  const QString path = dir.filePath("part.svg");
  EXPECT_TRUE(part->ExportSvg(path).isEmpty());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString svg = QString::fromUtf8(file.readAll());
  EXPECT_TRUE(svg.startsWith("<?xml"));
  EXPECT_TRUE(svg.contains(QString("data-layers=\"%1\"").arg(part->Drawing()->layers)));

  t.Trigger("mnuDimMet");
  ASSERT_TRUE(part->Drawing());
  EXPECT_TRUE(part->Drawing()->metric);
  EXPECT_TRUE(EscapeCloses(*part));
}

}  // namespace
}  // namespace tov::qt::testing

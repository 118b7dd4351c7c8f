// The Curves window follows the design shown, reads out the curve under the
// mouse, takes the desktop's colours and exports each curve.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "qt_test_support.h"

namespace tov::qt::testing {
namespace {

CurvesWindow* OpenCurves(const WindowUnderTest& t) {
  t.Trigger("mnuCurves");
  return t.window->Curves();
}

// Moves the mouse to the middle of the plot area of the curve's view.
void HoverPlotMiddle(CurveView* view) {
  const QPointF middle =
      view->mapFromScene(view->chart()->mapToScene(view->chart()->plotArea().center()));
  QMouseEvent move(QEvent::MouseMove, middle, view->viewport()->mapToGlobal(middle.toPoint()),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(view->viewport(), &move);
}

TEST(CurvesWindow, OpensOnceADesignIsShownAndFollowsEveryNewDesign) {
  WindowUnderTest t;
  EXPECT_FALSE(t.Find<QAction>("mnuCurves")->isEnabled());
  EXPECT_EQ(OpenCurves(t), nullptr);

  t.Click("cmdCalculate");
  ASSERT_TRUE(t.Find<QAction>("mnuCurves")->isEnabled());
  CurvesWindow* curves = OpenCurves(t);
  ASSERT_NE(curves, nullptr);
  ASSERT_TRUE(curves->View(CurveKind::InductanceVsCurrent)->Shown());
  const double Lnl = curves->View(CurveKind::InductanceVsCurrent)->Shown()->series[0].y[0];
  EXPECT_EQ(QString::number(Lnl, 'f', 2).toStdString(), t.Text("txtLOutnl"));

  t.Click("optMPP");  // a new material designs again
  ASSERT_TRUE(curves->View(CurveKind::InductanceVsCurrent)->Shown());
  EXPECT_EQ(
      QString::number(curves->View(CurveKind::InductanceVsCurrent)->Shown()->series[0].y[0], 'f', 2)
          .toStdString(),
      t.Text("txtLOutnl"));
  EXPECT_GT(curves->View(CurveKind::PermeabilityVsField)->chart()->series().size(), 3);

  HoverPlotMiddle(curves->View(CurveKind::InductanceVsCurrent));
  EXPECT_TRUE(curves->ReadOut(CurveKind::InductanceVsCurrent).startsWith("Current = "))
      << curves->ReadOut(CurveKind::InductanceVsCurrent).toStdString();
  EXPECT_TRUE(curves->ReadOut(CurveKind::InductanceVsCurrent).contains("\u00b5H"));

  // "Too Large": the window stays open without curves and cannot be reopened.
  t.window->findChild<QLineEdit*>("txtIdc")->setText("400");
  t.window->findChild<QLineEdit*>("txtLfl")->setText("50000");
  t.window->findChild<QLineEdit*>("txtLnl")->setText("90000");
  t.Click("cmdCalculate");
  EXPECT_EQ(t.Text("txtPN"), "Too Large");
  EXPECT_FALSE(curves->View(CurveKind::LossVsCurrent)->Shown());
  EXPECT_FALSE(t.Find<QAction>("mnuCurves")->isEnabled());
  EXPECT_TRUE(EscapeCloses(*curves));
}

TEST(CurvesWindow, ChartsTakeTheColoursOfADarkPalette) {
  WindowUnderTest t;
  t.Click("cmdCalculate");
  CurvesWindow* curves = OpenCurves(t);
  QPalette dark = curves->palette();
  dark.setColor(QPalette::Base, QColor(30, 30, 30));
  dark.setColor(QPalette::Text, QColor(230, 230, 230));
  curves->setPalette(dark);
  for (const CurveKind kind : kCurveKinds) {
    QChart* chart = curves->View(kind)->chart();
    EXPECT_EQ(chart->backgroundBrush().color(), QColor(30, 30, 30));
    for (QAbstractAxis* axis : chart->axes()) EXPECT_EQ(axis->labelsColor(), QColor(230, 230, 230));
  }
}

TEST(CurvesWindow, ExportsEachCurveAsPngSvgAndCsv) {
  WindowUnderTest t;
  t.Click("cmdCalculate");
  CurvesWindow* curves = OpenCurves(t);
  QTemporaryDir dir;
  const CurveKind kind = CurveKind::InductanceVsCurrent;
  for (const auto& [format, name] :
       {std::pair{ExportFormat::Png, "l.png"}, std::pair{ExportFormat::Svg, "l.svg"},
        std::pair{ExportFormat::Csv, "l.csv"}}) {
    EXPECT_EQ(curves->ExportCurve(kind, format, dir.filePath(name)), QString()) << name;
  }
  EXPECT_FALSE(QImage(dir.filePath("l.png")).isNull());

  QFile csv(dir.filePath("l.csv"));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  EXPECT_EQ(csv.readLine(), "Current (A),Inductance (\u00b5H)\n");

  // The SVG is well-formed XML, names the axes and draws the curve through
  // every point in the curve's colour.
  const QString colour = PaletteColours(curves->palette()).series[0].name();
  QFile svg(dir.filePath("l.svg"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&svg);
  QStringList texts, strokes;
  int curve_lines = 0;
  while (!xml.atEnd()) {
    const auto token = xml.readNext();
    if (token == QXmlStreamReader::StartElement && xml.name() == u"g") {
      strokes << xml.attributes().value("stroke").toString();
    } else if (token == QXmlStreamReader::EndElement && xml.name() == u"g") {
      strokes.removeLast();
    } else if (token == QXmlStreamReader::StartElement && xml.name() == u"text") {
      texts << xml.readElementText(QXmlStreamReader::IncludeChildElements);
    } else if (token == QXmlStreamReader::StartElement &&
               (xml.name() == u"polyline" || xml.name() == u"path")) {
      curve_lines += !strokes.isEmpty() && strokes.last() == colour;
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_GE(curve_lines, 200) << "the curve's points";
  EXPECT_TRUE(texts.contains("Current (A)")) << texts.join('|').toStdString();
  EXPECT_TRUE(texts.contains("Inductance (\u00b5H)"));

  // A folder that does not exist: nothing is written and the reason is told.
  EXPECT_FALSE(
      curves->ExportCurve(kind, ExportFormat::Svg, dir.filePath("missing/l.svg")).isEmpty());
}

}  // namespace
}  // namespace tov::qt::testing

// The Curves window follows the design shown, reads out the curve under the
// mouse, takes the desktop's colours and exports each curve.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QFile>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QValueAxis>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <map>
#include <set>

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
  CurveView* inductance = curves->View(CurveKind::InductanceVsCurrent);
  // The curve starts at the no-load inductance of the design shown, also
  // after a new material designs again.
  for (const char* material : {"optVelmax", "optMPP"}) {
    t.Click(material);
    ASSERT_TRUE(inductance->Shown()) << material;
    EXPECT_EQ(QString::number(inductance->Shown()->series[0].y[0], 'f', 2).toStdString(),
              t.Text("txtLOutnl"))
        << material;
  }
  EXPECT_GT(curves->View(CurveKind::PermeabilityVsField)->chart()->series().size(), 3);

  HoverPlotMiddle(inductance);
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

  // The design as the main window shows it, as every export names it.
  const std::string design = t.Text("txtPN") + ", " + t.Text("txtTurns") +
                             " turns; 10 A DC, 2 A ripple at 100 kHz, Full Load L 100 \u00b5H";
  QFile csv(dir.filePath("l.csv"));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  EXPECT_EQ(csv.readLine().toStdString(), "# Inductance against DC current: " + design + "\n");
  EXPECT_EQ(csv.readLine(), "Current (A),Inductance (\u00b5H)\n");

  // The PNG: twice the chart's pixels on the screen, its corners the chart's
  // background (no frame of the view around it).
  const QImage png(dir.filePath("l.png"));
  const CurveView* view = curves->View(kind);
  EXPECT_EQ(png.size(), view->viewport()->size() * 2);
  const QColor background = PaletteColours(curves->palette()).background;
  for (const QPoint corner : {QPoint(0, 0), QPoint(png.width() - 1, png.height() - 1)}) {
    EXPECT_EQ(png.pixelColor(corner).rgb(), background.rgb()) << corner.x();
  }
  // A tab not shown yet exports at the same size.
  EXPECT_EQ(
      curves->ExportCurve(CurveKind::LossVsFrequency, ExportFormat::Png, dir.filePath("f.png")),
      QString());
  EXPECT_EQ(QImage(dir.filePath("f.png")).size(), png.size());

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
  EXPECT_TRUE(texts.join('|').contains(QString::fromStdString(t.Text("txtPN") + ", ")))
      << texts.join('|').toStdString();

  // A folder that does not exist: nothing is written and the reason is told.
  EXPECT_FALSE(
      curves->ExportCurve(kind, ExportFormat::Svg, dir.filePath("missing/l.svg")).isEmpty());
}

// Molypermalloy's ten grades: each its own colour, solid while its fit falls
// and dashed past the fit's minimum in the same colour; one legend entry per
// grade and one saying what the dashes mean.
TEST(CurvesWindow, PermeabilityLinesContinueDashedInTheirColourWithOneNote) {
  WindowUnderTest t;
  t.Click("optMPP");
  t.Click("cmdCalculate");
  CurvesWindow* curves = OpenCurves(t);
  QChart* chart = curves->View(CurveKind::PermeabilityVsField)->chart();
  std::map<QString, std::set<QRgb>> colours_of;  // by line name
  std::map<QString, int> legend_entries, dashed_pieces;
  for (QAbstractSeries* series : chart->series()) {
    auto* line = qobject_cast<QLineSeries*>(series);
    if (!line || qobject_cast<QScatterSeries*>(series)) continue;
    if (chart->legend()->markers(line).front()->isVisible()) ++legend_entries[line->name()];
    if (line->name().startsWith("Dashed:")) continue;
    colours_of[line->name()].insert(line->pen().color().rgb());
    dashed_pieces[line->name()] += line->pen().style() == Qt::DashLine;
  }
  EXPECT_EQ(colours_of.size(), 10u);
  std::set<QRgb> colours;
  for (const auto& [name, rgbs] : colours_of) {
    EXPECT_EQ(rgbs.size(), 1u) << name.toStdString() << ": solid and dashed alike";
    EXPECT_EQ(legend_entries[name], 1) << name.toStdString();
    colours.insert(*rgbs.begin());
  }
  EXPECT_EQ(colours.size(), colours_of.size()) << "a colour for every grade";
  // Every grade passes the fit's minimum (mu H = 13,251 Oe) below 1000 Oe.
  for (const auto& [name, count] : dashed_pieces) EXPECT_EQ(count, 1) << name.toStdString();
  int notes = 0;
  for (const auto& [name, count] : legend_entries) notes += name.startsWith("Dashed:") ? count : 0;
  EXPECT_EQ(notes, 1);
}

TEST(CurvesWindow, EachChartMarksTheDesignOnce) {
  WindowUnderTest t;
  t.Click("cmdCalculate");
  CurvesWindow* curves = OpenCurves(t);
  for (const CurveKind kind : kCurveKinds) {
    std::map<QString, int> points;
    for (QAbstractSeries* series : curves->View(kind)->chart()->series()) {
      if (auto* marks = qobject_cast<QScatterSeries*>(series))
        points[marks->name()] += marks->count();
    }
    for (const auto& [label, count] : points) {
      EXPECT_EQ(count, 1) << InfoOf(kind).cli_name << ": " << label.toStdString();
    }
  }
}

// The temperature rise grows almost as the total loss: its line tops out
// plainly below the total loss's instead of on it.
TEST(CurvesWindow, TemperatureRiseRunsBelowTheTotalLoss) {
  WindowUnderTest t;
  t.Click("cmdCalculate");
  CurvesWindow* curves = OpenCurves(t);
  const Curve& loss = *curves->View(CurveKind::LossVsCurrent)->Shown();
  QChart* chart = curves->View(CurveKind::LossVsCurrent)->chart();
  const auto top_of = [&](std::size_t series, Qt::Alignment side) {
    const auto* axis =
        static_cast<QValueAxis*>(chart->axes(Qt::Vertical).at(side == Qt::AlignLeft ? 0 : 1));
    EXPECT_EQ(axis->alignment(), side);
    return *std::max_element(loss.series[series].y.begin(), loss.series[series].y.end()) /
           axis->max();
  };
  EXPECT_GT(top_of(2, Qt::AlignLeft) - top_of(3, Qt::AlignRight), 0.15);
}

// CIE 1976 colour difference of two sRGB colours.
double DeltaE(const QColor& a, const QColor& b) {
  const auto lab = [](const QColor& c) {
    const auto linear = [](double u) {
      return u <= 0.04045 ? u / 12.92 : std::pow((u + 0.055) / 1.055, 2.4);
    };
    const double r = linear(c.redF()), g = linear(c.greenF()), bl = linear(c.blueF());
    const double X = (0.4124 * r + 0.3576 * g + 0.1805 * bl) / 0.95047;
    const double Y = 0.2126 * r + 0.7152 * g + 0.0722 * bl;
    const double Z = (0.0193 * r + 0.1192 * g + 0.9505 * bl) / 1.08883;
    const auto f = [](double v) { return v > 0.008856 ? std::cbrt(v) : 7.787 * v + 16.0 / 116; };
    return std::array<double, 3>{116 * f(Y) - 16, 500 * (f(X) - f(Y)), 200 * (f(Y) - f(Z))};
  };
  const auto p = lab(a), q = lab(b);
  return std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
}

// Enough line colours for the most grades of a material (ten) and the
// design's own, any two plainly different on a light base, a dark one and
// paper.
TEST(ChartColours, AnyTwoLinesDifferPlainly) {
  QPalette light, dark;
  light.setColor(QPalette::Base, Qt::white);
  light.setColor(QPalette::Text, Qt::black);
  dark.setColor(QPalette::Base, QColor(30, 30, 30));
  dark.setColor(QPalette::Text, QColor(230, 230, 230));
  for (const ChartColours& colours :
       {PaletteColours(light), PaletteColours(dark), PrintColours()}) {
    ASSERT_GE(colours.series.size(), 11u);
    for (std::size_t i = 0; i < colours.series.size(); ++i) {
      for (std::size_t j = 0; j < i; ++j) {
        EXPECT_GE(DeltaE(colours.series[i], colours.series[j]), 30)
            << colours.series[i].name().toStdString() << " "
            << colours.series[j].name().toStdString();
      }
    }
  }
}

}  // namespace
}  // namespace tov::qt::testing

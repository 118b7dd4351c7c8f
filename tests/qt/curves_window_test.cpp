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

// The Curves window of a calculated design; `material` clicked first.
struct CurvesUnderTest {
  WindowUnderTest t;
  CurvesWindow* curves = nullptr;
  explicit CurvesUnderTest(const char* material = "optVelmax") {
    t.Click(material);
    t.Click("cmdCalculate");
    t.Trigger("mnuCurves");
    curves = t.window->Curves();
  }
  QChart* Chart(CurveKind kind) const { return curves->View(kind)->chart(); }
};

TEST(CurvesWindow, OpensOnceADesignIsShownAndFollowsEveryNewDesign) {
  WindowUnderTest t;
  EXPECT_FALSE(t.Find<QAction>("mnuCurves")->isEnabled());
  t.Trigger("mnuCurves");
  EXPECT_EQ(t.window->Curves(), nullptr);
  t.Click("cmdCalculate");
  t.Trigger("mnuCurves");
  CurvesWindow* curves = t.window->Curves();
  ASSERT_NE(curves, nullptr);
  CurveView* inductance = curves->View(CurveKind::InductanceVsCurrent);
  // The curve starts at the no-load inductance of the design shown, also
  // after a new material designs again.
  for (const char* material : {"optVelmax", "optMPP"}) {
    t.Click(material);
    ASSERT_TRUE(inductance->Shown()) << material;
    EXPECT_EQ(QString::number(inductance->Shown()->series[0].y[0], 'f', 2).toStdString(),
              t.Text("txtLOutnl"));
  }
  // The mouse in the middle of the plot reads out the curve there.
  const QPointF middle = inductance->mapFromScene(
      inductance->chart()->mapToScene(inductance->chart()->plotArea().center()));
  QMouseEvent move(QEvent::MouseMove, middle, inductance->viewport()->mapToGlobal(middle.toPoint()),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(inductance->viewport(), &move);
  const QString read_out = curves->ReadOut(CurveKind::InductanceVsCurrent);
  EXPECT_TRUE(read_out.startsWith("Current = ") && read_out.contains("\u00b5H"))
      << read_out.toStdString();

  // "Too Large": the window stays open without curves and cannot be reopened.
  t.Find<QLineEdit>("txtIdc")->setText("400");
  t.Find<QLineEdit>("txtLfl")->setText("50000");
  t.Find<QLineEdit>("txtLnl")->setText("90000");
  t.Click("cmdCalculate");
  EXPECT_FALSE(curves->View(CurveKind::LossVsCurrent)->Shown());
  EXPECT_FALSE(t.Find<QAction>("mnuCurves")->isEnabled());
  EXPECT_TRUE(EscapeCloses(*curves));
}

// Every chart takes the colours of a dark palette and marks the design once.
TEST(CurvesWindow, ChartsTakeTheColoursOfADarkPaletteAndMarkTheDesignOnce) {
  CurvesUnderTest c;
  QPalette dark = c.curves->palette();
  dark.setColor(QPalette::Base, QColor(30, 30, 30));
  dark.setColor(QPalette::Text, QColor(230, 230, 230));
  c.curves->setPalette(dark);
  for (const CurveKind kind : kCurveKinds) {
    SCOPED_TRACE(InfoOf(kind).cli_name);
    EXPECT_EQ(c.Chart(kind)->backgroundBrush().color(), QColor(30, 30, 30));
    for (QAbstractAxis* axis : c.Chart(kind)->axes()) {
      EXPECT_EQ(axis->labelsColor(), QColor(230, 230, 230));
    }
    std::map<QString, int> points;
    for (QAbstractSeries* series : c.Chart(kind)->series()) {
      if (auto* marks = qobject_cast<QScatterSeries*>(series))
        points[marks->name()] += marks->count();
    }
    for (const auto& [label, count] : points) EXPECT_EQ(count, 1) << label.toStdString();
  }
}

TEST(CurvesWindow, ExportsEachCurveAsPngSvgAndCsv) {
  CurvesUnderTest c;
  QTemporaryDir dir;
  const CurveKind kind = CurveKind::InductanceVsCurrent;
  for (const auto& [format, name] :
       {std::pair{ExportFormat::Png, "l.png"}, std::pair{ExportFormat::Svg, "l.svg"},
        std::pair{ExportFormat::Csv, "l.csv"}}) {
    EXPECT_EQ(c.curves->ExportCurve(kind, format, dir.filePath(name)), QString()) << name;
  }
  // The design as the main window shows it, as every export names it.
  const std::string design = c.t.Text("txtPN") + ", " + c.t.Text("txtTurns") +
                             " turns; 10 A DC, 2 A ripple at 100 kHz, Full Load L 100 \u00b5H";
  QFile csv(dir.filePath("l.csv"));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  EXPECT_EQ(csv.readLine().toStdString(), "# Inductance against DC current: " + design + "\n");
  EXPECT_EQ(csv.readLine(), "Current (A),Inductance (\u00b5H)\n");

  // The PNG: twice the chart's pixels on the screen, its corners the chart's
  // background (no frame of the view around it); a tab not shown yet exports
  // at the same size.
  const QImage png(dir.filePath("l.png"));
  EXPECT_EQ(png.size(), c.curves->View(kind)->viewport()->size() * 2);
  const QColor background = PaletteColours(c.curves->palette()).background;
  for (const QPoint corner : {QPoint(0, 0), QPoint(png.width() - 1, png.height() - 1)}) {
    EXPECT_EQ(png.pixelColor(corner).rgb(), background.rgb()) << corner.x();
  }
  EXPECT_EQ(
      c.curves->ExportCurve(CurveKind::LossVsFrequency, ExportFormat::Png, dir.filePath("f.png")),
      QString());
  EXPECT_EQ(QImage(dir.filePath("f.png")).size(), png.size());

  // The SVG is well-formed XML, names the axes and the design and draws the
  // curve through every point in the curve's colour.
  const QString colour = PaletteColours(c.curves->palette()).series[0].name();
  QFile svg(dir.filePath("l.svg"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&svg);
  QStringList texts, strokes;
  int curve_lines = 0;
  while (!xml.atEnd()) {
    const auto token = xml.readNext();
    const bool start = token == QXmlStreamReader::StartElement;
    if (start && xml.name() == u"g") {
      strokes << xml.attributes().value("stroke").toString();
    } else if (token == QXmlStreamReader::EndElement && xml.name() == u"g") {
      strokes.removeLast();
    } else if (start && xml.name() == u"text") {
      texts << xml.readElementText(QXmlStreamReader::IncludeChildElements);
    } else if (start && (xml.name() == u"polyline" || xml.name() == u"path")) {
      curve_lines += !strokes.isEmpty() && strokes.last() == colour;
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_GE(curve_lines, 200) << "the curve's points";
  const QString all_texts = texts.join('|');
  EXPECT_TRUE(texts.contains("Current (A)") && texts.contains("Inductance (\u00b5H)") &&
              all_texts.contains(QString::fromStdString(c.t.Text("txtPN") + ", ")))
      << all_texts.toStdString();

  EXPECT_FALSE(
      c.curves->ExportCurve(kind, ExportFormat::Svg, dir.filePath("missing/l.svg")).isEmpty())
      << "a folder that does not exist: the reason is told";
}

// Molypermalloy's ten grades: each its own colour, solid while its fit falls
// and dashed past the fit's minimum (mu H = 13,251 Oe, below 1000 Oe for
// every grade) in the same colour; one legend entry per grade and one saying
// what the dashes mean.
TEST(CurvesWindow, PermeabilityLinesContinueDashedInTheirColourWithOneNote) {
  CurvesUnderTest c("optMPP");
  QChart* chart = c.Chart(CurveKind::PermeabilityVsField);
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
    EXPECT_EQ(dashed_pieces[name], 1) << name.toStdString();
    colours.insert(*rgbs.begin());
  }
  EXPECT_EQ(colours.size(), colours_of.size()) << "a colour for every grade";
  EXPECT_EQ(std::count_if(legend_entries.begin(), legend_entries.end(),
                          [](const auto& entry) { return entry.first.startsWith("Dashed:"); }),
            1);
}

// The temperature rise grows almost as the total loss: its line tops out
// plainly below the total loss's instead of on it.
TEST(CurvesWindow, TemperatureRiseRunsBelowTheTotalLoss) {
  CurvesUnderTest c;
  const Curve& loss = *c.curves->View(CurveKind::LossVsCurrent)->Shown();
  QChart* chart = c.Chart(CurveKind::LossVsCurrent);
  const auto top_of = [&](std::size_t series, Qt::Alignment side) {
    const auto* axis =
        static_cast<QValueAxis*>(chart->axes(Qt::Vertical).at(side == Qt::AlignLeft ? 0 : 1));
    EXPECT_EQ(axis->alignment(), side);
    return std::ranges::max(loss.series[series].y) / axis->max();
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

#include "ui/qt/curves_window.h"

#include <QBuffer>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPainter>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <memory>

#include "io/curve_csv.h"
#include "io/export_save.h"
#include "state/message_titles.h"
#include "ui/qt/close_keys.h"

namespace tov::qt {
namespace {

constexpr const char* kNoDesign = "No design is shown: press Calculate or pick a core.";
// An exported image has twice the pixels of the chart on the screen.
constexpr qreal kImageScale = 2;
// An exported chart has at least this many logical pixels.
constexpr QSize kLeastExportSize(480, 300);
// Size of the window at first, in average characters and lines of its font.
constexpr int kWidthChars = 110;
constexpr int kHeightLines = 34;

struct FormatInfo {
  const char* button;
  const char* name;
  const char* extension;
  const char* filter;
};
constexpr FormatInfo kFormats[] = {
    {"Export PNG...", "cmdExportPng", ".png", "PNG Images (*.png)"},
    {"Export SVG...", "cmdExportSvg", ".svg", "SVG Drawings (*.svg)"},
    {"Export CSV...", "cmdExportCsv", ".csv", "CSV Files (*.csv)"},
};

const FormatInfo& InfoOf(ExportFormat format) {
  return kFormats[static_cast<int>(format)];
}

QString TabTitle(CurveKind kind) {
  const std::string_view title = InfoOf(kind).tab_title;
  return QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
}

std::size_t Index(CurveKind kind) {
  return static_cast<std::size_t>(kind);
}

}  // namespace

CurvesWindow::CurvesWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("frmCurves");
  setWindowTitle("Curves");
  CloseOnEscapeOrCtrlW(*this);
  export_dir_ = QDir::homePath();
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("tabCurves");
  for (const CurveKind kind : kCurveKinds) {
    tabs_->addTab(BuildTab(tab_[Index(kind)]), TabTitle(kind));
    for (std::size_t f = 0; f < std::size(kFormats); ++f) {
      connect(tab_[Index(kind)].exports[f], &QPushButton::clicked, this,
              [this, kind, f] { AskAndExport(kind, static_cast<ExportFormat>(f)); });
    }
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  const QFontMetrics metrics(font());
  resize(metrics.averageCharWidth() * kWidthChars, metrics.lineSpacing() * kHeightLines);
  Redraw();
}

QWidget* CurvesWindow::BuildTab(Tab& tab) {
  auto* page = new QWidget;
  tab.view = new CurveView(page);
  tab.read_out = new QLabel(page);
  tab.read_out->setObjectName("lblReadOut");
  tab.read_out->setWordWrap(true);
  tab.read_out->setTextInteractionFlags(Qt::TextSelectableByMouse);
  connect(tab.view, &CurveView::readOutChanged, tab.read_out, &QLabel::setText);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(tab.read_out, 1);
  for (std::size_t f = 0; f < std::size(kFormats); ++f) {
    tab.exports[f] = new QPushButton(kFormats[f].button, page);
    tab.exports[f]->setObjectName(kFormats[f].name);
    tab.exports[f]->setAutoDefault(false);
    buttons->addWidget(tab.exports[f]);
  }
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(tab.view, 1);
  layout->addLayout(buttons);
  return page;
}

void CurvesWindow::Follow(const std::optional<DesignResult>& design, const CoreTable& cores,
                          const std::string& design_file) {
  design_file_ = design_file;
  if (design == design_) return;
  design_ = design;
  curves_.reset();
  design_identity_.clear();
  if (design_) {
    curves_ = DesignCurves(*design_, cores);
    design_identity_ = DesignIdentity(*design_, cores);
  }
  Redraw();
}

void CurvesWindow::Redraw() {
  const ChartColours colours = PaletteColours(palette());
  for (const CurveKind kind : kCurveKinds) {
    Tab& tab = tab_[Index(kind)];
    std::optional<Curve> curve;
    if (curves_) curve = (*curves_)[Index(kind)];
    tab.view->ShowCurve(std::move(curve), colours, kNoDesign);
    for (QPushButton* button : tab.exports) button->setEnabled(curves_.has_value());
  }
}

void CurvesWindow::changeEvent(QEvent* event) {
  // A new desktop palette (a dark theme switched on, say) recolours the charts.
  if (event->type() == QEvent::PaletteChange && tabs_) Redraw();
  QWidget::changeEvent(event);
}

CurveView* CurvesWindow::View(CurveKind kind) const {
  return tab_[Index(kind)].view;
}

QString CurvesWindow::ReadOut(CurveKind kind) const {
  return tab_[Index(kind)].read_out->text();
}

QString CurvesWindow::ExportCurve(CurveKind kind, ExportFormat format, const QString& path) {
  CurveView* view = View(kind);
  if (!view->Shown()) return "No design is shown.";
  const Curve& curve = *view->Shown();
  QByteArray bytes;
  if (format == ExportFormat::Csv) {
    const std::string text = CurveCsv(curve, curve.title + ": " + design_identity_);
    bytes = QByteArray(text.data(), static_cast<qsizetype>(text.size()));
  } else {
    // The chart as shown, without the view's frame, titled with the design.
    const std::unique_ptr<QChart> chart(
        BuildCurveChart(curve, PaletteColours(palette()), design_identity_));
    // Every tab's chart has the room of the tab shown (a tab not yet shown
    // has not been laid out).
    const QSize size =
        tab_[static_cast<std::size_t>(tabs_->currentIndex())].view->viewport()->size().expandedTo(
            kLeastExportSize);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == ExportFormat::Png) {
      const QImage image = ChartImage(*chart, size, kImageScale * view->devicePixelRatioF());
      if (!image.save(&buffer, "PNG")) return "the image could not be written";
    } else {
      QSvgGenerator svg;
      svg.setOutputDevice(&buffer);
      svg.setSize(size);
      svg.setViewBox(QRect(QPoint(0, 0), size));
      svg.setTitle(QString::fromStdString(curve.title));
      svg.setDescription(QString::fromStdString(design_identity_));
      QPainter painter;
      if (!painter.begin(&svg)) return "the drawing could not be started";
      PaintChart(*chart, painter, QRectF(QPointF(0, 0), size), size);
      painter.end();
    }
  }
  return QString::fromStdString(SaveExport(
      QFile::encodeName(path).toStdString(),
      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), design_file_));
}

void CurvesWindow::AskAndExport(CurveKind kind, ExportFormat format) {
  const FormatInfo& info = InfoOf(format);
  const QString suggested =
      QDir(export_dir_)
          .filePath(QString::fromUtf8(CurveName(kind).data(),
                                      static_cast<qsizetype>(CurveName(kind).size())) +
                    info.extension);
  QString path = QFileDialog::getSaveFileName(this, "Export Curve", suggested, info.filter);
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += info.extension;
  export_dir_ = QFileInfo(path).absolutePath();
  const QString problem = ExportCurve(kind, format, path);
  if (!problem.isEmpty()) {
    QMessageBox::warning(this, kExportCurveTitle,
                         "The curve could not be exported as\n" + path + "\n\n" + problem);
  }
}

}  // namespace tov::qt

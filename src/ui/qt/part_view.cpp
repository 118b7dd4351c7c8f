#include "ui/qt/part_view.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainterPath>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/logic/part_svg.h"
#include "ui/qt/close_keys.h"

namespace tov::qt {
namespace {

constexpr const char* kNoDesign = "No design is shown: press Calculate or pick a core.";
constexpr const char* kExportTitle = "Export Part";

struct RoleColours {
  QColor fill;
  QColor line;
};

RoleColours ColoursOf(PartRole role) {
  switch (role) {
    case PartRole::Core:
      return {QColor(140, 140, 140), QColor(64, 64, 64)};
    case PartRole::Joint:
      return {Qt::transparent, QColor(64, 64, 64)};
    case PartRole::Layer:
      return {QColor(217, 130, 43, 110), QColor(184, 107, 37)};
    case PartRole::Wire:
      return {QColor(217, 130, 43), QColor(122, 66, 16)};
    case PartRole::Outline:
      return {Qt::transparent, QColor(43, 87, 151)};
    case PartRole::Window:
      return {Qt::white, QColor(64, 64, 64)};
    case PartRole::Fill:
      return {QColor(217, 130, 43), Qt::transparent};
  }
  return {};
}

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

void PaintPartDrawing(QPainter& painter, const QRectF& target, const PartDrawing& p) {
  if (!(p.width > 0 && p.height > 0) || target.isEmpty()) return;
  const double k = std::min(target.width() / p.width, target.height() / p.height);
  const double ox = target.x() + (target.width() - k * p.width) / 2;
  const double oy = target.y() + (target.height() - k * p.height) / 2;
  const auto at = [&](double x, double y) { return QPointF(ox + k * x, oy + k * y); };

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const auto use = [&](PartRole role) {
    const RoleColours c = ColoursOf(role);
    QPen pen(c.line);
    pen.setCosmetic(true);
    pen.setWidthF(role == PartRole::Wire ? 0.5 : 1.0);
    painter.setPen(c.line == Qt::transparent ? QPen(Qt::NoPen) : pen);
    painter.setBrush(c.fill == Qt::transparent ? QBrush(Qt::NoBrush) : QBrush(c.fill));
  };
  for (const PartRing& r : p.rings) {
    use(r.role);
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addEllipse(at(r.cx, r.cy), k * r.outer, k * r.outer);
    if (r.inner > 0) path.addEllipse(at(r.cx, r.cy), k * r.inner, k * r.inner);
    painter.drawPath(path);
  }
  for (const PartRect& r : p.rects) {
    use(r.role);
    painter.drawRect(QRectF(at(r.x, r.y), QSizeF(k * r.width, k * r.height)));
  }
  for (const PartLine& l : p.lines) {
    use(l.role);
    painter.drawLine(at(l.x1, l.y1), at(l.x2, l.y2));
  }

  QFont font = painter.font();
  font.setPixelSize(std::max(1, static_cast<int>(k * p.text_size)));
  painter.setFont(font);
  QPen ink(Qt::black);
  ink.setCosmetic(true);
  painter.setPen(ink);
  painter.setBrush(Qt::NoBrush);
  const double tick = k * p.text_size / 2;
  for (const PartDimension& d : p.dimensions) {
    const QPointF a = at(d.x1, d.y1), b = at(d.x2, d.y2);
    painter.drawLine(a, b);
    const bool across = d.y1 == d.y2;
    for (const QPointF& end : {a, b}) {
      painter.drawLine(across ? QLineF(end.x(), end.y() - tick, end.x(), end.y() + tick)
                              : QLineF(end.x() - tick, end.y(), end.x() + tick, end.y()));
    }
    const QPointF mid = (a + b) / 2;
    const QString text = Q(d.text);
    const double w = painter.fontMetrics().horizontalAdvance(text);
    painter.drawText(
        across ? QPointF(mid.x() - w / 2, mid.y() - tick / 2) : QPointF(mid.x() + tick, mid.y()),
        text);
  }
  for (const PartLabel& l : p.labels) painter.drawText(at(l.x, l.y), Q(l.text));
  painter.restore();
}

void PartCanvas::Show(std::optional<PartDrawing> drawing) {
  drawing_ = std::move(drawing);
  update();
}

void PartCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().base());
  if (!drawing_) {
    painter.setPen(palette().text().color());
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, kNoDesign);
    return;
  }
  PaintPartDrawing(painter, QRectF(rect()).adjusted(8, 8, -8, -8), *drawing_);
}

PartWindow::PartWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("frmPart");
  setWindowTitle("Part");
  CloseOnEscapeOrCtrlW(*this);
  export_dir_ = QDir::homePath();
  menus_ = new QMenuBar(this);
  QMenu* file = menus_->addMenu("&File");
  export_svg_ = file->addAction("Export &SVG...");
  export_svg_->setObjectName("exportPartSvg");
  file->addSeparator();
  file->addAction("&Close", this, &QWidget::close);
  connect(export_svg_, &QAction::triggered, this, &PartWindow::AskAndExport);

  canvas_ = new PartCanvas(this);
  canvas_->setObjectName("partCanvas");
  canvas_->setMinimumSize(240, 160);
  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(menus_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(canvas_, 1);
  // Fits a 1366 x 768 screen at twice the scale.
  resize(560, 300);
}

void PartWindow::Follow(const std::optional<DesignResult>& design, const CoreTable& cores,
                        bool metric, const std::string& design_file) {
  design_file_ = design_file;
  std::optional<PartDrawing> drawing;
  if (design) drawing = DrawPart(*design, cores, metric);
  title_ = design && CoreTable::IsRow(design->row) ? cores.PartNumber(design->row, design->e_core)
                                                   : std::string();
  export_svg_->setEnabled(drawing.has_value());
  canvas_->Show(std::move(drawing));
}

QString PartWindow::ExportSvg(const QString& path) const {
  if (!Drawing()) return "No design is shown.";
  return Q(SavePartSvg(*Drawing(), title_, QFile::encodeName(path).toStdString(), design_file_));
}

void PartWindow::AskAndExport() {
  const QString base = title_.empty() ? QString("part") : Q(title_);
  QString path = QFileDialog::getSaveFileName(
      this, kExportTitle, QDir(export_dir_).filePath(base + ".svg"), "SVG Drawings (*.svg)");
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += ".svg";
  export_dir_ = QFileInfo(path).absolutePath();
  const QString problem = ExportSvg(path);
  if (!problem.isEmpty()) {
    QMessageBox::warning(this, kExportTitle,
                         "The drawing could not be exported as\n" + path + "\n\n" + problem);
  }
}

}  // namespace tov::qt

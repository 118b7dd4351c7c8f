#pragma once
// The designed part drawn to scale on screen, on paper and in a PDF: the
// painter of a PartDrawing, the widget that shows it and the Part window
// (View > Part) that follows the design the main window shows.

#include <QMenuBar>
#include <QPainter>
#include <QRectF>
#include <QWidget>
#include <optional>
#include <string>

#include "engines/design_result.h"
#include "state/core_table.h"
#include "ui/logic/part_drawing.h"

namespace tov::qt {

// Paints `drawing` into `target` (painter coordinates), scaled to fit and
// centred, keeping its proportions, with its labels and dimensions.
void PaintPartDrawing(QPainter& painter, const QRectF& target, const PartDrawing& drawing);

// The drawing of the design shown, or a line saying there is none.
class PartCanvas : public QWidget {
  Q_OBJECT
 public:
  explicit PartCanvas(QWidget* parent) : QWidget(parent) {}
  void Show(std::optional<PartDrawing> drawing);
  const std::optional<PartDrawing>& Drawing() const { return drawing_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<PartDrawing> drawing_;
};

class PartWindow : public QWidget {
  Q_OBJECT
 public:
  explicit PartWindow(QWidget* parent = nullptr);

  // Draws `design` (nothing when nullopt) in the window's units; the SVG
  // export never replaces `design_file`.
  void Follow(const std::optional<DesignResult>& design, const CoreTable& cores, bool metric,
              const std::string& design_file);

  const std::optional<PartDrawing>& Drawing() const { return canvas_->Drawing(); }

  // Writes the drawing as SVG to `path`. Returns the empty text, or why
  // nothing was written.
  QString ExportSvg(const QString& path) const;

 private:
  void AskAndExport();

  QMenuBar* menus_ = nullptr;
  QAction* export_svg_ = nullptr;
  PartCanvas* canvas_ = nullptr;
  std::string title_;
  std::string design_file_;
  QString export_dir_;
};

}  // namespace tov::qt

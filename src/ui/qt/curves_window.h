#pragma once
// The Curves window: one tab per curve of the design the main window shows,
// redrawn whenever that design changes, each curve with a read-out under the
// mouse and its export to PNG, SVG and CSV. Colours follow the palette.

#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QTabWidget>
#include <QWidget>
#include <array>
#include <optional>
#include <string>

#include "engines/curves.h"
#include "engines/design_result.h"
#include "state/core_table.h"
#include "ui/qt/curve_view.h"

namespace tov::qt {

enum class ExportFormat { Png, Svg, Csv };

class CurvesWindow : public QWidget {
  Q_OBJECT
 public:
  explicit CurvesWindow(QWidget* parent = nullptr);

  // Shows the curves of `design` (none when nullopt), redrawing only when it
  // differs from the design shown; `design_file` is the design's file (or
  // empty), which no export replaces.
  void Follow(const std::optional<DesignResult>& design, const CoreTable& cores,
              const std::string& design_file);

  // The tab of a curve, in the order of kCurveKinds.
  CurveView* View(CurveKind kind) const;
  QString ReadOut(CurveKind kind) const;

  // Writes the curve in the format to `path` as every export is saved: the
  // chart without the view's frame (a PNG at twice the screen's pixels), or
  // the points, titled with the design the curve belongs to;
  // replacing the file only once the new one is complete, and never the
  // design file. Returns the empty text, or why nothing was written.
  QString ExportCurve(CurveKind kind, ExportFormat format, const QString& path);

 protected:
  void changeEvent(QEvent* event) override;

 private:
  struct Tab {
    CurveView* view = nullptr;
    QLabel* read_out = nullptr;
    std::array<QPushButton*, 3> exports{};  // in the order of ExportFormat
  };

  QWidget* BuildTab(Tab& tab);
  void Redraw();
  void AskAndExport(CurveKind kind, ExportFormat format);

  QTabWidget* tabs_ = nullptr;
  std::array<Tab, kCurveKinds.size()> tab_;
  std::optional<DesignResult> design_;
  std::optional<std::array<Curve, kCurveKinds.size()>> curves_;
  QString export_dir_;
  std::string design_file_;
  std::string design_identity_;  // the design as exports name it
};

}  // namespace tov::qt

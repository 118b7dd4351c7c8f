#include "ui/qt/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace tov::qt {
namespace {

QFont SansSerif(double points, bool bold) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

}  // namespace

QFont TitleFont() {
  QFont font = SansSerif(26.25, true);
  font.setFamilies({"Arial", "Liberation Sans", "DejaVu Sans", font.family()});
  return font;
}

QFont CaptionFont() {
  return SansSerif(8.25, true);
}

QFont FieldFont() {
  return SansSerif(8.25, false);
}

QFont PromptFont() {
  return SansSerif(9.75, false);
}

}  // namespace tov::qt

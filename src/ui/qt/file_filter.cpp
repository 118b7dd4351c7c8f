#include "ui/qt/file_filter.h"

#include <QRegularExpression>
#include <QString>

namespace tov::qt {

QStringList QtNameFilters(std::string_view filter) {
  const QStringList parts =
      QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size())).split('|');
  static const QRegularExpression kShownPatterns(R"(\s*\([^()]*\)\s*$)");
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    description.remove(kShownPatterns);
    QStringList patterns;
    for (const QString& pattern : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
      const QString trimmed = pattern.trimmed();
      if (!trimmed.isEmpty()) patterns << (trimmed == "*.*" ? QString("*") : trimmed);
    }
    if (patterns.isEmpty()) continue;
    filters << QString("%1 (%2)").arg(description.trimmed(), patterns.join(' '));
  }
  return filters;
}

}  // namespace tov::qt

#include "ui/qt/help_keywords.h"

#include <QFile>
#include <QTextStream>
#include <algorithm>

namespace tov::qt {

QList<HelpKeyword> LoadHelpKeywords(const QString& file) {
  QList<HelpKeyword> keywords;
  QFile input(file);
  if (!input.open(QIODevice::ReadOnly | QIODevice::Text)) return keywords;
  QTextStream stream(&input);
  while (!stream.atEnd()) {
    const QString line = stream.readLine().trimmed();
    if (line.isEmpty() || line.startsWith('#')) continue;
    const qsizetype bar = line.indexOf('|');
    if (bar <= 0) continue;
    HelpKeyword entry{line.left(bar).trimmed(), line.mid(bar + 1).trimmed()};
    if (!entry.keyword.isEmpty() && !entry.target.isEmpty()) keywords << entry;
  }
  std::stable_sort(keywords.begin(), keywords.end(), [](const auto& a, const auto& b) {
    return a.keyword.compare(b.keyword, Qt::CaseInsensitive) < 0;
  });
  return keywords;
}

QList<HelpKeyword> FilterHelpKeywords(const QList<HelpKeyword>& keywords, const QString& typed) {
  const QString key = typed.trimmed();
  if (key.isEmpty()) return keywords;
  QList<HelpKeyword> starting, containing;
  for (const HelpKeyword& entry : keywords) {
    if (entry.keyword.startsWith(key, Qt::CaseInsensitive)) {
      starting << entry;
    } else if (entry.keyword.contains(key, Qt::CaseInsensitive)) {
      containing << entry;
    }
  }
  return starting + containing;
}

}  // namespace tov::qt

#include "ui/qt/help_pages.h"

#include <QDir>
#include <QFile>
#include <QTextDocument>

namespace tov::qt {

std::vector<HelpPageText> LoadHelpPages(const QString& help_dir) {
  std::vector<HelpPageText> pages;
  const QDir dir(help_dir);
  for (const QString& name : dir.entryList({"*.html"}, QDir::Files, QDir::Name)) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::ReadOnly)) continue;
    QTextDocument document;
    document.setHtml(QString::fromUtf8(file.readAll()));
    QString title = document.metaInformation(QTextDocument::DocumentTitle).trimmed();
    if (title.isEmpty()) title = name;
    pages.push_back(
        {name.toStdString(), title.toStdString(), document.toPlainText().toStdString()});
  }
  return pages;
}

}  // namespace tov::qt

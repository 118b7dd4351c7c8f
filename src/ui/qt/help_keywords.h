#pragma once
// The keyword index of the help pages: one keyword per line of the file
// "keywords.txt" beside the pages, written as "keyword|page.html#anchor".

#include <QList>
#include <QString>

namespace tov::qt {

struct HelpKeyword {
  QString keyword;
  QString target;  // page file name, optionally with "#anchor"
};

// The keywords of `file`, sorted case-insensitively. Blank lines, lines
// starting with "#" and lines without a target are skipped; an unreadable
// file gives no keywords.
QList<HelpKeyword> LoadHelpKeywords(const QString& file);

// The keywords containing `typed` (case-insensitive, blanks around it
// ignored), those starting with it first; all of them for an empty text.
QList<HelpKeyword> FilterHelpKeywords(const QList<HelpKeyword>& keywords, const QString& typed);

}  // namespace tov::qt

#pragma once
// The program's help viewer: HTML pages shipped in the program's "help"
// folder, shown at their table of contents or at a keyword index whose search
// field narrows the keywords as the user types and lists the pages whose text
// holds the words typed, saying so when nothing matched. Esc and Ctrl+W close
// it.

#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QListWidget>
#include <QTextBrowser>
#include <QWidget>
#include <vector>

#include "ui/logic/help_search.h"
#include "ui/qt/help_keywords.h"

namespace tov::qt {

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  // `help_dir` holds contents.html, the topic pages and keywords.txt.
  explicit HelpWindow(const QString& help_dir, QWidget* parent = nullptr);

  // Shows the table of contents.
  void ShowContents();
  // Shows the keyword index with an empty search field.
  void ShowIndex();

  // Opens a page of the help folder, "page.html" or "page.html#anchor"; a
  // missing page is reported in the viewer.
  void OpenTopic(const QString& target);

  // Shows the keyword index searching for `words`: the keywords that contain
  // them and the pages that hold them.
  void Search(const QString& words);

 private:
  void FilterKeywords(const QString& typed);
  void OpenKeyword(QListWidgetItem* item);
  void OpenFoundPage(QListWidgetItem* item);
  void Present();

  QString help_dir_;
  QList<HelpKeyword> keywords_;
  QWidget* index_panel_ = nullptr;
  QLineEdit* search_ = nullptr;
  QListWidget* keyword_list_ = nullptr;
  std::vector<HelpPageText> pages_;
  QLabel* search_outcome_ = nullptr;
  QListWidget* page_list_ = nullptr;
  QTextBrowser* browser_ = nullptr;
};

}  // namespace tov::qt

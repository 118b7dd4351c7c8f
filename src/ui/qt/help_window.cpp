#include "ui/qt/help_window.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/qt/close_keys.h"
#include "ui/qt/help_pages.h"

namespace tov::qt {
namespace {

constexpr const char* kContentsPage = "contents.html";
constexpr const char* kKeywordFile = "keywords.txt";

QPushButton* MakeToolButton(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

HelpWindow::HelpWindow(const QString& help_dir, QWidget* parent)
    : QWidget(parent, Qt::Window), help_dir_(help_dir) {
  setObjectName("helpWindow");
  setWindowTitle("Corvane Inductor Design Help");
  setAttribute(Qt::WA_QuitOnClose, false);
  keywords_ = LoadHelpKeywords(QDir(help_dir_).filePath(kKeywordFile));
  pages_ = LoadHelpPages(help_dir_);

  QPushButton* contents = MakeToolButton("helpContents", "&Contents", this);
  QPushButton* index = MakeToolButton("helpIndex", "&Index", this);
  QPushButton* back = MakeToolButton("helpBack", "&Back", this);
  QPushButton* forward = MakeToolButton("helpForward", "&Forward", this);
  auto* tools = new QHBoxLayout;
  tools->addWidget(contents);
  tools->addWidget(index);
  tools->addWidget(back);
  tools->addWidget(forward);
  tools->addStretch();

  index_panel_ = new QWidget(this);
  auto* prompt = new QLabel("&Type the keyword to find:", index_panel_);
  search_ = new QLineEdit(index_panel_);
  search_->setObjectName("helpSearch");
  search_->setClearButtonEnabled(true);
  prompt->setBuddy(search_);
  keyword_list_ = new QListWidget(index_panel_);
  keyword_list_->setObjectName("helpKeywords");
  search_outcome_ = new QLabel(index_panel_);
  search_outcome_->setObjectName("helpSearchOutcome");
  search_outcome_->setWordWrap(true);
  page_list_ = new QListWidget(index_panel_);
  page_list_->setObjectName("helpFoundPages");
  page_list_->setWordWrap(true);
  auto* index_layout = new QVBoxLayout(index_panel_);
  index_layout->setContentsMargins(0, 0, 0, 0);
  index_layout->addWidget(prompt);
  index_layout->addWidget(search_);
  index_layout->addWidget(keyword_list_, 2);
  index_layout->addWidget(search_outcome_);
  index_layout->addWidget(page_list_, 1);

  browser_ = new QTextBrowser(this);
  browser_->setObjectName("helpBrowser");
  browser_->setOpenExternalLinks(false);
  browser_->setOpenLinks(true);
  browser_->setSearchPaths({help_dir_});

  auto* splitter = new QSplitter(this);
  splitter->addWidget(index_panel_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes(
      {fontMetrics().averageCharWidth() * 30, fontMetrics().averageCharWidth() * 90});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(tools);
  layout->addWidget(splitter, 1);

  connect(contents, &QPushButton::clicked, this, &HelpWindow::ShowContents);
  connect(index, &QPushButton::clicked, this, &HelpWindow::ShowIndex);
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(search_, &QLineEdit::textChanged, this, &HelpWindow::FilterKeywords);
  connect(search_, &QLineEdit::returnPressed, this, [this] {
    if (keyword_list_->count() > 0) {
      OpenKeyword(keyword_list_->item(0));
    } else if (page_list_->count() > 0) {
      OpenFoundPage(page_list_->item(0));
    }
  });
  connect(keyword_list_, &QListWidget::itemClicked, this, &HelpWindow::OpenKeyword);
  connect(keyword_list_, &QListWidget::itemActivated, this, &HelpWindow::OpenKeyword);
  connect(page_list_, &QListWidget::itemClicked, this, &HelpWindow::OpenFoundPage);
  connect(page_list_, &QListWidget::itemActivated, this, &HelpWindow::OpenFoundPage);

  CloseOnEscapeOrCtrlW(*this);

  FilterKeywords(QString());
  resize(fontMetrics().averageCharWidth() * 130, fontMetrics().lineSpacing() * 40);
}

void HelpWindow::ShowContents() {
  index_panel_->hide();
  OpenTopic(kContentsPage);
  Present();
}

void HelpWindow::ShowIndex() {
  index_panel_->show();
  search_->clear();
  FilterKeywords(QString());
  if (browser_->source().isEmpty()) OpenTopic(kContentsPage);
  Present();
  search_->setFocus();
}

void HelpWindow::OpenTopic(const QString& target) {
  const qsizetype hash = target.indexOf('#');
  const QString page = hash < 0 ? target : target.left(hash);
  const QString path = QDir(help_dir_).filePath(page);
  if (!QFileInfo(path).isFile()) {
    browser_->setHtml(
        QString("<h2>Help page not found</h2><p>The help page <b>%1</b> is not in "
                "the folder <b>%2</b>. The help pages are installed with the "
                "program; reinstalling it brings them back.</p>")
            .arg(page.toHtmlEscaped(), QDir::toNativeSeparators(help_dir_).toHtmlEscaped()));
    return;
  }
  QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
  if (hash >= 0) url.setFragment(target.mid(hash + 1));
  browser_->setSource(url);
}

void HelpWindow::Search(const QString& words) {
  ShowIndex();
  search_->setText(words);
}

void HelpWindow::FilterKeywords(const QString& typed) {
  keyword_list_->clear();
  for (const HelpKeyword& entry : FilterHelpKeywords(keywords_, typed)) {
    auto* item = new QListWidgetItem(entry.keyword, keyword_list_);
    item->setData(Qt::UserRole, entry.target);
  }
  page_list_->clear();
  const QString words = typed.simplified();
  if (words.isEmpty()) {
    search_outcome_->setText("Type words to find the help pages that contain them.");
    return;
  }
  const std::vector<HelpMatch> found = SearchHelp(pages_, words.toStdString());
  for (const HelpMatch& match : found) {
    auto* item = new QListWidgetItem(QString::fromStdString(match.title), page_list_);
    item->setData(Qt::UserRole, QString::fromStdString(match.page));
    item->setToolTip(QString::fromStdString(match.excerpt));
  }
  const QString quoted = "\u201c" + words + "\u201d";
  if (!found.empty()) {
    const QString pages =
        found.size() == 1 ? QString("1 page contains")
                          : QString("%1 pages contain").arg(static_cast<qulonglong>(found.size()));
    search_outcome_->setText(pages + " " + quoted + ":");
  } else if (keyword_list_->count() > 0) {
    search_outcome_->setText("No help page contains " + quoted + ".");
  } else {
    search_outcome_->setText("Nothing found: no keyword and no help page contains " + quoted +
                             ". Try fewer or shorter words.");
  }
}

void HelpWindow::OpenKeyword(QListWidgetItem* item) {
  if (item) OpenTopic(item->data(Qt::UserRole).toString());
}

void HelpWindow::OpenFoundPage(QListWidgetItem* item) {
  if (!item) return;
  OpenTopic(item->data(Qt::UserRole).toString());
  // Marks the first place of the first word typed.
  const QString first = search_->text().simplified().section(' ', 0, 0);
  if (!first.isEmpty()) browser_->find(first);
}

void HelpWindow::Present() {
  show();
  raise();
  activateWindow();
}

}  // namespace tov::qt

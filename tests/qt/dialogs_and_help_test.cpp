// The desktop pieces around the main window that hold logic of their own:
// file-dialog filters, message text, the help keyword index and help window.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <algorithm>

#include "qt_test_support.h"
#include "ui/qt/file_filter.h"
#include "ui/qt/help_keywords.h"
#include "ui/qt/help_window.h"
#include "ui/qt/qt_user_interface.h"

namespace tov::qt::testing {
namespace {

const QString kHelpDir = QString(TOV_RUNTIME_DIR) + "/help";

TEST(FileFilters, BecomeQtNameFilters) {
  const struct {
    const char* filter;
    QStringList expected;
  } cases[] = {
      {"All Files (*.*)|*.*|DC Inductor Files (*.tov)|*.tov",
       {"All Files (*)", "DC Inductor Files (*.tov)"}},
      {"PDF Files (*.pdf)|*.pdf", {"PDF Files (*.pdf)"}},
      {"Designs|*.tov;*.TOV", {"Designs (*.tov *.TOV)"}},
      {"Broken|", {}},
      {"Dangling description", {}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(QtNameFilters(c.filter), c.expected) << c.filter;
}

TEST(MessageText, CarriageReturnsBecomeLineBreaks) {
  EXPECT_EQ(BoxText("Only toroids (not E-Cores) may be \rstacked."),
            "Only toroids (not E-Cores) may be \nstacked.");
  EXPECT_EQ(BoxText("a\r\rb"), "a\n\nb");
  EXPECT_EQ(BoxText("No Load L (\u00b5H)"), QString::fromUtf8("No Load L (\u00b5H)"));
}

TEST(HelpIndex, EveryKeywordLeadsToAnExistingPage) {
  const QList<HelpKeyword> keywords = LoadHelpKeywords(kHelpDir + "/keywords.txt");
  ASSERT_GT(keywords.size(), 40);
  for (const HelpKeyword& k : keywords) {
    const QString page = k.target.section('#', 0, 0);
    EXPECT_TRUE(QFileInfo(QDir(kHelpDir).filePath(page)).isFile())
        << k.keyword.toStdString() << " -> " << k.target.toStdString();
  }
  EXPECT_TRUE(std::is_sorted(keywords.begin(), keywords.end(), [](const auto& a, const auto& b) {
    return a.keyword.compare(b.keyword, Qt::CaseInsensitive) < 0;
  }));
}

TEST(HelpIndex, TypingNarrowsTheKeywordsStartingMatchesFirst) {
  const QList<HelpKeyword> keywords = {
      {"temperature rise", "a.html"}, {"ambient temperature", "b.html"}, {"turns", "c.html"}};
  EXPECT_EQ(FilterHelpKeywords(keywords, "").size(), 3);
  const QList<HelpKeyword> found = FilterHelpKeywords(keywords, " TEMP ");
  ASSERT_EQ(found.size(), 2);
  EXPECT_EQ(found[0].keyword, "temperature rise");
  EXPECT_EQ(found[1].keyword, "ambient temperature");
  EXPECT_TRUE(FilterHelpKeywords(keywords, "xyz").isEmpty());
}

TEST(HelpIndex, UnreadableOrMalformedLinesGiveNoBadEntries) {
  EXPECT_TRUE(LoadHelpKeywords("/nonexistent/keywords.txt").isEmpty());
  QTemporaryDir dir;
  QFile file(dir.filePath("keywords.txt"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Text));
  file.write("# comment|x.html\n\nno bar\n|no keyword.html\nno target|\n  Good one | a.html#b \n");
  file.close();
  const QList<HelpKeyword> keywords = LoadHelpKeywords(file.fileName());
  ASSERT_EQ(keywords.size(), 1);
  EXPECT_EQ(keywords[0].keyword, "Good one");
  EXPECT_EQ(keywords[0].target, "a.html#b");
}

TEST(HelpWindowView, ContentsAndIndexOpenTheirPages) {
  App();
  HelpWindow help(kHelpDir);
  auto* browser = help.findChild<QTextBrowser*>("helpBrowser");
  auto* search = help.findChild<QLineEdit*>("helpSearch");
  auto* keywords = help.findChild<QListWidget*>("helpKeywords");

  help.ShowContents();
  EXPECT_TRUE(help.isVisible());
  EXPECT_EQ(QFileInfo(browser->source().toLocalFile()).fileName(), "contents.html");
  EXPECT_TRUE(browser->toPlainText().contains("Contents"));

  search->setText("something typed before");
  help.ShowIndex();
  EXPECT_TRUE(search->isVisible());
  EXPECT_TRUE(search->text().isEmpty());
  const int all = keywords->count();
  search->setText("stack");
  ASSERT_GT(keywords->count(), 0);
  EXPECT_LT(keywords->count(), all);
  EXPECT_TRUE(keywords->item(0)->text().contains("stack", Qt::CaseInsensitive));

  ClickListLine(keywords, 0);
  EXPECT_EQ(QFileInfo(browser->source().toLocalFile()).fileName(), "options.html");
  EXPECT_EQ(browser->source().fragment(), "stack");
}

TEST(HelpWindowView, AMissingPageIsReportedInTheViewer) {
  App();
  HelpWindow help(QDir::tempPath() + "/no-help-here");
  help.ShowContents();
  EXPECT_TRUE(
      help.findChild<QTextBrowser*>("helpBrowser")->toPlainText().contains("Help page not found"));
}

TEST(HelpMenu, ContentsAndIndexAskForHelp) {
  WindowUnderTest t;
  t.Trigger("mnuContents");
  t.Trigger("mnuIndex");
  EXPECT_EQ(t.ui.help, (std::vector<HelpRequest>{HelpRequest::Contents, HelpRequest::Index}));
}

}  // namespace
}  // namespace tov::qt::testing

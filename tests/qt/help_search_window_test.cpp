// The help window's search over the shipped pages: common words find pages,
// a word no page holds is said to be found nowhere, and every page can be
// found by its own title and opened from the list. The model page's worked
// build-up ends in the start-up design's figures of the main window.

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QTextBrowser>

#include "qt_test_support.h"
#include "ui/qt/help_window.h"

namespace tov::qt::testing {
namespace {

const QString kHelpDir = QString(TOV_RUNTIME_DIR) + "/help";

QStringList FoundPages(const HelpWindow& help) {
  QStringList pages;
  const auto* list = help.findChild<QListWidget*>("helpFoundPages");
  for (int i = 0; i < list->count(); ++i) pages << list->item(i)->data(Qt::UserRole).toString();
  return pages;
}

QString Outcome(const HelpWindow& help) {
  return help.findChild<QLabel*>("helpSearchOutcome")->text();
}

TEST(HelpSearchWindow, FindsPagesForCommonWordsAndSaysWhenNothingMatched) {
  const WindowUnderTest t;  // the program's application
  HelpWindow help(kHelpDir);
  for (const char* word : {"saturation", "bias", "peak", "Full Load L"}) {
    help.Search(word);
    EXPECT_FALSE(FoundPages(help).isEmpty()) << word;
    EXPECT_TRUE(Outcome(help).contains(QString("contain \u201c%1\u201d:").arg(word)) ||
                Outcome(help).contains(QString("contains \u201c%1\u201d:").arg(word)))
        << Outcome(help).toStdString();
  }
  help.Search("bias");
  EXPECT_TRUE(FoundPages(help).contains("model.html"));

  help.Search("xyzzyq");
  EXPECT_TRUE(FoundPages(help).isEmpty());
  EXPECT_TRUE(Outcome(help).startsWith("Nothing found")) << Outcome(help).toStdString();
}

TEST(HelpSearchWindow, EveryPageIsFoundByItsTitleAndOpensFromTheList) {
  const WindowUnderTest t;  // the program's application
  HelpWindow help(kHelpDir);
  const QStringList names = QDir(kHelpDir).entryList({"*.html"});
  ASSERT_GT(names.size(), 15);
  auto* browser = help.findChild<QTextBrowser*>("helpBrowser");
  auto* list = help.findChild<QListWidget*>("helpFoundPages");
  for (const QString& name : names) {
    help.OpenTopic(name);
    const QString title = browser->documentTitle();
    ASSERT_FALSE(title.isEmpty()) << name.toStdString();
    help.Search(title);
    const int row = static_cast<int>(FoundPages(help).indexOf(name));
    ASSERT_GE(row, 0) << name.toStdString() << " by \"" << title.toStdString() << "\"";
    help.OpenTopic("contents.html");
    emit list->itemActivated(list->item(row));
    EXPECT_TRUE(browser->source().path().endsWith("/" + name)) << name.toStdString();
  }
}

TEST(HelpSearchWindow, TheModelPagesWorkedBuildUpEndsInTheWindowsFigures) {
  WindowUnderTest t;
  t.Click("cmdCalculate");
  HelpWindow help(kHelpDir);
  help.OpenTopic("model.html#buildup");
  const QString page = help.findChild<QTextBrowser*>("helpBrowser")->toPlainText();
  const QString section = page.section("Toroid winding build-up", 1).section("On an E-core", 0, 0);
  const QString dimensions = QString::fromStdString(t.Text("txtDim"));  // "1.751 x 0.768"
  ASSERT_EQ(dimensions.count(" x "), 1) << dimensions.toStdString();
  for (const QString& figure :
       {QString::fromStdString(t.Text("txtPN")), dimensions.section(" x ", 0, 0),
        dimensions.section(" x ", 1, 1), QString::fromStdString(t.Text("txtTurns")) + " turns",
        QLocale(QLocale::English)
                .toString(QString::fromStdString(t.Text("txtPcu")).toDouble(), 'f', 1) +
            " mW",
        QString::fromStdString(t.Text("txtTrise")) + " \u00b0C"}) {
    EXPECT_TRUE(section.contains(figure)) << figure.toStdString();
  }
}

}  // namespace
}  // namespace tov::qt::testing

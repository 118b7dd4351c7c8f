// The help window's search over the shipped pages: every page is found by its
// own title and opens from the list, a word no page holds is said to be found
// nowhere. The model page's worked build-up ends in the start-up design's
// figures of the main window.

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

TEST(HelpSearchWindow, EveryPageIsFoundByItsTitleAndOpensFromTheList) {
  const WindowUnderTest t;  // the program's application
  HelpWindow help(kHelpDir);
  const QStringList names = QDir(kHelpDir).entryList({"*.html"});
  ASSERT_GT(names.size(), 15);
  auto* browser = help.findChild<QTextBrowser*>("helpBrowser");
  auto* list = help.findChild<QListWidget*>("helpFoundPages");
  auto* outcome = help.findChild<QLabel*>("helpSearchOutcome");
  const auto found = [&] {
    QStringList pages;
    for (int i = 0; i < list->count(); ++i) pages << list->item(i)->data(Qt::UserRole).toString();
    return pages;
  };
  for (const QString& name : names) {
    help.OpenTopic(name);
    const QString title = browser->documentTitle();
    ASSERT_FALSE(title.isEmpty()) << name.toStdString();
    help.Search(title);
    const int row = static_cast<int>(found().indexOf(name));
    ASSERT_GE(row, 0) << name.toStdString() << " by \"" << title.toStdString() << "\"";
    EXPECT_TRUE(outcome->text().startsWith(QString::number(found().size()) + " page"));
    EXPECT_TRUE(outcome->text().contains(QString("\u201c%1\u201d:").arg(title)))
        << outcome->text().toStdString();
    help.OpenTopic("contents.html");
    emit list->itemActivated(list->item(row));
    EXPECT_TRUE(browser->source().path().endsWith("/" + name)) << name.toStdString();
  }
  help.Search("xyzzyq");
  EXPECT_TRUE(found().isEmpty());
  EXPECT_TRUE(outcome->text().startsWith("Nothing found")) << outcome->text().toStdString();
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
  const auto field = [&t](const char* name) { return QString::fromStdString(t.Text(name)); };
  for (const QString& figure :
       {field("txtPN"), dimensions.section(" x ", 0, 0), dimensions.section(" x ", 1, 1),
        field("txtTurns") + " turns",
        QLocale(QLocale::English).toString(field("txtPcu").toDouble(), 'f', 1) + " mW",
        field("txtTrise") + " \u00b0C"}) {
    EXPECT_TRUE(section.contains(figure)) << figure.toStdString();
  }
}

}  // namespace
}  // namespace tov::qt::testing

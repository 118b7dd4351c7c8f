// The desktop pieces around the main window that hold logic of their own:
// file-dialog filters and the help keyword index.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "ui/qt/file_filter.h"
#include "ui/qt/help_keywords.h"

namespace tov::qt::testing {
namespace {

TEST(FileFilters, BecomeQtNameFilters) {
  const struct {
    const char* filter;
    QStringList expected;
  } cases[] = {
      {"All Files (*.*)|*.*|DC Inductor Files (*.tov)|*.tov",
       {"All Files (*)", "DC Inductor Files (*.tov)"}},
      {"Designs|*.tov;*.TOV", {"Designs (*.tov *.TOV)"}},
      {"Broken|", {}},
      {"Dangling description", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(QtNameFilters(c.filter), c.expected) << c.filter;
}

TEST(HelpIndex, EveryKeywordLeadsToAnExistingPage) {
  const QDir help(QString(TOV_RUNTIME_DIR) + "/help");
  const QList<HelpKeyword> keywords = LoadHelpKeywords(help.filePath("keywords.txt"));
  ASSERT_GT(keywords.size(), 40);
  for (const HelpKeyword& k : keywords) {
    EXPECT_TRUE(QFileInfo(help.filePath(k.target.section('#', 0, 0))).isFile())
        << k.keyword.toStdString() << " -> " << k.target.toStdString();
  }
}

}  // namespace
}  // namespace tov::qt::testing

// The desktop pieces around the main window that hold logic of their own:
// file-dialog filters, the help keyword index and the texts of message boxes.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include "ui/qt/file_filter.h"
#include "ui/qt/help_keywords.h"
#include "ui/qt/qt_user_interface.h"

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

// Label and value lines line up in a table, whatever the blanks between them;
// a telephone number never breaks after its area code.
TEST(MessageBoxes, LabelledLinesLineUpAndTelephoneNumbersStayWhole) {
  QTextDocument box;
  box.setHtml(
      BoxRichText("Call us at:\r\rPhone: (555) 555-0142\rFax:      (555) 555-0143\r"
                  "Email:   a@example.com"));
  QTextTable* table = nullptr;
  for (QTextFrame* frame : box.rootFrame()->childFrames()) {
    table = table ? table : qobject_cast<QTextTable*>(frame);
  }
  ASSERT_NE(table, nullptr);
  const QString nbsp(QChar(0x00a0));
  const QStringList expected = {"Phone:", "(555)" + nbsp + "555-0142",
                                "Fax:",   "(555)" + nbsp + "555-0143",
                                "Email:", "a@example.com"};
  ASSERT_EQ(table->rows() * table->columns(), expected.size());
  for (int cell = 0; cell < expected.size(); ++cell) {
    const QTextTableCell c = table->cellAt(cell / 2, cell % 2);
    QTextCursor text = c.firstCursorPosition();
    text.setPosition(c.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    EXPECT_EQ(text.selectedText(), expected[cell]);
  }
  EXPECT_TRUE(box.toPlainText().startsWith("Call us at:\n\n"));

  EXPECT_TRUE(BoxRichText("The file\r/home/a.tov\ris not a readable design file.").isEmpty());
  EXPECT_TRUE(BoxText("call us at (555) 555-0142").endsWith("(555)" + nbsp + "555-0142"));
}

}  // namespace
}  // namespace tov::qt::testing

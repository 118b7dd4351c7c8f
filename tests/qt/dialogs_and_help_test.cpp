// The desktop pieces around the main window that hold logic of their own:
// file-dialog filters, the help pages with their index and the texts of
// message boxes.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include "state/message_titles.h"
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

// The help as shipped: every link and index entry leads to a page and anchor
// that exist, every page can be reached from the contents or the index, and
// every title a box of the programs can show is explained on the messages page.
TEST(HelpPages, LinksResolvePagesAreReachableAndEveryMessageIsExplained) {
  const QDir help(QString(TOV_RUNTIME_DIR) + "/help");
  const QRegularExpression link(R"re((?:href|src)="([^"#]*)(?:#([^"]*))?")re");
  const QRegularExpression anchor(R"re((?:name|id)="([^"]+)")re");
  QMap<QString, QString> pages;  // file name -> text
  for (const QString& name : help.entryList({"*.html"})) {
    QFile file(help.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    pages[name] = QString::fromUtf8(file.readAll());
  }
  const auto resolves = [&](const QString& page, const QString& fragment) {
    if (page.endsWith(".png")) return QFileInfo(help.filePath(page)).isFile();
    if (!pages.contains(page)) return false;
    if (fragment.isEmpty()) return true;
    for (const auto& m : anchor.globalMatch(pages[page]))
      if (m.captured(1) == fragment) return true;
    return false;
  };
  QStringList reached{"contents.html"};
  for (const HelpKeyword& k : LoadHelpKeywords(help.filePath("keywords.txt"))) {
    const QString page = k.target.section('#', 0, 0);
    EXPECT_TRUE(resolves(page, k.target.section('#', 1))) << k.target.toStdString();
    if (!reached.contains(page)) reached << page;
  }
  for (qsizetype i = 0; i < reached.size(); ++i) {
    for (const auto& m : link.globalMatch(pages.value(reached[i]))) {
      const QString page = m.captured(1).isEmpty() ? reached[i] : m.captured(1);
      EXPECT_TRUE(resolves(page, m.captured(2)))
          << reached[i].toStdString() << " -> " << m.captured(0).toStdString();
      if (page.endsWith(".html") && !reached.contains(page)) reached << page;
    }
  }
  for (const QString& page : pages.keys())
    EXPECT_TRUE(reached.contains(page)) << page.toStdString();
  for (std::string_view title : kMessageTitles)
    EXPECT_TRUE(
        pages.value("messages.html")
            .contains(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()))))
        << "messages.html lacks " << title;
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

// Printing: File > Print Report... and Export PDF ask for the report's
// Project and Designed by lines and remember what was accepted, the preview
// shows the report's pages; the Print button's report painted into a PDF,
// also on the way out when there is no printer. A run
// against a real print queue is driven by scripts/print_test.sh.

#include "ui/qt/report_print.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <vector>

#include "qt_test_support.h"
#include "ui/logic/report.h"
#include "ui/qt/desktop_settings.h"
#include "ui/qt/qt_user_interface.h"
#include "ui/qt/report_painter.h"

namespace tov::qt::testing {
namespace {

// Runs `act` on the modal window named `name` once it is shown, polling for
// it; fails the test when it does not come.
void WhenShown(const QString& name, std::function<void(QWidget&)> act, int tries = 200) {
  QTimer::singleShot(10, [=] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->objectName() == name) {
      act(*modal);
    } else if (tries > 0) {
      WhenShown(name, act, tries - 1);
    } else {
      ADD_FAILURE() << name.toStdString() << " was not shown";
      if (modal) modal->close();
    }
  });
}

void Fill(QWidget& form, const QString& project, const QString& designed_by) {
  form.findChild<QLineEdit*>("reportProject")->setText(project);
  form.findChild<QLineEdit*>("reportDesignedBy")->setText(designed_by);
}

TEST(ReportPrint, PreviewShowsBothPagesAndTheLinesAreRemembered) {
  WindowUnderTest t;  // first: it keeps the settings away from the user's
  RememberSignature({"Old project", "Someone"});
  t.Click("cmdCalculate");
  int pages = 0;
  WhenShown("reportSignature", [&](QWidget& form) {
    EXPECT_EQ(form.findChild<QLineEdit*>("reportProject")->text(), "Old project");
    EXPECT_EQ(form.findChild<QLineEdit*>("reportDesignedBy")->text(), "Someone");
    Fill(form, "  Buck 48 V ", "A. Engineer");
    WhenShown("reportPreviewDialog", [&](QWidget& preview) {
      auto* view = preview.findChild<QPrintPreviewWidget*>();
      ASSERT_NE(view, nullptr);
      view->updatePreview();
      pages = view->pageCount();
      preview.close();
    });
    form.findChild<QAbstractButton*>("reportPreview")->click();
  });
  t.Trigger("printReport");
  EXPECT_EQ(pages, 2) << "the report, then the inputs, options and worst case";
  EXPECT_EQ(RememberedSignature(), (ReportSignature{"Buck 48 V", "A. Engineer"}));
}

TEST(ReportPrint, CancelKeepsTheRememberedLinesAndExportsNothing) {
  WindowUnderTest t;
  RememberSignature({"Kept", "Kept too"});
  for (const char* action : {"printReport", "mnuExportPdf"}) {
    WhenShown("reportSignature", [](QWidget& form) {
      Fill(form, "Dropped", "Dropped");
      form.close();
    });
    t.Trigger(action);
    EXPECT_EQ(RememberedSignature(), (ReportSignature{"Kept", "Kept too"})) << action;
  }
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "no file or print dialog followed";
}

// The PDF read back with pdftotext holds the document's lines on one page
// (the report's columns become runs of blanks: squeezed to one).
void ExpectPdfHolds(const ReportDocument& document, const QString& path) {
  QProcess pdftotext;
  pdftotext.start("pdftotext", {"-layout", path, "-"});
  if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) {
    GTEST_SKIP() << "pdftotext is not available";
  }
  const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
  const auto squeezed = [](const QStringList& lines) {
    std::vector<std::string> kept;
    for (const QString& line : lines) {
      if (!line.simplified().isEmpty()) kept.push_back(line.simplified().toStdString());
    }
    return kept;
  };
  QStringList expected;
  for (const std::string& line : RenderReportText(document)) {
    expected << QString::fromStdString(line);
  }
  ASSERT_GT(expected.size(), 15);
  EXPECT_EQ(squeezed(text.split('\n')), squeezed(expected)) << text.toStdString();
  EXPECT_EQ(text.count('\f'), 1) << "one page";
}

// The desktop user interface without a printer: the question and the save
// dialog are answered by the test.
class NoPrinterUi : public QtUserInterface {
 public:
  NoPrinterUi() : QtUserInterface(QDir::tempPath()) {}
  std::optional<std::string> pdf_path;
  int questions = 0;

  std::optional<std::string> ChooseSaveFile(const FileDialogRequest&) override { return pdf_path; }

 protected:
  bool PrintOnDefaultPrinter(const ReportDocument&, QString& problem) override {
    problem = "No printer is available: the system has no default printer.";
    return false;
  }
  bool AskYesNo(const QString&, const QString&) override { return ++questions > 0; }
};

TEST(ReportPrinting, PdfHoldsTheLinesOfTheDesignShownAlsoWithoutAPrinter) {
  WindowUnderTest t;
  t.Click("cmdCalculate");
  t.Click("cmdPrint");
  ASSERT_EQ(t.ui.printed.size(), 1u);
  EXPECT_THAT(RenderReportText(t.ui.printed.back()),
              ::testing::Contains(::testing::AllOf(::testing::StartsWith("Part Number:"),
                                                   ::testing::EndsWith(" " + t.Text("txtPN")))));
  QTemporaryDir dir;
  ASSERT_TRUE(WriteReportPdf(t.ui.printed.back(), dir.filePath("report.pdf")));
  ExpectPdfHolds(t.ui.printed.back(), dir.filePath("report.pdf"));

  NoPrinterUi no_printer;
  no_printer.pdf_path = dir.filePath("fallback.pdf").toStdString();
  no_printer.PrintReport(t.ui.printed.back());
  EXPECT_EQ(no_printer.questions, 1) << "whether to save the report as a PDF instead";
  ExpectPdfHolds(t.ui.printed.back(), dir.filePath("fallback.pdf"));
}

// Run only by scripts/print_test.sh, with a print queue set up as the default
// printer: the report the Print button hands over goes to that printer.
TEST(RealPrinter, PrintButtonSendsTheReportToTheDefaultPrinter) {
  if (qEnvironmentVariableIsEmpty("TOV_REAL_PRINTER")) {
    GTEST_SKIP() << "needs a print queue; run scripts/print_test.sh";
  }
  ASSERT_FALSE(QPrinterInfo::defaultPrinter().isNull()) << "no default printer";
  WindowUnderTest t;
  t.Click("cmdCalculate");
  t.Click("cmdPrint");
  ASSERT_EQ(t.ui.printed.size(), 1u);
  QtUserInterface(QDir::tempPath()).PrintReport(t.ui.printed.back());
  // The script checks what arrives at the printer against these values.
  for (const char* name : {"txtPN", "txtTurns", "txtDCR", "txtTrise"}) {
    std::printf("%s=%s\n", name, t.Text(name).c_str());
  }
}

}  // namespace
}  // namespace tov::qt::testing

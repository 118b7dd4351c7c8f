// File > Print Report... and Export PDF ask for the report's Project and
// Designed by lines, remember what was accepted, and the preview shows the
// report's pages.

#include "ui/qt/report_print.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "qt_test_support.h"
#include "ui/qt/desktop_settings.h"

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

TEST(ReportPrint, PrinterGetsTheWholeReport) {
  WindowUnderTest t;
  t.Click("cmdCalculate");
  QTemporaryDir dir;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("printed.pdf"));
  EXPECT_TRUE(
      PrintEngineeringReport(BuildEngineeringReport(*t.frm, "2024-05-06 09:30", {}), printer));
  EXPECT_GT(QFileInfo(dir.filePath("printed.pdf")).size(), 1000);
}

}  // namespace
}  // namespace tov::qt::testing

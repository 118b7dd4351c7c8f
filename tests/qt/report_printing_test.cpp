// The printed report as it leaves the program: painted into a PDF file and
// read back as text, and the way out through a PDF file when there is no
// printer. A run against a real print queue is driven by scripts/print_test.sh.

#include <gtest/gtest.h>

#include <QDir>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <tuple>
#include <vector>

#include "qt_test_support.h"
#include "ui/qt/qt_user_interface.h"
#include "ui/qt/report_painter.h"

namespace tov::qt::testing {
namespace {

// The non-blank lines of a text with runs of blanks squeezed to one, since the
// report's columns become runs of spaces.
std::vector<std::string> SqueezedLines(const QString& text) {
  std::vector<std::string> lines;
  for (const QString& line : text.split('\n')) {
    if (!line.simplified().isEmpty()) lines.push_back(line.simplified().toStdString());
  }
  return lines;
}

// The lines the report of the design in the window must show, in order.
std::vector<std::string> ExpectedLines(const WindowUnderTest& t) {
  const std::tuple<const char*, const char*, const char*> rows[] = {
      {"Part Number: ", "txtPN", ""},
      {"Permeability: ", "txtPerm", ""},
      {"Inductance Factor: ", "txtAL", " mH/1000 Turns"},
      {"Core Area (sq cm): ", "txtAe", ""},
      {"Path Length (cm): ", "txtle", ""},
      {"Turns: ", "txtTurns", ""},
      {"Wire Size: #", "txtWire", " AWG"},
      {"DC Resistance: ", "txtDCR", " Ohms"},
      {"Header P/N: ", "txtBobbin", ""},
      {"Wound Core Dimensions: ", "txtDim", " (in inches)"},
      {"Inductance (full load, \u00b5H): ", "txtLOutfl", ""},
      {"Inductance (no load, \u00b5H): ", "txtLOutnl", ""},
      {"Core Losses (mW): ", "txtPfe", ""},
      {"Copper Losses (mW): ", "txtPcu", ""},
      {"Total Losses (mW): ", "txtPtot", ""},
      {"Temp. Rise (degrees C): ", "txtTrise", ""}};
  std::vector<std::string> lines = {"Corvane DC Inductor Design"};
  for (const auto& [label, field, unit] : rows) {
    if (t.Text(field) == "None Available") continue;  // no header to name
    lines.push_back(label + t.Text(field) + unit);
  }
  return lines;
}

// Reads the PDF back with pdftotext; skips the test when it is not installed.
void ExpectPdfHoldsReportOf(const WindowUnderTest& t, const QString& path) {
  QProcess pdftotext;
  pdftotext.start("pdftotext", {"-layout", path, "-"});
  if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) {
    GTEST_SKIP() << "pdftotext is not available";
  }
  const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
  EXPECT_EQ(SqueezedLines(text), ExpectedLines(t)) << text.toStdString();
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
  QTemporaryDir dir;
  ASSERT_TRUE(WriteReportPdf(t.ui.printed.back(), dir.filePath("report.pdf")));
  ExpectPdfHoldsReportOf(t, dir.filePath("report.pdf"));

  NoPrinterUi no_printer;
  no_printer.pdf_path = dir.filePath("fallback.pdf").toStdString();
  no_printer.PrintReport(t.ui.printed.back());
  EXPECT_EQ(no_printer.questions, 1) << "whether to save the report as a PDF instead";
  ExpectPdfHoldsReportOf(t, dir.filePath("fallback.pdf"));
}

// Run only by scripts/print_test.sh, with a print queue set up as the default
// printer: the report the window's Print button hands over goes through the
// desktop printing to that printer.
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

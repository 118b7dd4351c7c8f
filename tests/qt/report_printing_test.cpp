// The printed report as it leaves the program: painted into a PDF file and
// read back as text, and the way out through a PDF file when there is no
// printer. A run against a real print queue is driven by scripts/print_test.sh.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>
#include <vector>

#include "qt_test_support.h"
#include "ui/qt/qt_user_interface.h"
#include "ui/qt/report_painter.h"

namespace tov::qt::testing {
namespace {

std::vector<std::string> NonBlankLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const auto first = line.find_first_not_of(" \t\f");
    if (first == std::string::npos) continue;
    const auto last = line.find_last_not_of(" \t\f");
    lines.push_back(line.substr(first, last - first + 1));
  }
  return lines;
}

// Collapses runs of blanks, since the columns become runs of spaces in text.
std::string Squeezed(const std::string& line) {
  std::string out;
  for (char c : line) {
    if (c == ' ' && !out.empty() && out.back() == ' ') continue;
    out += c;
  }
  return out;
}

// The report of the design shown after Calculate with the start-up inputs.
struct DesignedReport {
  WindowUnderTest t;
  ReportDocument report;
  DesignedReport() {
    t.Click("cmdCalculate");
    t.Click("cmdPrint");
    EXPECT_EQ(t.ui.printed.size(), 1u);
    if (!t.ui.printed.empty()) report = t.ui.printed.back();
  }
  // The lines the report must show, in order, blanks squeezed.
  std::vector<std::string> ExpectedLines() const {
    std::vector<std::string> lines = {"Corvane DC Inductor Design",
                                      "Part Number: " + t.Text("txtPN"),
                                      "Permeability: " + t.Text("txtPerm"),
                                      "Inductance Factor: " + t.Text("txtAL") + " mH/1000 Turns",
                                      "Core Area (sq cm): " + t.Text("txtAe"),
                                      "Path Length (cm): " + t.Text("txtle"),
                                      "Turns: " + t.Text("txtTurns"),
                                      "Wire Size: #" + t.Text("txtWire") + " AWG",
                                      "DC Resistance: " + t.Text("txtDCR") + " Ohms"};
    if (t.Text("txtBobbin") != "None Available") {
      lines.push_back("Header P/N: " + t.Text("txtBobbin"));
    }
    lines.insert(lines.end(), {"Wound Core Dimensions: " + t.Text("txtDim") + " (in inches)",
                               "Inductance (full load, \u00b5H): " + t.Text("txtLOutfl"),
                               "Inductance (no load, \u00b5H): " + t.Text("txtLOutnl"),
                               "Core Losses (mW): " + t.Text("txtPfe"),
                               "Copper Losses (mW): " + t.Text("txtPcu"),
                               "Total Losses (mW): " + t.Text("txtPtot"),
                               "Temp. Rise (degrees C): " + t.Text("txtTrise")});
    return lines;
  }
};

void ExpectPdfHoldsLines(const QString& path, const std::vector<std::string>& expected) {
  const std::optional<std::string> text = PdfText(path);
  if (!text) GTEST_SKIP() << "pdftotext is not available";
  std::vector<std::string> lines;
  for (const std::string& line : NonBlankLines(*text)) lines.push_back(Squeezed(line));
  EXPECT_EQ(lines, expected) << *text;
  EXPECT_EQ(std::count(text->begin(), text->end(), '\f'), 1) << "one page";
}

TEST(ReportPrinting, PdfOfTheDesignShownHoldsTheReportLines) {
  DesignedReport d;
  ASSERT_FALSE(d.t.Text("txtPN").empty());
  QTemporaryDir dir;
  const QString path = dir.filePath("report.pdf");
  ASSERT_TRUE(WriteReportPdf(d.report, path));
  ExpectPdfHoldsLines(path, d.ExpectedLines());
}

// Left edge, in points, of every word of a PDF as pdftotext finds it.
std::map<std::string, double> WordLeftEdges(const QString& path) {
  std::map<std::string, double> edges;
  QProcess pdftotext;
  pdftotext.start("pdftotext", {"-bbox", path, "-"});
  if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) return edges;
  static const QRegularExpression kWord(R"re(<word xMin="([0-9.]+)"[^>]*>([^<]*)</word>)re");
  const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
  for (auto match = kWord.globalMatch(html); match.hasNext();) {
    const auto word = match.next();
    edges[word.captured(2).toStdString()] = word.captured(1).toDouble();
  }
  return edges;
}

TEST(ReportPrinting, ValuesStandInOneColumn) {
  // Items placed at the same column start at the same x whatever the label;
  // an item at column 0 follows its label directly.
  App();
  ReportDocument report;
  report.lines.push_back({false, {{1, "Turns: "}, {30, "V1"}}});
  report.lines.push_back({false, {{1, "Inductance (full load, \u00b5H): "}, {30, "V2"}}});
  report.lines.push_back({false, {{1, "Inductance (no load, \u00b5H): "}, {0, "V3"}}});
  report.lines.push_back({true, {{7, "Title"}, {30, "V4"}}});
  QTemporaryDir dir;
  const QString path = dir.filePath("columns.pdf");
  ASSERT_TRUE(WriteReportPdf(report, path));
  if (!PdfText(path)) GTEST_SKIP() << "pdftotext is not available";
  const std::map<std::string, double> x = WordLeftEdges(path);
  for (const char* word : {"Turns:", "Title", "V1", "V2", "V3", "V4"}) {
    ASSERT_TRUE(x.count(word)) << word;
  }
  EXPECT_NEAR(x.at("V1"), x.at("V2"), 0.5);
  EXPECT_NEAR(x.at("V1"), x.at("V4"), 0.5) << "bold lines keep the grid";
  EXPECT_LT(x.at("V3"), x.at("V2"));
  // Column 7 lies six average characters right of column 1.
  const double char_width = (x.at("V1") - x.at("Turns:")) / 29;
  EXPECT_NEAR(x.at("Title") - x.at("Turns:"), 6 * char_width, 0.5);
}

TEST(ReportPrinting, PdfOfAnUnwritableFileFails) {
  App();
  ReportDocument report;
  report.lines.push_back({true, {{7, "Corvane DC Inductor Design"}}});
  EXPECT_FALSE(WriteReportPdf(report, "/nonexistent-folder/report.pdf"));
}

// The desktop user interface without a printer: the question and the save
// dialog are answered by the test.
class NoPrinterUi : public QtUserInterface {
 public:
  NoPrinterUi() : QtUserInterface(QDir::tempPath()) {}
  bool answer_yes = true;
  std::optional<std::string> pdf_path;
  std::vector<std::string> questions;
  std::vector<FileDialogRequest> save_requests;
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override {
    save_requests.push_back(request);
    return pdf_path;
  }

 protected:
  bool PrintOnDefaultPrinter(const ReportDocument&, QString& problem) override {
    problem = "No printer is available: the system has no default printer.";
    return false;
  }
  bool AskYesNo(const QString&, const QString& text) override {
    questions.push_back(text.toStdString());
    return answer_yes;
  }
};

TEST(ReportPrinting, WithoutAPrinterTheReportCanBeSavedAsPdf) {
  DesignedReport d;
  QTemporaryDir dir;
  NoPrinterUi ui;
  ui.pdf_path = dir.filePath("fallback.pdf").toStdString();
  ui.PrintReport(d.report);
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_NE(ui.questions[0].find("No printer"), std::string::npos);
  ASSERT_EQ(ui.save_requests.size(), 1u);
  EXPECT_EQ(ui.save_requests[0].default_extension, ".pdf");
  EXPECT_TRUE(ui.save_requests[0].confirm_overwrite);
  ExpectPdfHoldsLines(QString::fromStdString(*ui.pdf_path), d.ExpectedLines());
}

TEST(ReportPrinting, DecliningThePdfWritesNothing) {
  DesignedReport d;
  QTemporaryDir dir;
  NoPrinterUi ui;
  ui.answer_yes = false;
  ui.pdf_path = dir.filePath("declined.pdf").toStdString();
  ui.PrintReport(d.report);
  EXPECT_TRUE(ui.save_requests.empty());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(*ui.pdf_path)));
}

// Run only by scripts/print_test.sh, with a print queue set up as the default
// printer: the window's Print button sends the report to that printer.
TEST(RealPrinter, PrintButtonSendsTheReportToTheDefaultPrinter) {
  if (qEnvironmentVariableIsEmpty("TOV_REAL_PRINTER")) {
    GTEST_SKIP() << "needs a print queue; run scripts/print_test.sh";
  }
  ASSERT_FALSE(QPrinterInfo::defaultPrinter().isNull()) << "no default printer";

  // The scripted user answers every box; only the report goes to the printer.
  struct PrintingUi : tov::testing::ScriptedUi {
    QtUserInterface desktop{QDir::tempPath()};
    void PrintReport(const ReportDocument& report) override {
      ScriptedUi::PrintReport(report);
      desktop.PrintReport(report);
    }
  } ui;
  App();
  FrmTov frm(Cores(), ui);
  frm.Startup();
  MainWindow window(frm);
  window.Refresh();
  window.findChild<QPushButton*>("cmdCalculate")->click();
  window.findChild<QPushButton*>("cmdPrint")->click();
  ASSERT_EQ(ui.printed.size(), 1u);
  // The script checks what arrives at the printer against these values.
  for (const char* name : {"txtPN", "txtTurns", "txtDCR", "txtTrise"}) {
    std::printf("%s=%s\n", name, window.findChild<QLineEdit*>(name)->text().toStdString().c_str());
  }
}

}  // namespace
}  // namespace tov::qt::testing

// The exported PDF read back with pdftotext: the printed report's lines, the
// inputs and options, and the curve's axis titles are text; tovdesign writes
// it from a design file without any display.

#include "ui/qt/design_pdf.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <string>

#include "io/atomic_save.h"
#include "io/design_file.h"
#include "qt_test_support.h"
#include "ui/logic/report.h"

namespace tov::qt::testing {
namespace {

// The PDF's text with runs of blanks squeezed to one, or nullopt without pdftotext.
std::optional<QString> PdfText(const QString& path) {
  QProcess pdftotext;
  pdftotext.start("pdftotext", {"-layout", path, "-"});
  if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) return std::nullopt;
  return QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
}

void ExpectHolds(const QString& text, const std::vector<std::string>& parts) {
  for (const std::string& part : parts) {
    EXPECT_TRUE(text.contains(QString::fromStdString(part).simplified())) << part;
  }
}

TEST(DesignPdf, HoldsTheReportTheInputsTheOptionsTheDateAndTheCurve) {
  WindowUnderTest t;
  t.Trigger("mnuSingleLayer");
  QTemporaryDir dir;
  const QString path = dir.filePath("design.pdf");
  ASSERT_EQ(WriteDesignPdf(*t.frm, path.toStdString(), QDateTime(QDate(2024, 5, 6), QTime(9, 30))),
            QString());
  const auto text = PdfText(path);
  if (!text) GTEST_SKIP() << "pdftotext is not available";

  std::vector<std::string> parts = RenderReportText(BuildReport(t.frm->Model()));
  parts.insert(parts.end(), {"DC Current (A): 10", "No Load L (\u00b5H): 150", "Material: Velmax",
                             "Single Layer Choke: Yes", "Full Load L Maximum: Yes",
                             "Dimensions: English (inches)", "Date: 2024-05-06 09:30",
                             "Current (A)", "Inductance (\u00b5H)"});
  ExpectHolds(*text, parts);
  EXPECT_FALSE(text->contains("Design File:")) << "no design file was opened or saved";
}

TEST(DesignPdf, TovdesignWritesItFromADesignFileWithoutADisplay) {
  QTemporaryDir dir;
  DesignFileRecord record{.core_row = 0,
                          .design_mode = 0,
                          .Idc = "8",
                          .Idelta = "1",
                          .Freq = "50",
                          .CurDens = "500",
                          .Lfl = "220",
                          .Lnl = "400",
                          .TempInput = "40",
                          .MaterialCode = 1,
                          .FullLoadLMax = 1,
                          .stack_count = 2};
  const QString design = dir.filePath("filter.tov");
  ASSERT_EQ(AtomicSave(design.toStdString(), WriteDesignFile(record)), "");
  const auto run = [&](const QStringList& arguments, const QString& program = TOVDESIGN_PATH) {
    QProcess tovdesign;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
      environment.remove(name);
    }
    tovdesign.setProcessEnvironment(environment);
    tovdesign.start(program, arguments);
    EXPECT_TRUE(tovdesign.waitForFinished(60000));
    return std::pair{tovdesign.exitCode(), QString::fromUtf8(tovdesign.readAllStandardError())};
  };

  const QString pdf = dir.filePath("filter.pdf");
  const auto [status, errors] = run({"--export-pdf", pdf, design});
  EXPECT_EQ(status, 0) << errors.toStdString();
  const auto text = PdfText(pdf);
  if (!text) GTEST_SKIP() << "pdftotext is not available";
  ExpectHolds(*text, {"Corvane DC Inductor Design", "Part Number: (2x)", "DC Current (A): 8",
                      "Material: Molypermalloy", "Stacked Cores: 2", "Design File: filter.tov",
                      "Current (A)", "Inductance (\u00b5H)"});

  // A file that is no design file: nothing is written, and stderr says why.
  ASSERT_EQ(AtomicSave(dir.filePath("bad.tov").toStdString(), "0\r\n"), "");
  const auto [bad_status, bad_errors] =
      run({"--export-pdf", dir.filePath("bad.pdf"), dir.filePath("bad.tov")});
  EXPECT_EQ(bad_status, 3);
  EXPECT_TRUE(bad_errors.contains("is not a readable design file")) << bad_errors.toStdString();
  EXPECT_FALSE(QFileInfo::exists(dir.filePath("bad.pdf")));
  EXPECT_EQ(run({"--export-pdf", pdf}).first, 2) << "no design file named";

  // Installed, the program finds the core database in the prefix's share
  // folder, as the window does.
  const QString bin = dir.filePath("usr/bin");
  const QString share = dir.filePath("usr/share/corvane-inductor-design");
  ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(share));
  ASSERT_TRUE(QFile::copy(TOVDESIGN_PATH, bin + "/tovdesign"));
  ASSERT_TRUE(QFile::copy(QString(TOV_RUNTIME_DIR) + "/coredat", share + "/coredat"));
  const auto [installed, installed_errors] =
      run({"--export-pdf", dir.filePath("installed.pdf"), design}, bin + "/tovdesign");
  EXPECT_EQ(installed, 0) << installed_errors.toStdString();
}

}  // namespace
}  // namespace tov::qt::testing

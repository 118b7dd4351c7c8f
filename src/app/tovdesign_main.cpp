// The desktop program: loads the core database, shows the disclaimer, applies
// the start-up defaults and runs the main window; a design file named on the
// command line opens once the window is shown.
// Usage: tovdesign [FILE.tov]

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/data_location.h"
#include "state/core_table_loader.h"
#include "ui/logic/design_controller.h"
#include "ui/qt/logo_picture.h"
#include "ui/qt/main_window.h"
#include "ui/qt/pdf_export_command.h"
#include "ui/qt/qt_user_interface.h"

namespace {

// Start-up probe for scripts/bench.sh and scripts/package_test.sh: with
// TOV_STARTUP_PROBE set, the disclaimer closes by itself and, once the main
// window is shown (and a design file given has opened), the program prints
// the window title, the wall-clock time (microseconds since the epoch) and
// its resident memory from /proc/self/status, then quits.
bool StartupProbe() {
  return std::getenv("TOV_STARTUP_PROBE") != nullptr;
}

void CloseDisclaimerWhenShown() {
  QTimer::singleShot(0, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
}

void ReportShownAndQuit(const QWidget& window) {
  QTimer::singleShot(0, [&window] {
    std::printf("title=%s\n", window.windowTitle().toUtf8().constData());
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::printf(
        "shown_at_us=%lld\n",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
    QFile status("/proc/self/status");
    if (status.open(QIODevice::ReadOnly)) {
      for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS") || line.startsWith("VmHWM"))
          std::printf("%s\n", line.constData());
      }
    }
    std::fflush(stdout);
    QApplication::quit();
  });
}

// The design file named on the command line as an absolute path, or empty.
// --help, --version and a wrong command line end the program here.
QString DesignFileArgument(const QApplication& app) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Designs DC inductors on powder cores. A design file given opens after the disclaimer.\n"
      "tovdesign --export-pdf OUT.pdf DESIGN.tov designs the file as Open Design does and\n"
      "writes its PDF report without a window.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument("FILE.tov", "A design file to open.", "[FILE.tov]");
  parser.process(app);
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    std::fputs("tovdesign: give at most one design file\nTry 'tovdesign --help'.\n", stderr);
    std::exit(1);
  }
  return files.isEmpty() ? QString() : QFileInfo(files.front()).absoluteFilePath();
}

void ShowStartFailure(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, tov::kProgramTitle, tov::qt::BoxText(text), QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace

int main(int argc, char* argv[]) {
  if (tov::qt::AsksForPdfExport(argc, argv))
    return tov::qt::RunPdfExport(argc, argv, tov::LocateData);
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Corvane");
  QApplication::setApplicationName("tovdesign");
  QApplication::setApplicationVersion("1.0");
  QApplication::setDesktopFileName("com.example.corvane.tovdesign");
  QApplication::setWindowIcon(tov::qt::ProgramIcon());
  const QString design_file = DesignFileArgument(app);

  // The core database and the help pages: in the build tree beside the
  // program, once installed in the prefix's share folder.
  const std::filesystem::path program_dir =
      QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  const std::filesystem::path coredat = tov::LocateData(program_dir, tov::kCoreDatabaseName);
  std::error_code error;
  if (!std::filesystem::exists(coredat, error)) {
    ShowStartFailure(
        tov::DataNotFoundMessage(program_dir, tov::kCoreDatabaseName, "the core database"));
    return 1;
  }
  tov::CoreTableLoad load = tov::LoadCoreTable(coredat);
  if (!load.table) {
    ShowStartFailure(load.error);
    return 1;
  }

  tov::qt::QtUserInterface ui(QFile::decodeName(tov::LocateData(program_dir, "help").c_str()));
  tov::DesignController frm(*load.table, ui);
  tov::qt::MainWindow window(frm);
  ui.SetMainWindow(&window);

  if (StartupProbe()) CloseDisclaimerWhenShown();
  frm.Startup();  // the disclaimer must be closed before the window takes input
  window.Refresh();
  window.show();
  if (!design_file.isEmpty()) {
    QTimer::singleShot(0, &window, [&window, design_file] { window.OpenDesignFile(design_file); });
  }
  if (StartupProbe()) ReportShownAndQuit(window);
  return QApplication::exec();
}

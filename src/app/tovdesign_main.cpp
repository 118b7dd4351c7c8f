// The desktop program: loads the core database from the program's folder,
// shows the disclaimer, applies the start-up defaults and runs the main window.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "state/core_table_loader.h"
#include "ui/logic/frm_tov.h"
#include "ui/qt/main_window.h"
#include "ui/qt/pdf_export_command.h"
#include "ui/qt/qt_user_interface.h"

namespace {

// Start-up timing for scripts/bench.sh: with TOV_STARTUP_PROBE set, the
// disclaimer closes by itself and, once the main window is shown, the program
// prints the wall-clock time (microseconds since the epoch) and its resident
// memory from /proc/self/status, then quits.
bool StartupProbe() {
  return std::getenv("TOV_STARTUP_PROBE") != nullptr;
}

void CloseDisclaimerWhenShown() {
  QTimer::singleShot(0, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
}

void ReportShownAndQuit() {
  QTimer::singleShot(0, [] {
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

}  // namespace

int main(int argc, char* argv[]) {
  if (tov::qt::AsksForPdfExport(argc, argv)) return tov::qt::RunPdfExport(argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName("Corvane Inductor Design");

  // The core database and the help pages live beside the program.
  QDir::setCurrent(QCoreApplication::applicationDirPath());
  tov::CoreTableLoad load = tov::LoadCoreTable(tov::kCoreDatabaseName);
  if (!load.table) {
    QMessageBox box(QMessageBox::NoIcon, "Corvane Inductor Design Using Powder Cores",
                    tov::qt::BoxText(load.error), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return 1;
  }

  tov::qt::QtUserInterface ui(QDir::current().filePath("help"));
  tov::FrmTov frm(*load.table, ui);
  tov::qt::MainWindow window(frm);
  ui.SetMainWindow(&window);

  if (StartupProbe()) CloseDisclaimerWhenShown();
  frm.Startup();  // the disclaimer must be closed before the window takes input
  window.Refresh();
  window.show();
  if (StartupProbe()) ReportShownAndQuit();
  return QApplication::exec();
}

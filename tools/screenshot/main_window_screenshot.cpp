// Renders the main window of the desktop program into a PNG file: started as
// the program starts, then after Calculate with the start-up inputs, or after
// opening a design file (which designs as Open Design does).
// Usage: tovscreenshot OUTPUT.png [DESIGN.tov]
// Run it under a display larger than the window, such as
// xvfb-run -s "-screen 0 1600x1000x24" or
// QT_QPA_PLATFORM=offscreen:configfile=tools/screenshot/large_screen.json (the
// window keeps within its screen, and the offscreen platform's is 800 x 600 by
// default); set QT_SCALE_FACTOR for a scaled grab. Release builds run it for
// docs/main-window.png. The core database is read from the program's own
// folder.

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>
#include <cstdio>

#include "state/core_table_loader.h"
#include "ui/logic/design_controller.h"
#include "ui/qt/main_window.h"

namespace {

// A user who reads nothing and answers every box with its default, so that
// no box stops the grab. Messages are echoed to stderr.
class SilentUser : public tov::UserInterface {
 public:
  void ShowMessage(std::string_view title, std::string_view text) override {
    std::fprintf(stderr, "message: %.*s\n", static_cast<int>(title.size()), title.data());
    (void)text;
  }
  std::string AskInput(std::string_view, std::string_view,
                       std::string_view default_answer) override {
    return std::string(default_answer);
  }
  tov::UnsavedEditsAnswer AskAboutUnsavedEdits(std::string_view, std::string_view) override {
    return tov::UnsavedEditsAnswer::Discard;
  }
  std::optional<std::string> ChooseOpenFile(const tov::FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseSaveFile(const tov::FileDialogRequest&) override {
    return std::nullopt;
  }
  void PrintReport(const tov::ReportDocument&) override {}
  void ShowHelp(tov::HelpRequest) override {}
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: tovscreenshot OUTPUT.png [DESIGN.tov]\n");
    return 2;
  }
  const QString output = QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[1]));

  const tov::CoreTableLoad load = tov::LoadCoreTable(
      QDir(QCoreApplication::applicationDirPath()).filePath("coredat").toStdString());
  if (!load.table) {
    std::fprintf(stderr, "%s\n", load.error.c_str());
    return 1;
  }
  SilentUser user;
  tov::DesignController frm(*load.table, user);
  frm.Startup();
  tov::qt::MainWindow window(frm);
  window.Refresh();
  window.show();
  if (argc == 3) {
    if (!window.OpenDesignFile(QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[2]))))
      return 1;
  } else {
    window.findChild<QPushButton*>("cmdCalculate")->click();
  }

  int status = 0;
  // Grab once the window has been laid out and painted.
  QTimer::singleShot(200, &app, [&] {
    if (!window.grab().save(output, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
      status = 1;
    }
    app.quit();
  });
  QApplication::exec();
  return status;
}

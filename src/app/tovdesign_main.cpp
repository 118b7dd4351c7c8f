// The desktop program: loads the core database from the program's folder,
// shows the disclaimer, applies the start-up defaults and runs the main window.

#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include "state/core_table_loader.h"
#include "ui/logic/frm_tov.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_user_interface.h"

int main(int argc, char* argv[]) {
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

  frm.Startup();  // the disclaimer must be closed before the window takes input
  window.Refresh();
  window.show();
  return QApplication::exec();
}

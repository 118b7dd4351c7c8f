#pragma once
// The desktop program's main window with the design of the start-up inputs
// shown, made once for the window benchmarks of one process.

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <memory>

#include "silent_ui.h"
#include "state/core_table_loader.h"
#include "ui/logic/design_controller.h"
#include "ui/qt/main_window.h"

namespace tov::qt {

// The main window with a design shown.
struct Shown {
  CoreTable cores;
  SilentUi ui;
  std::unique_ptr<DesignController> frm;
  std::unique_ptr<MainWindow> window;
};

// Made on first use, closed before the application ends.
inline std::unique_ptr<Shown> shown_window;

inline Shown& MainWindowWithDesign() {
  if (!shown_window) {
    shown_window = std::make_unique<Shown>();
    Shown& s = *shown_window;
    CoreTableLoad load = LoadCoreTable(
        QDir(QCoreApplication::applicationDirPath()).filePath(kCoreDatabaseName).toStdString());
    s.cores = load.table.value_or(CoreTable());
    s.frm = std::make_unique<DesignController>(s.cores, s.ui);
    ApplyStartupDefaults(s.frm->Model());
    s.window = std::make_unique<MainWindow>(*s.frm);
    s.window->show();
    s.window->findChild<QPushButton*>("cmdCalculate")->click();
    QApplication::processEvents();
  }
  return *shown_window;
}

}  // namespace tov::qt

#pragma once
// Shared pieces of the Qt smoke tests: one QApplication for the whole test
// program, the core table of the build and the main window driven by a
// scripted user.

#include <QApplication>
#include <memory>
#include <string>

#include "state/core_table.h"
#include "support/scripted_ui.h"
#include "ui/logic/frm_tov.h"
#include "ui/qt/main_window.h"

namespace tov::qt::testing {

// The application object every widget needs; created on first use.
QApplication& App();

// The core table of the build's runtime folder, loaded once.
const CoreTable& Cores();

// The main window as the program starts it, with a scripted user: the
// disclaimer has been shown and the start-up defaults applied.
struct WindowUnderTest {
  tov::testing::ScriptedUi ui;
  std::unique_ptr<FrmTov> frm;
  std::unique_ptr<MainWindow> window;

  WindowUnderTest();
  ~WindowUnderTest();

  template <class T>
  T* Find(const char* name) const {
    return window->findChild<T*>(name);
  }
  // Text of a line edit of the window.
  std::string Text(const char* name) const;
  void Trigger(const char* action_name) const;
  void Click(const char* button_name) const;
};

}  // namespace tov::qt::testing

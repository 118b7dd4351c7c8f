#pragma once
// The main window of the Qt smoke tests, driven by a scripted user.

#include <QLineEdit>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/scripted_ui.h"
#include "ui/logic/design_controller.h"
#include "ui/qt/main_window.h"

namespace tov::qt::testing {

// The main window as the program starts it, on the build's core table: the
// disclaimer has been shown and the start-up defaults applied.
struct WindowUnderTest {
  tov::testing::ScriptedUi ui;
  std::unique_ptr<DesignController> frm;
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

// Presses the tool window's Escape key; true when that closed it.
bool EscapeCloses(QWidget& window);

// Presses and releases a key on `widget` as the keyboard would.
void PressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              const QString& text = {});
// Types `text` at the end of a field, as the keyboard would.
void Type(QLineEdit* field, const QString& text);

// tovdesign (or `program`) run without a display or a runtime folder, with
// byte arguments and XDG_CONFIG_HOME at `config` when one is given: its exit
// status and standard error.
std::pair<int, std::string> RunTovdesign(const std::vector<std::string>& arguments,
                                         const std::string& config = {},
                                         const std::string& program = TOVDESIGN_PATH);

// The bytes of a design file of a Molypermalloy line filter: 8 A with 1 A of
// ripple at 50 kHz, 220 uH at full load, on `stack_count` cores.
std::string FilterChokeFile(int16_t stack_count = 1);

}  // namespace tov::qt::testing

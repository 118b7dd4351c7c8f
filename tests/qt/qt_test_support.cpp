#include "qt_test_support.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QTemporaryDir>

#include "io/design_file.h"
#include "state/core_table_loader.h"

namespace tov::qt::testing {

namespace {

int app_argc = 1;
char app_name[] = "tov_qt_tests";
char* app_argv[] = {app_name, nullptr};
QApplication* app = nullptr;

// Ends the application after the last test, while Qt can still clean up: a
// QApplication left to the exit handlers outlives Qt's own thread storage.
class QtEnvironment : public ::testing::Environment {
 public:
  void TearDown() override {
    if (!app) return;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    qDeleteAll(QApplication::topLevelWidgets());
    delete app;
    app = nullptr;
  }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

// The core table of the build's runtime folder, loaded once.
const CoreTable& Cores() {
  static const CoreTable table = [] {
    CoreTableLoad load = LoadCoreTable(std::string(TOV_RUNTIME_DIR) + "/coredat");
    EXPECT_TRUE(load.table) << load.error;
    return load.table.value_or(CoreTable());
  }();
  return table;
}

// The desktop settings of the tests live in a folder of their own, never in
// the user's.
void KeepSettingsAway() {
  static QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
}

}  // namespace

WindowUnderTest::WindowUnderTest() {
  if (!app) {
    app = new QApplication(app_argc, app_argv);  // one for the whole program
    KeepSettingsAway();
  }
  frm = std::make_unique<DesignController>(Cores(), ui);
  frm->Startup();
  window = std::make_unique<MainWindow>(*frm);
  window->Refresh();
  window->show();
}

WindowUnderTest::~WindowUnderTest() {
  window.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // closed dialogs
}

std::string WindowUnderTest::Text(const char* name) const {
  auto* edit = Find<QLineEdit>(name);
  EXPECT_NE(edit, nullptr) << name;
  return edit ? edit->text().toStdString() : std::string();
}

void WindowUnderTest::Trigger(const char* action_name) const {
  auto* action = Find<QAction>(action_name);
  ASSERT_NE(action, nullptr) << action_name;
  action->trigger();
}

void WindowUnderTest::Click(const char* button_name) const {
  auto* button = window->findChild<QAbstractButton*>(button_name);
  ASSERT_NE(button, nullptr) << button_name;
  button->click();
}

bool EscapeCloses(QWidget& window) {
  for (QShortcut* shortcut : window.findChildren<QShortcut*>()) {
    if (shortcut->key() == QKeySequence(Qt::Key_Escape)) emit shortcut->activated();
  }
  return !window.isVisible();
}

void PressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent event(type, key, modifiers, text);
    QApplication::sendEvent(widget, &event);
  }
}

void Type(QLineEdit* field, const QString& text) {
  for (QChar c : text) PressKey(field, c.unicode(), Qt::NoModifier, QString(c));
}

std::pair<int, std::string> RunTovdesign(const std::vector<std::string>& arguments,
                                         const std::string& config, const std::string& program) {
  char errors[] = "/tmp/tovdesign_errors_XXXXXX";
  const int fd = mkstemp(errors);
  unlink(errors);
  const pid_t child = fork();
  if (child == 0) {
    dup2(fd, 2);
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"}) {
      unsetenv(name);
    }
    if (!config.empty()) setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    std::vector<char*> argv{const_cast<char*>("tovdesign")};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  std::string text(static_cast<std::size_t>(lseek(fd, 0, SEEK_END)), '\0');
  EXPECT_EQ(pread(fd, text.data(), text.size(), 0), static_cast<ssize_t>(text.size()));
  close(fd);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
}

std::string FilterChokeFile(int16_t stack_count) {
  // Row and mode, the seven input texts, material, Full Load L Maximum, ambient, stack.
  return WriteDesignFile(
      {0, 0, "8", "1", "50", "500", "220", "400", "40", 1, 1, 20.0f, stack_count});
}

}  // namespace tov::qt::testing

// Smoke test of Tools > Converter...: the dialog opens from its menu entry,
// shows the converter's figures as they are typed, fills the design inputs
// on OK, and opens again with the texts it was left with.

#include "ui/qt/converter_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <functional>

#include "io/ngspice_run.h"
#include "qt_test_support.h"
#include "ui/qt/simulation_window.h"

namespace tov::qt::testing {
namespace {

// Runs `act` on the converter dialog once it is shown by `open`.
void WithDialog(const std::function<void()>& open, const std::function<void(QDialog&)>& act) {
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    act(*dialog);
  });
  open();
}

TEST(ConverterDialog, FillsTheInputsAndReopensWithItsTexts) {
  WindowUnderTest t;
  WithDialog([&] { t.Trigger("converter"); },
             [](QDialog& d) {
               d.findChild<QComboBox*>("topology")->setCurrentIndex(1);  // boost
               d.findChild<QLineEdit*>("vin")->setText("10:14");
               d.findChild<QLineEdit*>("vout")->setText("48");
               d.findChild<QLineEdit*>("iout")->setText("2");
               d.findChild<QLineEdit*>("ripplePercent")->setText("40");
               const QString figures = d.findChild<QLabel*>("figures")->text();
               EXPECT_TRUE(figures.contains("Choke: 9.6 A DC, 3.84 A ripple (at 14 V), 25.82 uH"))
                   << figures.toStdString();
               EXPECT_FALSE(d.findChild<QLineEdit*>("pout")->isEnabled());
               d.accept();
             });
  EXPECT_EQ(t.Text("txtIdc"), "9.6");
  EXPECT_EQ(t.Text("txtIdelta"), "3.84");
  EXPECT_EQ(t.Text("txtLfl"), "25.82465");

  WithDialog([&] { t.Trigger("converter"); },
             [](QDialog& d) {
               EXPECT_EQ(d.findChild<QComboBox*>("topology")->currentIndex(), 1);
               EXPECT_EQ(d.findChild<QLineEdit*>("vout")->text(), "48");
               // A wrong field keeps the dialog open and says why.
               d.findChild<QLineEdit*>("vout")->setText("5");
               d.accept();
               EXPECT_TRUE(d.isVisible());
               EXPECT_TRUE(d.findChild<QLabel*>("figures")->text().contains("needs less than"));
               d.reject();
             });
  EXPECT_EQ(t.Text("txtIdc"), "9.6");  // Cancel leaves the inputs
}

// Simulate Converter runs the choke shown in the dialog's converter on a
// worker thread and then shows its waveform and figures.
TEST(ConverterDialog, SimulateConverterShowsTheWaveformAndFigures) {
  if (!NgspiceInstalled()) GTEST_SKIP() << "no ngspice";
  WindowUnderTest t;
  WithDialog([&] { t.Trigger("converter"); }, [](QDialog& d) { d.accept(); });
  t.Click("cmdCalculate");
  t.Trigger("simulate");
  auto* window = qobject_cast<SimulationWindow*>(t.window->Simulation());
  ASSERT_NE(window, nullptr);
  QElapsedTimer clock;
  clock.start();
  while (!window->Done() && clock.elapsed() < 60000)
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  ASSERT_TRUE(window->Done());
  EXPECT_NE(window->findChild<QWidget*>("waveform"), nullptr);
  const QString figures = window->findChild<QLabel*>("figures")->text();
  EXPECT_TRUE(figures.contains("Ripple:")) << figures.toStdString();
  EXPECT_TRUE(figures.contains("design 3 A")) << figures.toStdString();
  window->reject();
}

}  // namespace
}  // namespace tov::qt::testing

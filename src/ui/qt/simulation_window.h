#pragma once
// Tools > Simulate Converter: ngspice runs on a worker thread while a busy
// progress bar and Cancel show; then the inductor's current over the last
// switching periods beside the curve's prediction, and the figures.

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <atomic>
#include <thread>

#include "io/ngspice_run.h"
#include "ui/logic/converter_simulation.h"

namespace tov::qt {

class SimulationWindow : public QDialog {
  Q_OBJECT
 public:
  SimulationWindow(SimulationPlan plan, QWidget* parent = nullptr);
  ~SimulationWindow() override;

  // Whether ngspice has finished (or was stopped) and its result is shown.
  bool Done() const { return done_; }
  // Cancel, and Close once done: stops ngspice, then closes.
  void reject() override;

 signals:
  void finished(NgspiceRun run);

 private:
  void Show(const NgspiceRun& run);

  SimulationPlan plan_;
  std::atomic<bool> cancel_{false};
  std::thread worker_;
  QProgressBar* progress_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
  QLabel* figures_ = nullptr;
  bool done_ = false;
};

}  // namespace tov::qt

#include "ui/qt/simulation_window.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace tov::qt {
namespace {

// ngspice gets this long in the window.
constexpr double kSimulationSeconds = 120;

}  // namespace

SimulationWindow::SimulationWindow(SimulationPlan plan, QWidget* parent)
    : QDialog(parent), plan_(std::move(plan)) {
  setWindowTitle("Simulate Converter");
  setObjectName("simulationWindow");
  auto* layout = new QVBoxLayout(this);
  progress_ = new QProgressBar;
  progress_->setObjectName("progress");
  progress_->setRange(0, 0);
  layout->addWidget(progress_);
  figures_ = new QLabel("ngspice is simulating the converter...");
  figures_->setObjectName("figures");
  figures_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(figures_);
  cancel_button_ = new QPushButton("Cancel");
  cancel_button_->setObjectName("cancel");
  connect(cancel_button_, &QPushButton::clicked, this, &SimulationWindow::reject);
  layout->addWidget(cancel_button_);
  qRegisterMetaType<NgspiceRun>("NgspiceRun");
  connect(this, &SimulationWindow::finished, this, &SimulationWindow::Show, Qt::QueuedConnection);
  worker_ = std::thread([this, deck = plan_.deck.text] {
    emit finished(RunNgspice(deck, kSimulationSeconds, &cancel_));
  });
}

SimulationWindow::~SimulationWindow() {
  cancel_ = true;
  if (worker_.joinable()) worker_.join();
}

// Cancel stops ngspice; once it has stopped the window closes.
void SimulationWindow::reject() {
  cancel_ = true;
  if (worker_.joinable()) worker_.join();
  QDialog::reject();
}

void SimulationWindow::Show(const NgspiceRun& run) {
  if (done_) return;
  done_ = true;
  progress_->setRange(0, 1);
  progress_->setValue(1);
  cancel_button_->setText("Close");
  if (!run.finished) {
    figures_->setText(QString::fromStdString("The simulation did not run: " + run.error));
    return;
  }
  const SimulationView view = ReadSimulationView(plan_, run.output, run.seconds);
  if (!view.error.empty()) {
    figures_->setText(QString::fromStdString(view.error));
    return;
  }
  QString text;
  for (const std::string& line : view.figures) text += QString::fromStdString(line) + "\n";
  figures_->setText(text.trimmed());
  auto* simulated = new QLineSeries;
  simulated->setName("Simulated (ngspice)");
  auto* predicted = new QLineSeries;
  predicted->setName("Predicted from the curve");
  for (std::size_t k = 0; k < view.t_us.size(); ++k) {
    simulated->append(view.t_us[k], view.simulated_a[k]);
    predicted->append(view.t_us[k], view.predicted_a[k]);
  }
  auto* chart = new QChart;
  chart->setTitle("Inductor current over the last switching periods");
  chart->addSeries(simulated);
  chart->addSeries(predicted);
  auto* x = new QValueAxis;
  x->setTitleText("Time (\u00b5s)");
  auto* y = new QValueAxis;
  y->setTitleText("Current (A)");
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  for (QLineSeries* s : {simulated, predicted}) {
    s->attachAxis(x);
    s->attachAxis(y);
  }
  if (!view.t_us.empty()) {
    x->setRange(view.t_us.front(), view.t_us.back());
    const auto [low, high] = std::minmax_element(view.simulated_a.begin(), view.simulated_a.end());
    const double margin = 0.1 * (*high - *low) + 1e-9;
    y->setRange(*low - margin, *high + margin);
  }
  auto* chart_view = new QChartView(chart);
  chart_view->setObjectName("waveform");
  chart_view->setMinimumSize(560, 320);
  static_cast<QVBoxLayout*>(layout())->insertWidget(1, chart_view);
}

}  // namespace tov::qt

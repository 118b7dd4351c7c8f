// Tools > Converter...: the dialog opens with the texts it was last left
// with; OK puts the converter's figures into the design inputs. Tools >
// Simulate Converter runs the choke shown in that converter.

#include <QMessageBox>

#include "io/ngspice_run.h"
#include "ui/logic/converter_simulation.h"
#include "ui/qt/converter_dialog.h"
#include "ui/qt/main_window.h"
#include "ui/qt/simulation_window.h"

namespace tov::qt {

void MainWindow::OpenConverter() {
  ConverterDialog dialog(converter_form_, this);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  converter_form_ = dialog.Texts();
  if (!accepted) return;
  const ConverterFormResult& result = dialog.Result();
  CopyInputsToModel();
  FillDesignInputs(frm_.Model(), *result.request, *result.design);
  Refresh();
}

void MainWindow::SimulateConverter() {
  const char* title = "Simulate Converter";
  if (!NgspiceInstalled()) {
    QMessageBox::information(this, title,
                             "The simulation needs ngspice, which is not installed.\n"
                             "On Debian: sudo apt install ngspice");
    return;
  }
  const ConverterFormResult converter = ReadConverterForm(converter_form_);
  if (!converter.design) {
    QMessageBox::information(
        this, title,
        QString::fromStdString("Tools > Converter... describes no converter: " + converter.error));
    return;
  }
  if (!frm_.ShownDesign()) {
    QMessageBox::information(this, title, "No design is shown: calculate the choke first.");
    return;
  }
  std::string error;
  std::optional<SimulationPlan> plan =
      PlanSimulation(*frm_.ShownDesign(), *converter.request, *converter.design, error);
  if (!plan) {
    QMessageBox::information(this, title, QString::fromStdString(error));
    return;
  }
  simulation_window_ = new SimulationWindow(std::move(*plan), this);
  simulation_window_->setAttribute(Qt::WA_DeleteOnClose);
  simulation_window_->show();
}

}  // namespace tov::qt

// Tools > Converter...: the dialog opens with the texts it was last left
// with; OK puts the converter's figures into the design inputs.

#include "ui/qt/converter_dialog.h"
#include "ui/qt/main_window.h"

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

}  // namespace tov::qt

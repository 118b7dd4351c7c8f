#pragma once
// Tools > Converter...: the converter's fields, its figures as they are
// typed, and OK, which fills the design inputs. A modal dialog of the main
// window; the texts it was opened with come back when it is reopened.

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

#include "ui/logic/converter_form.h"

namespace tov::qt {

class ConverterDialog : public QDialog {
  Q_OBJECT
 public:
  ConverterDialog(const ConverterFormTexts& texts, QWidget* parent = nullptr);

  // The fields as they are now.
  ConverterFormTexts Texts() const;
  // The converter of the fields when OK closed the dialog.
  const ConverterFormResult& Result() const { return result_; }

 protected:
  void accept() override;

 private:
  void Update();

  QComboBox* topology_ = nullptr;
  QLineEdit *vin_ = nullptr, *vac_ = nullptr, *vout_ = nullptr, *iout_ = nullptr, *pout_ = nullptr,
            *fline_ = nullptr, *fsw_ = nullptr, *ripple_percent_ = nullptr, *inductance_ = nullptr,
            *efficiency_ = nullptr;
  QLabel* figures_ = nullptr;
  ConverterFormResult result_;
};

}  // namespace tov::qt

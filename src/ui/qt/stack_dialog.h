#pragma once
// frmStack, "Stacking Cores": five option buttons for the number of stacked
// toroids and OK, Apply, Cancel. A dialog window of the main window (its
// transient parent) without minimise or maximise buttons and without default
// or cancel button; closing it through its frame or with Esc is Cancel, and
// Enter presses the button that has the focus. It only reports
// clicks: the window logic decides and the main window mirrors the result
// back with Mirror().

#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <array>
#include <cstdint>

namespace tov::qt {

class StackDialog : public QWidget {
  Q_OBJECT
 public:
  explicit StackDialog(QWidget* parent = nullptr);

  // Shows `count` (1..5) selected; any other count selects nothing.
  void Mirror(int16_t count);

 signals:
  void optStackClicked(int16_t count);
  void cmdOKClicked();
  void cmdApplyClicked();
  void cmdCancelClicked();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::array<QRadioButton*, 5> options_{};
};

}  // namespace tov::qt

#pragma once
// frmTov, the main window of the desktop program. It holds no behaviour of its
// own: every event copies the seven input texts into the window model, runs
// the matching handler of DesignController and then mirrors the whole model back into
// the widgets (texts, captions, check marks, material, colours, core list,
// enabled state, the stack dialog, the "Compare Cores" window, the status bar
// and the title).
//
// Around that it behaves as a desktop window: Enter presses Calculate, the
// content scrolls on a screen too small for it, a dropped design file opens,
// and File > Recent Designs lists the design files last opened or saved.

#include <QButtonGroup>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <array>
#include <string>
#include <vector>

#include "state/message_titles.h"
#include "ui/logic/converter_form.h"
#include "ui/logic/design_controller.h"
#include "ui/logic/window_fields.h"
#include "ui/logic/window_model.h"
#include "ui/qt/compare_window.h"
#include "ui/qt/curves_window.h"
#include "ui/qt/main_menus.h"
#include "ui/qt/part_view.h"
#include "ui/qt/stack_dialog.h"

namespace tov::qt {

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(DesignController& frm, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Shows the window model: every widget is set from it.
  void Refresh();

  // The open stack dialog, or null.
  StackDialog* Stack() const { return stack_dialog_; }
  // The Curves window once it has been opened, else null.
  CurvesWindow* Curves() const { return curves_; }
  PartWindow* Part() const { return part_; }
  // The "Compare Cores" window once it has been opened, else null.
  CompareWindow* Compare() const { return compare_window_; }
  QDialog* Simulation() const { return simulation_window_; }

  // Opens a design file as File > Open does once the file is chosen (the
  // command line, a dropped file, a recent design). Returns whether it opened.
  bool OpenDesignFile(const QString& path);
  // How opening another design file ended.
  enum class Opening { Opened, Failed, Kept };
  // Opens a design file in place of the one shown (a recent design, a
  // dropped file): first asks about unsaved edits, which may keep the design
  // shown.
  Opening OpenOtherDesignFile(const QString& path);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A text field bound to its text box in the window model.
  struct Field {
    QLineEdit* edit;
    TextBox WindowModel::*box;
  };
  // A label whose caption the window logic changes.
  struct LiveCaption {
    QLabel* label;
    std::string WindowModel::*caption;
  };

  QWidget* BuildInputsFrame();
  QWidget* BuildMaterialFrame();
  QWidget* BuildCoreDataFrame();
  QWidget* BuildOutputsFrame();
  // Adds a label and a read-only field per row to the frame's grid; returns the rows added.
  int AddOutputRows(QGroupBox* frame, QGridLayout* grid, OutputFrame which);
  QLayout* BuildButtonRow();
  void BuildCoreList();
  void BuildStatusBar();
  // The size that shows every field without scrolling, within the screen.
  QSize StartingSize() const;
  void ConnectEvents();
  void SetTabOrder();

  // Runs one handler of the window logic between copying the inputs into the
  // model and mirroring the model back. Events are ignored while the model
  // says the window is disabled.
  template <class Handler>
  void Forward(Handler handler);
  template <class Handler>
  void ForwardFromStackDialog(Handler handler);
  void CopyInputsToModel();

  void MirrorFields();
  void MirrorCoreList();
  void MirrorStackDialog();
  void MirrorStatus();
  void MirrorDesignFile();
  void FillRecentMenu();
  void MaterialClicked(Material material);
  void CoreListPicked(int row);
  void InputEdited();
  // Takes a drag or drop that carries one design file; ignores any other.
  void HandleDesignDrag(QDropEvent* event);
  void ShowCompareWindow();
  void OpenConverter();
  void SimulateConverter();
  // View > Curves and File > Export PDF (main_window_curves.cpp).
  void OpenCurves();
  void OpenPart();
  void ExportPdf();
  void MirrorDesignViews();

  DesignController& frm_;
  MainMenus menus_;
  QScrollArea* scroll_ = nullptr;
  QWidget* content_ = nullptr;  // everything below the menu bar, in the scroll area
  QLabel* status_notes_ = nullptr;
  QLabel* status_settings_ = nullptr;
  std::string shown_design_file_;  // the file last added to the recent designs
  std::vector<Field> inputs_;
  std::vector<Field> outputs_;
  std::vector<LiveCaption> captions_;
  std::array<QRadioButton*, 4> materials_{};  // in the order of kMaterials
  QPushButton* cmdSelCore_ = nullptr;
  QPushButton* cmdCalculate_ = nullptr;
  QPushButton* cmdPrint_ = nullptr;
  QPushButton* cmdExit_ = nullptr;
  QListWidget* lstCores_ = nullptr;
  std::vector<std::string> shown_core_lines_;
  QPointer<StackDialog> stack_dialog_;
  QPointer<CompareWindow> compare_window_;
  ConverterFormTexts converter_form_;  // Tools > Converter... as last left
  QPointer<QDialog> simulation_window_;
  QPointer<CurvesWindow> curves_;
  QPointer<PartWindow> part_;
};

}  // namespace tov::qt

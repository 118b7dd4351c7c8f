#pragma once
// The desktop's side of UserInterface: Qt message and input boxes, file
// dialogs, the default printer (with a PDF file as the way out when there is
// no printer) and the help window.

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

#include "ui/logic/user_interface.h"
#include "ui/qt/help_window.h"

namespace tov::qt {

class QtUserInterface : public UserInterface {
 public:
  // `help_dir` holds the help pages.
  explicit QtUserInterface(QString help_dir);
  ~QtUserInterface() override;

  // The window the boxes and dialogs belong to while it takes input.
  void SetMainWindow(QWidget* window) { main_window_ = window; }

  void ShowMessage(std::string_view title, std::string_view text) override;
  std::string AskInput(std::string_view prompt, std::string_view title,
                       std::string_view default_answer) override;
  UnsavedEditsAnswer AskAboutUnsavedEdits(std::string_view title, std::string_view text) override;
  std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
  // Prints on the default printer. When there is none, or it fails, the user
  // is told so and may save the report as a PDF file instead.
  void PrintReport(const ReportDocument& report) override;
  void ShowHelp(HelpRequest request) override;

  // The help window once it has been opened, else null.
  HelpWindow* Help() const { return help_.get(); }

 protected:
  // Sends the report to the system's default printer. False, with the reason
  // for the user in `problem`, when there is no default printer or it fails.
  virtual bool PrintOnDefaultPrinter(const ReportDocument& report, QString& problem);
  // A Yes/No question box; true for Yes.
  virtual bool AskYesNo(const QString& title, const QString& text);

 private:
  QWidget* DialogParent() const;

  QString help_dir_;
  QPointer<QWidget> main_window_;
  std::unique_ptr<HelpWindow> help_;
};

// A program text shown in a box: each "\r" becomes a line break, and a
// telephone number is kept on one line.
QString BoxText(std::string_view text);

// The box text as HTML when it holds two or more lines in a row of the form
// "Label:  value": those are lined up in a table of labels and values (blanks
// cannot line them up in a proportional font). Empty when there are none.
QString BoxRichText(std::string_view text);

}  // namespace tov::qt

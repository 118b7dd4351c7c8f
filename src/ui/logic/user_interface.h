#pragma once
// Everything the program asks of the user or the desktop goes through this
// interface: message and input boxes, file dialogs, the printer and help.
// The desktop program implements it with Qt; tests script it.

#include <optional>
#include <string>
#include <string_view>

#include "io/report_lines.h"
#include "state/message_text.h"

namespace tov {

struct FileDialogRequest {
  // Pairs of description and pattern separated by "|".
  std::string filter = "All Files (*.*)|*.*|DC Inductor Files (*.tov)|*.tov";
  int filter_index = 2;            // 1-based filter selected first
  std::string default_extension;   // appended to a typed name without extension (".tov")
  bool confirm_overwrite = false;  // ask before an existing file is replaced
  std::string title;               // the dialog's title; empty: "Open Design" or "Save As"
};

enum class HelpRequest { Contents, Index };

// The answer to the question asked before unsaved edits would be dropped.
enum class UnsavedEditsAnswer { Save, Discard, Cancel };

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // Modal box with a title, the text and one OK button, no icon.
  virtual void ShowMessage(std::string_view title, std::string_view text) = 0;

  // Modal input box; returns the answer, the empty text when cancelled.
  virtual std::string AskInput(std::string_view prompt, std::string_view title,
                               std::string_view default_answer) = 0;

  // Modal box with a title, the text and the buttons Save, Discard and
  // Cancel (closing the box is Cancel), no icon.
  virtual UnsavedEditsAnswer AskAboutUnsavedEdits(std::string_view title,
                                                  std::string_view text) = 0;

  // File dialogs: the chosen path, or nullopt when the user cancelled.
  virtual std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) = 0;

  // Sends the report to the default printer (or offers another way out when
  // there is none); the design shown is never changed by it.
  virtual void PrintReport(const ReportDocument& report) = 0;

  // Shows the program's help at its contents or its keyword index.
  virtual void ShowHelp(HelpRequest request) = 0;
};

}  // namespace tov

#pragma once
// The user of a command-line run: records every message box, echoes it to
// standard error on request, and cannot answer anything.

#include <stdexcept>
#include <string>
#include <vector>

#include "ui/logic/user_interface.h"

namespace tov::tovcalc {

struct RecordedMessage {
  std::string title;
  std::string text;  // line breaks as "\r", as the window shows them
};

// Thrown when a run asks for an input that no one can give. The inputs are
// checked before any design runs, so this ends a run only on a fault; it can
// never make a re-prompt loop spin.
struct InputDemanded : std::runtime_error {
  InputDemanded(std::string prompt_text, std::string title_text)
      : std::runtime_error(title_text + ": " + prompt_text),
        prompt(std::move(prompt_text)),
        title(std::move(title_text)) {}
  std::string prompt;
  std::string title;
};

// "Title: text" with each "\r" shown as a line break.
std::string MessageLine(const std::string& title, const std::string& text);

class RecordingUi : public UserInterface {
 public:
  explicit RecordingUi(bool echo_to_stderr) : echo_(echo_to_stderr) {}

  const std::vector<RecordedMessage>& Messages() const { return messages_; }
  // Forgets the messages, for the next request of a batch.
  void Clear() { messages_.clear(); }

  void ShowMessage(std::string_view title, std::string_view text) override;
  std::string AskInput(std::string_view prompt, std::string_view title,
                       std::string_view default_answer) override;
  UnsavedEditsAnswer AskAboutUnsavedEdits(std::string_view title, std::string_view text) override;
  std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
  void PrintReport(const ReportDocument& report) override;
  void ShowHelp(HelpRequest request) override;

 private:
  bool echo_;
  std::vector<RecordedMessage> messages_;
};

}  // namespace tov::tovcalc

#include "app/tovcalc/recording_ui.h"

#include <cstdio>

namespace tov::tovcalc {

std::string MessageLine(const std::string& title, const std::string& text) {
  std::string line = title + ": " + text;
  for (char& c : line) {
    if (c == kLineBreak) c = '\n';
  }
  return line;
}

void RecordingUi::ShowMessage(std::string_view title, std::string_view text) {
  messages_.push_back({std::string(title), std::string(text)});
  if (echo_) {
    const std::string line = MessageLine(messages_.back().title, messages_.back().text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
  }
}

std::string RecordingUi::AskInput(std::string_view prompt, std::string_view title,
                                  std::string_view) {
  throw InputDemanded(std::string(prompt), std::string(title));
}

// A command-line run keeps no edits between its requests: nothing is lost.
UnsavedEditsAnswer RecordingUi::AskAboutUnsavedEdits(std::string_view, std::string_view) {
  return UnsavedEditsAnswer::Discard;
}

// A command-line run opens no dialogs, prints nothing and shows no help: the
// front end reads and writes its files itself.
std::optional<std::string> RecordingUi::ChooseOpenFile(const FileDialogRequest&) {
  return std::nullopt;
}
std::optional<std::string> RecordingUi::ChooseSaveFile(const FileDialogRequest&) {
  return std::nullopt;
}
void RecordingUi::PrintReport(const ReportDocument&) {}
void RecordingUi::ShowHelp(HelpRequest) {}

}  // namespace tov::tovcalc

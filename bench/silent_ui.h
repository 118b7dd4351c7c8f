#pragma once
// A user for benchmarks who closes every box at once and takes every answer
// an input box offers.

#include <optional>
#include <string>
#include <string_view>

#include "ui/logic/user_interface.h"

namespace tov {

class SilentUi : public UserInterface {
 public:
  void ShowMessage(std::string_view, std::string_view) override {}
  std::string AskInput(std::string_view, std::string_view, std::string_view answer) override {
    return std::string(answer);
  }
  UnsavedEditsAnswer AskAboutUnsavedEdits(std::string_view, std::string_view) override {
    return UnsavedEditsAnswer::Discard;
  }
  std::optional<std::string> ChooseOpenFile(const FileDialogRequest&) override { return {}; }
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest&) override { return {}; }
  void PrintReport(const ReportDocument&) override {}
  void ShowHelp(HelpRequest) override {}
};

}  // namespace tov

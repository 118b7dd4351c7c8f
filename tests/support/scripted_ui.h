#pragma once
// A scripted user for tests: records every box the program shows and answers
// input boxes and file dialogs from queues. An unanswered input box fails the
// test and stops the operation, so a re-prompt loop can never hang a test.

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/logic/user_interface.h"

namespace tov::testing {

struct ShownMessage {
  std::string title, text;
  friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

struct AskedInput {
  std::string prompt, title, default_answer;
  friend bool operator==(const AskedInput&, const AskedInput&) = default;
};

// Thrown when the program asks for more answers than the test scripted.
struct ScriptExhausted : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class ScriptedUi : public UserInterface {
 public:
  // Answers given to input boxes, in order.
  std::deque<std::string> answers;
  // Paths chosen in file dialogs, in order; nullopt stands for Cancel.
  std::deque<std::optional<std::string>> open_paths, save_paths;
  // Answers to the question before unsaved edits are dropped, in order.
  std::deque<UnsavedEditsAnswer> unsaved_edits_answers;

  std::vector<ShownMessage> messages;
  std::vector<AskedInput> inputs;
  std::vector<ShownMessage> unsaved_edits_questions;
  std::vector<FileDialogRequest> open_requests, save_requests;
  std::vector<ReportDocument> printed;
  std::vector<HelpRequest> help;

  void ShowMessage(std::string_view title, std::string_view text) override {
    messages.push_back({std::string(title), std::string(text)});
  }
  std::string AskInput(std::string_view prompt, std::string_view title,
                       std::string_view default_answer) override {
    inputs.push_back({std::string(prompt), std::string(title), std::string(default_answer)});
    return Pop(answers, "input box: " + std::string(title) + ": " + std::string(prompt));
  }
  UnsavedEditsAnswer AskAboutUnsavedEdits(std::string_view title, std::string_view text) override {
    unsaved_edits_questions.push_back({std::string(title), std::string(text)});
    return Pop(unsaved_edits_answers, "unsaved edits question: " + std::string(text));
  }
  std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override {
    open_requests.push_back(request);
    return Pop(open_paths, "open dialog");
  }
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override {
    save_requests.push_back(request);
    return Pop(save_paths, "save dialog");
  }
  void PrintReport(const ReportDocument& report) override { printed.push_back(report); }
  void ShowHelp(HelpRequest request) override { help.push_back(request); }

  std::vector<std::string> MessageTitles() const {
    std::vector<std::string> titles;
    for (const auto& m : messages) titles.push_back(m.title);
    return titles;
  }

 private:
  template <typename T>
  static T Pop(std::deque<T>& queue, const std::string& what) {
    if (queue.empty()) {
      ADD_FAILURE() << "unexpected " << what;
      throw ScriptExhausted(what);
    }
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
  }
};

}  // namespace tov::testing

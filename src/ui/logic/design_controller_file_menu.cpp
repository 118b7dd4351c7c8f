// File menu of the main window: New Design, Open Design, Save Design, Save
// Design As and Print, the Print button, and the question before unsaved
// edits are dropped.

#include <optional>
#include <string>

#include "io/atomic_save.h"
#include "io/design_file.h"
#include "io/design_file_load.h"
#include "state/message_titles.h"
#include "ui/logic/apply_design_file.h"
#include "ui/logic/design_controller.h"
#include "ui/logic/report.h"

namespace tov {
namespace {

// `why`: the line that says what is wrong with it.
std::string NotReadableText(const std::string& path, const std::string& why) {
  return "The file\r" + path + "\ris not a readable design file.\r" + why +
         "\r\rThe design shown has not been changed.";
}

std::string NotSavedText(const std::string& path, const std::string& reason) {
  return "The design could not be saved as\r" + path + "\r\r" + reason +
         "\rAn existing file of that name has not been changed.";
}

// loading_design is 1 while a design file is being opened and 0 again however
// the opening ends.
// `path`: the design file, empty before there is one.
std::string UnsavedEditsText(const std::string& path) {
  if (path.empty()) return "The design has not been saved.\r\rSave it first?";
  return "The design has been changed since it was saved as\r" + path +
         "\r\rSave the changes first?";
}

// The inputs and options a record stands for, written as the window writes
// them: the check marks as 0 or 1, and no core row for an automatic design,
// which searches afresh when it is opened.
// The inputs and options of the window as the program starts.
DesignFileRecord StartupRecord() {
  WindowModel window;
  ApplyStartupDefaults(window);
  return RecordFromWindow(window);
}

DesignFileRecord Meaning(DesignFileRecord record) {
  record.design_mode = record.design_mode != 0 ? 1 : 0;
  if (record.design_mode == 0) record.core_row = 0;
  record.FullLoadLMax = record.FullLoadLMax == 1 ? 1 : 0;
  record.SingleLayer = record.SingleLayer == 1 ? 1 : 0;
  return record;
}

class LoadingDesignGuard {
 public:
  explicit LoadingDesignGuard(DesignState& state) : state_(state) { state_.loading_design = true; }
  ~LoadingDesignGuard() { state_.loading_design = false; }
  LoadingDesignGuard(const LoadingDesignGuard&) = delete;
  LoadingDesignGuard& operator=(const LoadingDesignGuard&) = delete;

 private:
  DesignState& state_;
};

}  // namespace

DesignController::DesignController(const CoreTable& cores, UserInterface& ui)
    : cores_(cores), ui_(ui), saved_record_(StartupRecord()) {}

bool DesignController::HasUnsavedEdits() const {
  return Meaning(RecordFromWindow(window_)) != Meaning(saved_record_);
}

bool DesignController::MayDropUnsavedEdits(const char* title) {
  if (!HasUnsavedEdits()) return true;
  switch (ui_.AskAboutUnsavedEdits(title, UnsavedEditsText(window_.design_file))) {
    case UnsavedEditsAnswer::Save:
      SaveDesign();
      return !HasUnsavedEdits();
    case UnsavedEditsAnswer::Discard:
      return true;
    case UnsavedEditsAnswer::Cancel:
      break;
  }
  return false;
}

void DesignController::NewDesign() {
  if (!MayDropUnsavedEdits(kNewDesignTitle)) return;
  window_ = WindowModel{};
  ApplyStartupDefaults(window_);
  shown_design_.reset();
  checked_.reset();
  shown_request_ = DesignRequest{};
  shown_ceiling_ = NoLoadCeiling::On;
  ceiling_cleared_by_pick_ = false;
  shows_too_large_ = false;
  saved_record_ = StartupRecord();
}

void DesignController::ChooseAndOpenDesign() {
  if (!MayDropUnsavedEdits(kOpenDesignTitle)) return;
  LoadingDesignGuard loading(window_.state);
  const std::optional<std::string> path = ui_.ChooseOpenFile(FileDialogRequest{});
  if (path) OpenDesign(*path);
}

bool DesignController::OpenDesign(const std::string& path) {
  LoadingDesignGuard loading(window_.state);
  // All or nothing: the whole file is read and checked before the window changes.
  const DesignFileRead read = LoadDesignFile(path);
  const std::optional<DesignFileRecord>& record = read.record;
  if (!record) {
    ui_.ShowMessage(kOpenDesignTitle, NotReadableText(path, read.error));
    return false;
  }
  if (!DesignFileFits(*record, window_.material)) {
    ui_.ShowMessage(kOpenDesignTitle,
                    NotReadableText(path, "Its core (row " + std::to_string(record->core_row) +
                                              ") is not a core of the material it names."));
    return false;
  }
  ApplyDesignFile(*this, *record);
  ceiling_cleared_by_pick_ = false;
  window_.design_file = path;
  saved_record_ = *record;
  if (record->design_mode != 0) {
    DesignSelectedCore(record->core_row);
  } else {
    Calculate();
  }
  return true;
}

void DesignController::SaveDesignAs() {
  FileDialogRequest request;
  request.default_extension = ".tov";
  request.confirm_overwrite = true;
  const std::optional<std::string> path = ui_.ChooseSaveFile(request);
  if (path && WriteDesignTo(*path)) window_.design_file = *path;
}

void DesignController::SaveDesign() {
  if (window_.design_file.empty()) {
    SaveDesignAs();
  } else {
    WriteDesignTo(window_.design_file);
  }
}

bool DesignController::WriteDesignTo(const std::string& path) {
  const DesignFileRecord record = RecordFromWindow(window_);
  const std::string failure = AtomicSave(path, WriteDesignFile(record));
  if (!failure.empty()) {
    ui_.ShowMessage(kSaveDesignTitle, NotSavedText(path, failure));
    return false;
  }
  saved_record_ = record;
  return true;
}

void DesignController::Print() {
  ui_.PrintReport(BuildReport(window_));
}

}  // namespace tov

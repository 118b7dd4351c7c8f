// File menu of the main window: Open Design, Save Design As and Print, and
// the Print button.

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

void DesignController::ChooseAndOpenDesign() {
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
  if (!path) return;

  const std::string failure = AtomicSave(*path, WriteDesignFile(RecordFromWindow(window_)));
  if (!failure.empty()) {
    ui_.ShowMessage(kSaveDesignTitle, NotSavedText(*path, failure));
    return;
  }
  window_.design_file = *path;
}

void DesignController::Print() {
  ui_.PrintReport(BuildReport(window_));
}

}  // namespace tov

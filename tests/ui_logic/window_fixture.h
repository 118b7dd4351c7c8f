#pragma once
// The window logic as the tests set it up: a small core table, and a window
// with the start-up inputs and a scripted user.

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "state/file_bytes.h"
#include "support/core_fixture.h"
#include "support/random_designs.h"
#include "support/scripted_ui.h"
#include "ui/logic/design_controller.h"

namespace tov::testing {

// Velmax toroids AL 75 at row 395 (over the no-load ceiling of the start-up
// inputs, fine without it) and AL 135 at row 396; every other section holds a
// core in its first and last row, the E-core section in all of them.
inline CoreTable SmallWindowTable() {
  CoreTable table = EmptyCoreTable();
  PutCore(table, 395, VelmaxAL75());
  for (int row : {1, 250, 252, 393, 396, 520}) PutCore(table, row, {});
  for (int row = 522; row <= 551; ++row) PutCore(table, row, VelmaxECore());
  return table;
}

// A window with the start-up inputs over `cores` (which must outlive it).
struct StartUpWindow {
  explicit StartUpWindow(const CoreTable& cores = ShippedCores()) : form(cores, ui) {
    ApplyStartupDefaults(form.Model());
  }
  WindowModel& Model() { return form.Model(); }

  ScriptedUi ui;
  DesignController form;
};

// A folder of the test's own, removed with all it holds.
struct TempFolder {
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tov_test_XXXXXX").string();
    path = mkdtemp(pattern.data());
  }
  ~TempFolder() { std::filesystem::remove_all(path); }
  std::string Path(const std::string& name) const { return (path / name).string(); }
  // The bytes of the file `name`; empty when there is none.
  std::string Bytes(const std::string& name) const {
    return ReadFileBytes(path / name, 1 << 20).value_or("");
  }

  std::filesystem::path path;
};

}  // namespace tov::testing

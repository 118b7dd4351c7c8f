#pragma once
// One request designed on the loaded core table, as the window would design
// it: the settings applied to the window's logic and the design computed.
// A single run prints the outcome; a batch runs request after request.

#include <optional>
#include <string>

#include "app/tovcalc/command_line.h"
#include "app/tovcalc/recording_ui.h"
#include "io/design_file.h"
#include "state/core_table.h"
#include "ui/logic/design_controller.h"

namespace tov::tovcalc {

// The core-table row named by `core` ("ROW" 1-based, or the full part number:
// PartNo and PartSuffix for toroids, PartNo for E-cores, case ignored) among
// the cores of `material`. nullopt with `error` set when it names none of them.
std::optional<int16_t> ResolveCore(const CoreTable& cores, Material material,
                                   const std::string& core, std::string& error);

// How a request ended.
struct RunOutcome {
  int status = kDesignShown;  // kDesignShown, kTooLarge or kUsageError
  std::string error;          // why it was refused; empty otherwise
};

class Designer {
 public:
  // `design_file`: the record every request starts from, or null.
  Designer(const CoreTable& cores, const DesignFileRecord* design_file, bool echo_messages)
      : cores_(cores), design_file_(design_file), ui_(echo_messages) {}

  // Starts the window afresh and applies the settings: the start-up
  // defaults, the design file, the options. With `list` set it stops there;
  // otherwise it refuses inputs the window would ask for again and, unless
  // `candidates` is set (the comparison takes the window's request), runs
  // the design the settings choose.
  RunOutcome Run(const Settings& settings);

  DesignController& Form() { return *form_; }
  const RecordingUi& Ui() const { return ui_; }

 private:
  const CoreTable& cores_;
  const DesignFileRecord* design_file_;
  RecordingUi ui_;
  std::optional<DesignController> form_;
};

// The exit status of a run that ended with `status`: with --strict, a design
// shown that fails a requirement check turns kDesignShown into
// kRequirementFailed.
int StrictStatus(const Settings& settings, const DesignController& form, int status);

// Writes a "Note: " line to standard error for every failed requirement
// check of the design shown, in the checks' order.
void WriteCheckNotes(const DesignController& form);

}  // namespace tov::tovcalc

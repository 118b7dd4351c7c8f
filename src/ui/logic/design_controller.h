#pragma once
// The main window's behaviour without any toolkit: one handler per event of
// the window, working on the window model and talking to the user through
// UserInterface. The desktop window forwards its events here and mirrors the
// model; tests drive the same handlers with a scripted user.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engines/design_request.h"
#include "engines/design_result.h"
#include "engines/notice.h"
#include "engines/requirement_checks.h"
#include "engines/worst_case.h"
#include "io/design_file.h"
#include "state/core_table.h"
#include "ui/logic/user_interface.h"
#include "ui/logic/window_model.h"

namespace tov {

// The stack dialog "Stacking Cores" while it is open.
struct StackDialogModel {
  int16_t selected = 1;  // optStack1..optStack5; "One" when the count has no option
};

class DesignController {
 public:
  DesignController(const CoreTable& cores, UserInterface& ui);

  WindowModel& Model() { return window_; }
  const WindowModel& Model() const { return window_; }
  const CoreTable& Cores() const { return cores_; }
  // The user the window talks to, for the windows beside it.
  UserInterface& User() const { return ui_; }

  // The design on screen as numbers, kept for curves, comparisons and
  // exports: nullopt before the first design and while "Too Large" is shown.
  const std::optional<DesignResult>& ShownDesign() const { return shown_design_; }
  // The worst case of the design shown at the AL tolerance in force
  // (Options > AL Tolerance); nullopt without a design.
  std::optional<WorstCase> ShownWorstCase() const;
  // The design shown held against the request it was made from, in the
  // order of kCheckTable; empty without a design. Valid until the next
  // design or AL tolerance.
  const std::vector<RequirementCheck>& Checks() const;
  // The request the design shown was made from (the inputs as validated then).
  const DesignRequest& ShownRequest() const { return shown_request_; }
  // The SPICE model of the design shown as netlist text; nullopt without a
  // design or when it has no inductance to model.
  std::optional<std::string> SpiceModelText() const;
  // Whether the window shows the "Too Large" result of a search.
  bool ShowsTooLarge() const { return shows_too_large_; }
  // The design file last opened or saved, its path as chosen; empty before.
  const std::string& DesignFile() const { return window_.design_file; }

  // Start-up after the core table is loaded: the disclaimer box, then the
  // start-up defaults. No design is computed.
  void Startup();

  // Buttons.
  // Calculate: validates the inputs and runs the automatic core selection.
  void Calculate();
  // The selected-core design on `row` (core_row): validates the inputs,
  // designs on that core, tells the user of every compromise and presents
  // the result. A row outside the table designs nothing. Ends with
  // loading_design = 0 in every case.
  void DesignSelectedCore(int16_t row);
  void ShowCoreList();
  // The Print button and File > Print: the one-page report to the printer.
  void Print();

  // A line of the visible core list was picked (0-based position): designs
  // that core and hides the list. Nothing happens while the list is hidden
  // or for a position outside it.
  void PickListedCore(int position);

  // A line of the "Compare Cores" table was double-clicked: designs that
  // core of `material` on `stack_count` cores exactly as a pick from the core
  // list does, after switching material (captions only, no design of its
  // own) and stack count where they differ. Nothing happens for a row that
  // is no core of the material or a stack count outside 1..5.
  void DesignComparedCore(Material material, int16_t stack_count, int16_t row);

  // A material option button was chosen: the material's captions, then a
  // new design unless the core list is shown (it is refilled) or a design
  // file is opening.
  void SelectMaterial(Material material);

  // The user edited one of the seven input fields: the design shown, if
  // any, no longer matches the inputs until the next design.
  void InputEdited();

  // File menu.
  // File > New Design: after asking about unsaved edits, the window as the
  // program starts it (start-up inputs, material and options, inches, no
  // design, no design file).
  void NewDesign();
  // Asks about unsaved edits, then for a design file, and opens it.
  void ChooseAndOpenDesign();
  // Opens the design file at `path` as File > Open does once a file is
  // chosen (the command line, a dropped file, a recent design). Returns
  // whether the file was read and its design run.
  bool OpenDesign(const std::string& path);
  void SaveDesignAs();
  // File > Save Design: writes the design file the design was opened from or
  // last saved as; Save Design As while there is none.
  void SaveDesign();
  // Whether the inputs, material or options differ from the design file (from
  // the start-up state while there is none). Units and results do not count.
  bool HasUnsavedEdits() const;
  // Before something drops unsaved edits: asks whether to save them, under
  // `title`. Returns whether the caller may go on: there were none, they were
  // saved, or the user let them go.
  bool MayDropUnsavedEdits(const char* title);
  // Asks for a .cir or .lib file and writes the SPICE model of the design
  // shown there (nothing without a design); a failure is told in a box.
  void ExportSpiceModel();

  // Options menu.
  void AskAmbientTemperature();
  void OpenStackDialog();  // opens the stack dialog and disables the window
  void ToggleFullLoadLMaximum();
  // Asks for the AL tolerance of the worst case, -99 to 0 %.
  void AskAlTolerance();
  void ToggleSingleLayer();
  void ShowInches();
  void ShowMillimetres();

  // Stack dialog: open between OpenStackDialog and OK, Cancel or closing it.
  const std::optional<StackDialogModel>& StackDialog() const { return stack_dialog_; }
  void ChooseStackCount(int16_t count);  // 1..5
  void ApplyStack();
  void AcceptStack();
  void CancelStack();  // also closing the dialog through its frame

  // Help menu.
  void ShowHelpContents();
  void ShowHelpIndex();
  void ShowAbout();
  void ShowContact();

  // The request of a run from the window's texts, material and options.
  DesignRequest Request() const;

 private:
  void MaterialChanged();
  void UnitsSwitch(bool metric);
  void RerunLastDesign();
  void ShowNotices(const Notices& notices);
  // The design shown no longer matches the inputs and settings.
  void MarkDesignStale();
  // Puts the reason of every failed check on the output field it concerns.
  void MarkFailedChecks();
  // The worst case and the checks of the design shown at the AL tolerance in
  // force, worked out once for each design and tolerance.
  struct CheckedDesign {
    float al_tolerance_percent;
    WorstCase worst;
    std::vector<RequirementCheck> checks;
  };
  const CheckedDesign& Checked() const;
  // Writes the window's design file record to `path`; false after telling the
  // user why it could not.
  bool WriteDesignTo(const std::string& path);

  WindowModel window_;
  const CoreTable& cores_;
  UserInterface& ui_;
  std::optional<StackDialogModel> stack_dialog_;
  std::optional<DesignResult> shown_design_;
  DesignRequest shown_request_;
  NoLoadCeiling shown_ceiling_ = NoLoadCeiling::On;
  // Full Load L Maximum was cleared by a core pick and not set again since.
  bool ceiling_cleared_by_pick_ = false;
  bool shows_too_large_ = false;
  // Of the design shown; reset whenever another is shown.
  mutable std::optional<CheckedDesign> checked_;
  // The inputs and options as the design file holds them.
  DesignFileRecord saved_record_;
};

}  // namespace tov

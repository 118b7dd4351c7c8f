#pragma once
// The main window's behaviour without any toolkit: one handler per event of
// the window, working on the window model and talking to the user through
// UserInterface. The desktop window forwards its events here and mirrors the
// model; tests drive the same handlers with a scripted user.

#include <cstdint>
#include <optional>
#include <string>

#include "engines/design_request.h"
#include "engines/design_result.h"
#include "engines/notice.h"
#include "engines/worst_case.h"
#include "state/core_table.h"
#include "state/window_model.h"
#include "ui/logic/user_interface.h"

namespace tov {

// The stack dialog "Stacking Cores" while it is open.
struct StackDialogModel {
  int16_t selected = 1;  // optStack1..optStack5; "One" when the count has no option
};

class FrmTov {
 public:
  FrmTov(const CoreTable& cores, UserInterface& ui) : cores_(cores), ui_(ui) {}

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
  void cmdCalculate_Click();
  // The selected-core design on `row` (CoreIdx): validates the inputs,
  // designs on that core, tells the user of every compromise and presents
  // the result. A row outside the table designs nothing. Ends with
  // LoadingDesign = 0 in every case.
  void DesignSelectedCore(int16_t row);
  void cmdSelCore_Click();
  void cmdPrint_Click();  // the same as File > Print

  // A line of the visible core list was picked (0-based position): designs
  // that core and hides the list. Nothing happens while the list is hidden
  // or for a position outside it.
  void lstCores_Click(int position);

  // A line of the "Compare Cores" table was double-clicked: designs that
  // core of `material` on `StackCount` cores exactly as a pick from the core
  // list does, after switching material (captions only, no design of its
  // own) and stack count where they differ. Nothing happens for a row that
  // is no core of the material or a stack count outside 1..5.
  void grdCompare_DblClick(Material material, int16_t StackCount, int16_t row);

  // Material option buttons, after the button's state has changed.
  void optMPP_Click();
  void optHF_Click();
  void optVelmax_Click();
  void optVelmaxE_Click();
  // Selects the material's button and runs its handler.
  void SelectMaterial(Material material);

  // The user edited one of the seven input fields: the design shown, if
  // any, no longer matches the inputs until the next design.
  void txtInput_Change();

  // File menu.
  void mnuOpen_Click();
  // Opens the design file at `path` as File > Open does once a file is
  // chosen (the command line, a dropped file, a recent design). Returns
  // whether the file was read and its design run.
  bool OpenDesign(const std::string& path);
  void mnuSaveAs_Click();
  void mnuPrint_Click();
  // Asks for a .cir or .lib file and writes the SPICE model of the design
  // shown there (nothing without a design); a failure is told in a box.
  void mnuExportSpice_Click();

  // Options menu.
  void mnuTemp_Click();
  void mnuStack_Click();  // opens the stack dialog and disables the window
  void mnuLfl_Click();
  // Asks for the AL tolerance of the worst case, -99 to 0 %.
  void mnuALTolerance_Click();
  void mnuSingleLayer_Click();
  void mnuDimEng_Click();
  void mnuDimMet_Click();

  // Stack dialog: open between mnuStack_Click and OK, Cancel or closing it.
  const std::optional<StackDialogModel>& StackDialog() const { return stack_dialog_; }
  void optStack_Click(int16_t count);  // 1..5
  void cmdApply_Click();
  void cmdOK_Click();
  void cmdCancel_Click();  // also closing the dialog through its frame

  // Help menu.
  void mnuContents_Click();
  void mnuIndex_Click();
  void mnuAbout_Click();
  void mnuContact_Click();

  // The request of a run from the window's texts, material and options.
  DesignRequest Request() const;

 private:
  void MaterialChanged();
  void UnitsSwitch(bool metric);
  void RerunByDesignMode();
  void ShowNotices(const Notices& notices);
  // The design shown no longer matches the inputs and settings.
  void MarkDesignStale();

  WindowModel window_;
  const CoreTable& cores_;
  UserInterface& ui_;
  std::optional<StackDialogModel> stack_dialog_;
  std::optional<DesignResult> shown_design_;
  bool shows_too_large_ = false;
};

}  // namespace tov

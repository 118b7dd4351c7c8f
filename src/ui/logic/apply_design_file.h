#pragma once
// Applying a design file to the main window, as Open Design does before it
// computes the design again.

#include "io/design_file.h"
#include "state/material.h"
#include "ui/logic/window_model.h"

namespace tov {

class DesignController;

// The material in force once the record is applied: codes 1 to 4 select their
// material, any other code leaves `current` selected.
Material MaterialAfterOpening(const DesignFileRecord& record, Material current);

// Whether the record can be applied to a window whose material is `current`:
// an automatic design (design_mode 0) always; any other design mode only with a
// core_row that is a core row of the material in force once applied, so that
// the selected-core design it re-runs has a core of its material to work on.
bool DesignFileFits(const DesignFileRecord& record, Material current);

// Puts the record into the window, in file order: core_row and design_mode, the
// seven input texts, the material (through its option button; no design
// starts while loading_design is set), Full Load L Maximum, ambient_c with
// its copper_factor, stack_count as read and Single Layer Choke. Computes nothing.
void ApplyDesignFile(DesignController& form, const DesignFileRecord& record);

// The record of the window's current settings: input texts as they stand,
// the material code of the selected option, the two check marks as 1 or 0.
DesignFileRecord RecordFromWindow(const WindowModel& window);

}  // namespace tov

#pragma once
// The main window as the program's logic sees it, without any toolkit: the
// texts of the fields, the captions, check marks, the material option, the
// core list, and the design state. The desktop window only mirrors this model.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "state/constants.h"
#include "state/copper_factor.h"
#include "state/material.h"

namespace tov {

struct Rgb {
  uint8_t r = 255, g = 255, b = 255;
  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kLightYellow{255, 255, 128};
inline constexpr Rgb kLightRed{255, 128, 128};

struct TextBox {
  std::string text;
  bool enabled = true;
  Rgb background = kWhite;
  // Why the figure shown fails what was asked of it, one reason a line;
  // empty when it fails nothing.
  std::string problem = {};
  // With a problem: the figure as designed meets what was asked, only its
  // worst case fails.
  bool problem_at_worst_case_only = false;
};

// Which engine made the design shown: the automatic core selection or the
// design on a core the user picked.
enum class DesignMode : int16_t { Automatic, SelectedCore };

// Design state kept by the main window between operations.
struct DesignState {
  int16_t core_row = 0;                            // row of the current design's core
  DesignMode design_mode = DesignMode::Automatic;  // which engine made the design shown
  int16_t strands = 1;                             // parallel strands of the current design
  float ambient_c = 20.0f;                         // deg C
  float copper_factor = 1.0f;                      // copper resistance factor at ambient_c
  bool metric = false;                             // dimensions shown in millimetres, else inches
  float total_loss_mw = 0.0f;                      // mW, of the design shown
  bool loading_design = false;                     // while a design file is being opened
  int16_t stack_count = 1;                         // stacked toroids, 1..5 through the dialog
  // The AL's lower tolerance for the worst case, % of nominal (-99..0).
  float al_tolerance_percent = kDefaultALTolerancePercent;

  // Dimension factor of the display: 1 for inches, 25.4 for millimetres.
  float UnitsFactor() const { return metric ? 25.4f : 1.0f; }
};

// Sets ambient_c (deg C) and the copper resistance factor that goes with it,
// copper_factor = 1 + 0.00393 (ambient_c - 20), as a 4-byte float (unchanged
// when that has no value).
void SetAmbientTemp(DesignState& state, float ambient_c);

// What the output fields do not say about the design shown.
struct DesignNotes {
  bool below_full_load_l = false;  // the inductance at full load is below Full Load L
  bool no_wire_fits = false;       // no gauge fits the window: AWG 43 is shown
  bool no_core_loss_data = false;  // the core grade has no loss data: core loss 0.0
};

struct WindowModel {
  // Design inputs.
  TextBox dc_current{"10"};        // DC current, A
  TextBox ripple_current{"2"};     // ripple current, A peak to peak
  TextBox frequency{"100"};        // kHz
  TextBox current_density{"600"};  // A/cm^2
  TextBox full_load_l{"100"};      // uH
  TextBox no_load_l{"150"};        // uH
  TextBox allowable_rise{"35"};    // deg C

  // Core information.
  TextBox part_number, permeability, al, ae, le, core_id, core_od, core_height, mount_part_number;
  // Design outputs.
  TextBox turns, wire, winding_factor, dcr, l_full_load, l_no_load, mu_e_full_dc, wound_dimensions,
      core_loss, copper_loss, total_loss, temp_rise;

  // Captions that change at run time.
  std::string core_id_caption = "ID (inches, nominal)";
  std::string core_od_caption = "OD (inches, nominal)";
  std::string core_height_caption = "Height (inches, nominal)";
  std::string mount_caption = "Recommended Header";
  std::string wound_dimensions_caption = "Wound Core Dimensions (in)";
  std::string core_loss_caption = "Core Loss (mW)";
  std::string copper_loss_caption = "Copper Loss (mW)";
  std::string total_loss_caption = "Total Losses (mW)";

  // Menu check marks: they are the options themselves.
  bool full_load_l_max = false;  // Full Load L Maximum; checked by the start-up defaults
  bool single_layer = false;
  bool inches = true;
  bool millimetres = false;

  // The selected material option button (exactly one is selected).
  Material material = Material::Velmax;

  // The core list: hidden at start.
  bool core_list_visible = false;
  std::vector<std::string> core_list;

  // The whole main window takes input (false while the stack dialog is open).
  bool enabled = true;

  // An input field was edited after the design shown was made.
  bool inputs_changed = false;
  DesignNotes notes;
  // The design file last opened or saved (its path as bytes); empty for none.
  std::string design_file;

  DesignState state;
};

// Start-up defaults, run after the core table is loaded and the disclaimer
// closed: copper_factor 1, ambient_c 20, strands 1, stack_count 1, design_mode 0,
// inches, and the check mark on Full Load L Maximum.
void ApplyStartupDefaults(WindowModel& window);

}  // namespace tov

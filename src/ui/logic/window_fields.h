#pragma once
// The text fields of the main window, listed once: the design inputs and the
// output fields with their labels. The Qt window builds its rows from these
// lists, the "Too Large" result clears by them, tovcalc's JSON names them.
// This is the one table that maps the program's names of the fields (key,
// the model's member) to the window's control names (label and field, the
// Qt object names).

#include <array>
#include <string>
#include <string_view>

#include "state/constants.h"
#include "ui/logic/window_model.h"

namespace tov {

struct InputField {
  std::string_view key;      // its name in tovcalc's JSON: the command-line option
  std::string_view label;    // lblIdc
  std::string_view caption;  // "DC Current (A)"
  std::string_view tooltip;
  std::string_view field;  // dc_current
  TextBox WindowModel::*box;
};

// In the order of the frame and of the checks of ValidateInputs.
inline constexpr std::array<InputField, 7> kInputFields = {{
    {"idc", "lblIdc", "DC Current (A)", "Full load DC current through inductor", "txtIdc",
     &WindowModel::dc_current},
    {"ripple", "lblIdelta", "Ripple Current (Amps peak-peak)", "Peak to peak ripple current",
     "txtIdelta", &WindowModel::ripple_current},
    {"freq", "lblFreq", "Frequency (kHz)", "Frequency of ripple current", "txtFreq",
     &WindowModel::frequency},
    {"density", "lblCurDens", "Current Density (A/sq cm)",
     "Current density used for wire size selection", "txtCurDens", &WindowModel::current_density},
    {"lfl", "lblLfl", "Full Load L (\u00b5H)", "Inductance required at full DC current", "txtLfl",
     &WindowModel::full_load_l},
    {"lnl", "lblLnl", "No Load L (\u00b5H)", "Maximum allowed inductance at no load current",
     "txtLnl", &WindowModel::no_load_l},
    {"trise", "lblTempInput", "Temperature Rise", "Allowable temperature rise", "txtTempInput",
     &WindowModel::allowable_rise},
}};

enum class OutputFrame { CoreData, Outputs };

// What the "Too Large" result puts into a field.
enum class TooLargeText { Empty, TooLarge, NotApplicable };

struct OutputField {
  std::string_view key;  // its name in tovcalc's JSON, as the model names the box
  OutputFrame frame;
  std::string_view label;                  // lblPN
  std::string_view caption;                // at start
  std::string WindowModel::*live_caption;  // the model's caption where it changes, else null
  std::string_view field;                  // part_number
  TextBox WindowModel::*box;
  TooLargeText too_large;
};

// In the order of the frames, top to bottom.
inline constexpr std::array<OutputField, 21> kOutputFields = {{
    {"part_number", OutputFrame::CoreData, "lblPN", "Part Number", nullptr, "txtPN",
     &WindowModel::part_number, TooLargeText::TooLarge},
    {"permeability", OutputFrame::CoreData, "lblPerm", "Permeability", nullptr, "txtPerm",
     &WindowModel::permeability, TooLargeText::Empty},
    {"al", OutputFrame::CoreData, "lblAL", "AL (mH/1000 turns)", nullptr, "txtAL", &WindowModel::al,
     TooLargeText::Empty},
    {"ae", OutputFrame::CoreData, "lblAe", "Effective Core Area (sq cm)", nullptr, "txtAe",
     &WindowModel::ae, TooLargeText::Empty},
    {"le", OutputFrame::CoreData, "lblle", "Effective Path Length (cm)", nullptr, "txtle",
     &WindowModel::le, TooLargeText::Empty},
    {"core_id", OutputFrame::CoreData, "lblID", "ID (inches, nominal)",
     &WindowModel::core_id_caption, "txtID", &WindowModel::core_id, TooLargeText::Empty},
    {"core_od", OutputFrame::CoreData, "lblOD", "OD (inches, nominal)",
     &WindowModel::core_od_caption, "txtOD", &WindowModel::core_od, TooLargeText::Empty},
    {"core_height", OutputFrame::CoreData, "lblHt", "Height (inches, nominal)",
     &WindowModel::core_height_caption, "txtHt", &WindowModel::core_height, TooLargeText::Empty},
    {"mount_part_number", OutputFrame::CoreData, "lblBobbin", "Recommended Header",
     &WindowModel::mount_caption, "txtBobbin", &WindowModel::mount_part_number,
     TooLargeText::Empty},
    {"turns", OutputFrame::Outputs, "lblTurns", "Number of Turns", nullptr, "txtTurns",
     &WindowModel::turns, TooLargeText::Empty},
    {"wire", OutputFrame::Outputs, "lblWire", "Wire Size (AWG)", nullptr, "txtWire",
     &WindowModel::wire, TooLargeText::Empty},
    {"winding_factor", OutputFrame::Outputs, "lblK", "Winding Factor", nullptr, "txtK",
     &WindowModel::winding_factor, TooLargeText::Empty},
    {"dcr", OutputFrame::Outputs, "lblDCR", "DC Resistance of Winding (Ohms)", nullptr, "txtDCR",
     &WindowModel::dcr, TooLargeText::Empty},
    {"l_full_load", OutputFrame::Outputs, "lblLOutfl", "Inductance at Full Load (\u00b5H)", nullptr,
     "txtLOutfl", &WindowModel::l_full_load, TooLargeText::NotApplicable},
    {"l_no_load", OutputFrame::Outputs, "lblLOutnl", "Inductance at No Load (\u00b5H)", nullptr,
     "txtLOutnl", &WindowModel::l_no_load, TooLargeText::NotApplicable},
    {"mu_e_full_dc", OutputFrame::Outputs, "lblRollOff", "Effective Permeability at Full DC",
     nullptr, "txtRollOff", &WindowModel::mu_e_full_dc, TooLargeText::Empty},
    {"wound_dimensions", OutputFrame::Outputs, "lblDim", "Wound Core Dimensions (in)",
     &WindowModel::wound_dimensions_caption, "txtDim", &WindowModel::wound_dimensions,
     TooLargeText::Empty},
    {"core_loss", OutputFrame::Outputs, "lblPfe", "Core Loss (mW)", &WindowModel::core_loss_caption,
     "txtPfe", &WindowModel::core_loss, TooLargeText::Empty},
    {"copper_loss", OutputFrame::Outputs, "lblPcu", "Copper Loss (mW)",
     &WindowModel::copper_loss_caption, "txtPcu", &WindowModel::copper_loss, TooLargeText::Empty},
    {"total_loss", OutputFrame::Outputs, "lblPtot", "Total Losses (mW)",
     &WindowModel::total_loss_caption, "txtPtot", &WindowModel::total_loss, TooLargeText::Empty},
    {"temp_rise", OutputFrame::Outputs, "lblTrise", "Temperature Rise (degrees C)", nullptr,
     "txtTrise", &WindowModel::temp_rise, TooLargeText::Empty},
}};

// Caption of wound_dimensions_caption in the unit shown.
constexpr std::string_view WoundDimensionsCaption(bool metric) {
  return metric ? "Wound Core Dimen. (mm)" : "Wound Core Dimensions (in)";
}

// Whether losses with this total are shown (and printed) in watts.
constexpr bool ShowsWatts(float Ptot_mW) {
  return Ptot_mW >= kWattDisplayFrom_mW;
}

}  // namespace tov

#pragma once
// The text fields of the main window, listed once: the design inputs and the
// output fields with their labels. The Qt window builds its rows from these
// lists, the "Too Large" result clears by them, tovcalc's JSON names them.

#include <array>
#include <string>
#include <string_view>

#include "state/constants.h"
#include "state/window_model.h"

namespace tov {

struct InputField {
  std::string_view label;    // lblIdc
  std::string_view caption;  // "DC Current (A)"
  std::string_view tooltip;
  std::string_view field;  // dc_current
  TextBox WindowModel::*box;
};

// In the order of the frame and of the checks of ValidateInputs.
inline constexpr std::array<InputField, 7> kInputFields = {{
    {"lblIdc", "DC Current (A)", "Full load DC current through inductor", "txtIdc",
     &WindowModel::dc_current},
    {"lblIdelta", "Ripple Current (Amps peak-peak)", "Peak to peak ripple current", "txtIdelta",
     &WindowModel::ripple_current},
    {"lblFreq", "Frequency (kHz)", "Frequency of ripple current", "txtFreq",
     &WindowModel::frequency},
    {"lblCurDens", "Current Density (A/sq cm)", "Current density used for wire size selection",
     "txtCurDens", &WindowModel::current_density},
    {"lblLfl", "Full Load L (\u00b5H)", "Inductance required at full DC current", "txtLfl",
     &WindowModel::full_load_l},
    {"lblLnl", "No Load L (\u00b5H)", "Maximum allowed inductance at no load current", "txtLnl",
     &WindowModel::no_load_l},
    {"lblTempInput", "Temperature Rise", "Allowable temperature rise", "txtTempInput",
     &WindowModel::allowable_rise},
}};

enum class OutputFrame { CoreData, Outputs };

// What the "Too Large" result puts into a field.
enum class TooLargeText { Empty, TooLarge, NotApplicable };

struct OutputField {
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
    {OutputFrame::CoreData, "lblPN", "Part Number", nullptr, "txtPN", &WindowModel::part_number,
     TooLargeText::TooLarge},
    {OutputFrame::CoreData, "lblPerm", "Permeability", nullptr, "txtPerm",
     &WindowModel::permeability, TooLargeText::Empty},
    {OutputFrame::CoreData, "lblAL", "AL (mH/1000 turns)", nullptr, "txtAL", &WindowModel::al,
     TooLargeText::Empty},
    {OutputFrame::CoreData, "lblAe", "Effective Core Area (sq cm)", nullptr, "txtAe",
     &WindowModel::ae, TooLargeText::Empty},
    {OutputFrame::CoreData, "lblle", "Effective Path Length (cm)", nullptr, "txtle",
     &WindowModel::le, TooLargeText::Empty},
    {OutputFrame::CoreData, "lblID", "ID (inches, nominal)", &WindowModel::core_id_caption, "txtID",
     &WindowModel::core_id, TooLargeText::Empty},
    {OutputFrame::CoreData, "lblOD", "OD (inches, nominal)", &WindowModel::core_od_caption, "txtOD",
     &WindowModel::core_od, TooLargeText::Empty},
    {OutputFrame::CoreData, "lblHt", "Height (inches, nominal)", &WindowModel::core_height_caption,
     "txtHt", &WindowModel::core_height, TooLargeText::Empty},
    {OutputFrame::CoreData, "lblBobbin", "Recommended Header", &WindowModel::mount_caption,
     "txtBobbin", &WindowModel::mount_part_number, TooLargeText::Empty},
    {OutputFrame::Outputs, "lblTurns", "Number of Turns", nullptr, "txtTurns", &WindowModel::turns,
     TooLargeText::Empty},
    {OutputFrame::Outputs, "lblWire", "Wire Size (AWG)", nullptr, "txtWire", &WindowModel::wire,
     TooLargeText::Empty},
    {OutputFrame::Outputs, "lblK", "Winding Factor", nullptr, "txtK", &WindowModel::winding_factor,
     TooLargeText::Empty},
    {OutputFrame::Outputs, "lblDCR", "DC Resistance of Winding (Ohms)", nullptr, "txtDCR",
     &WindowModel::dcr, TooLargeText::Empty},
    {OutputFrame::Outputs, "lblLOutfl", "Inductance at Full Load (\u00b5H)", nullptr, "txtLOutfl",
     &WindowModel::l_full_load, TooLargeText::NotApplicable},
    {OutputFrame::Outputs, "lblLOutnl", "Inductance at No Load (\u00b5H)", nullptr, "txtLOutnl",
     &WindowModel::l_no_load, TooLargeText::NotApplicable},
    {OutputFrame::Outputs, "lblRollOff", "Effective Permeability at Full DC", nullptr, "txtRollOff",
     &WindowModel::mu_e_full_dc, TooLargeText::Empty},
    {OutputFrame::Outputs, "lblDim", "Wound Core Dimensions (in)",
     &WindowModel::wound_dimensions_caption, "txtDim", &WindowModel::wound_dimensions,
     TooLargeText::Empty},
    {OutputFrame::Outputs, "lblPfe", "Core Loss (mW)", &WindowModel::core_loss_caption, "txtPfe",
     &WindowModel::core_loss, TooLargeText::Empty},
    {OutputFrame::Outputs, "lblPcu", "Copper Loss (mW)", &WindowModel::copper_loss_caption,
     "txtPcu", &WindowModel::copper_loss, TooLargeText::Empty},
    {OutputFrame::Outputs, "lblPtot", "Total Losses (mW)", &WindowModel::total_loss_caption,
     "txtPtot", &WindowModel::total_loss, TooLargeText::Empty},
    {OutputFrame::Outputs, "lblTrise", "Temperature Rise (degrees C)", nullptr, "txtTrise",
     &WindowModel::temp_rise, TooLargeText::Empty},
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

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
  std::string_view field;  // txtIdc
  TextBox WindowModel::*box;
};

// In the order of the frame and of the checks of ValidateInputs.
inline constexpr std::array<InputField, 7> kInputFields = {{
    {"lblIdc", "DC Current (A)", "Full load DC current through inductor", "txtIdc",
     &WindowModel::txtIdc},
    {"lblIdelta", "Ripple Current (Amps peak-peak)", "Peak to peak ripple current", "txtIdelta",
     &WindowModel::txtIdelta},
    {"lblFreq", "Frequency (kHz)", "Frequency of ripple current", "txtFreq", &WindowModel::txtFreq},
    {"lblCurDens", "Current Density (A/sq cm)", "Current density used for wire size selection",
     "txtCurDens", &WindowModel::txtCurDens},
    {"lblLfl", "Full Load L (\u00b5H)", "Inductance required at full DC current", "txtLfl",
     &WindowModel::txtLfl},
    {"lblLnl", "No Load L (\u00b5H)", "Maximum allowed inductance at no load current", "txtLnl",
     &WindowModel::txtLnl},
    {"lblTempInput", "Temperature Rise", "Allowable temperature rise", "txtTempInput",
     &WindowModel::txtTempInput},
}};

enum class OutputFrame { CoreData, Outputs };

// What the "Too Large" result puts into a field.
enum class TooLargeText { Empty, TooLarge, NotApplicable };

struct OutputField {
  OutputFrame frame;
  std::string_view label;                  // lblPN
  std::string_view caption;                // at start
  std::string WindowModel::*live_caption;  // the model's caption where it changes, else null
  std::string_view field;                  // txtPN
  TextBox WindowModel::*box;
  TooLargeText too_large;
};

// In the order of the frames, top to bottom.
inline constexpr std::array<OutputField, 21> kOutputFields = {{
    {OutputFrame::CoreData, "lblPN", "Part Number", nullptr, "txtPN", &WindowModel::txtPN,
     TooLargeText::TooLarge},
    {OutputFrame::CoreData, "lblPerm", "Permeability", nullptr, "txtPerm", &WindowModel::txtPerm,
     TooLargeText::Empty},
    {OutputFrame::CoreData, "lblAL", "AL (mH/1000 turns)", nullptr, "txtAL", &WindowModel::txtAL,
     TooLargeText::Empty},
    {OutputFrame::CoreData, "lblAe", "Effective Core Area (sq cm)", nullptr, "txtAe",
     &WindowModel::txtAe, TooLargeText::Empty},
    {OutputFrame::CoreData, "lblle", "Effective Path Length (cm)", nullptr, "txtle",
     &WindowModel::txtle, TooLargeText::Empty},
    {OutputFrame::CoreData, "lblID", "ID (inches, nominal)", &WindowModel::lblID, "txtID",
     &WindowModel::txtID, TooLargeText::Empty},
    {OutputFrame::CoreData, "lblOD", "OD (inches, nominal)", &WindowModel::lblOD, "txtOD",
     &WindowModel::txtOD, TooLargeText::Empty},
    {OutputFrame::CoreData, "lblHt", "Height (inches, nominal)", &WindowModel::lblHt, "txtHt",
     &WindowModel::txtHt, TooLargeText::Empty},
    {OutputFrame::CoreData, "lblBobbin", "Recommended Header", &WindowModel::lblBobbin, "txtBobbin",
     &WindowModel::txtBobbin, TooLargeText::Empty},
    {OutputFrame::Outputs, "lblTurns", "Number of Turns", nullptr, "txtTurns",
     &WindowModel::txtTurns, TooLargeText::Empty},
    {OutputFrame::Outputs, "lblWire", "Wire Size (AWG)", nullptr, "txtWire", &WindowModel::txtWire,
     TooLargeText::Empty},
    {OutputFrame::Outputs, "lblK", "Winding Factor", nullptr, "txtK", &WindowModel::txtK,
     TooLargeText::Empty},
    {OutputFrame::Outputs, "lblDCR", "DC Resistance of Winding (Ohms)", nullptr, "txtDCR",
     &WindowModel::txtDCR, TooLargeText::Empty},
    {OutputFrame::Outputs, "lblLOutfl", "Inductance at Full Load (\u00b5H)", nullptr, "txtLOutfl",
     &WindowModel::txtLOutfl, TooLargeText::NotApplicable},
    {OutputFrame::Outputs, "lblLOutnl", "Inductance at No Load (\u00b5H)", nullptr, "txtLOutnl",
     &WindowModel::txtLOutnl, TooLargeText::NotApplicable},
    {OutputFrame::Outputs, "lblRollOff", "Effective Permeability at Full DC", nullptr, "txtRollOff",
     &WindowModel::txtRollOff, TooLargeText::Empty},
    {OutputFrame::Outputs, "lblDim", "Wound Core Dimensions (in)", &WindowModel::lblDim, "txtDim",
     &WindowModel::txtDim, TooLargeText::Empty},
    {OutputFrame::Outputs, "lblPfe", "Core Loss (mW)", &WindowModel::lblPfe, "txtPfe",
     &WindowModel::txtPfe, TooLargeText::Empty},
    {OutputFrame::Outputs, "lblPcu", "Copper Loss (mW)", &WindowModel::lblPcu, "txtPcu",
     &WindowModel::txtPcu, TooLargeText::Empty},
    {OutputFrame::Outputs, "lblPtot", "Total Losses (mW)", &WindowModel::lblPtot, "txtPtot",
     &WindowModel::txtPtot, TooLargeText::Empty},
    {OutputFrame::Outputs, "lblTrise", "Temperature Rise (degrees C)", nullptr, "txtTrise",
     &WindowModel::txtTrise, TooLargeText::Empty},
}};

// Caption of lblDim in the unit shown.
constexpr std::string_view WoundDimensionsCaption(bool metric) {
  return metric ? "Wound Core Dimen. (mm)" : "Wound Core Dimensions (in)";
}

// Whether losses with this total are shown (and printed) in watts.
constexpr bool ShowsWatts(float Ptot_mW) {
  return Ptot_mW >= kWattDisplayFrom_mW;
}

}  // namespace tov

#pragma once
// The main window as the program's logic sees it, without any toolkit: the
// texts of the fields, the captions, check marks, the material option, the
// core list, and the design state. The desktop window only mirrors this model.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "state/constants.h"
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
};

// Design state kept by the main window between operations.
struct DesignState {
  int16_t CoreIdx = 0;        // row of the current design's core
  int16_t DesignMode = 0;     // 0 automatic selection, 1 selected-core design
  int16_t Strands = 1;        // parallel strands of the current design
  float AmbientTemp = 20.0f;  // deg C
  float CuFactor = 1.0f;      // copper resistance factor at AmbientTemp
  bool metric = false;        // dimensions shown in millimetres, else inches
  float TotalLoss = 0.0f;     // mW, of the design shown
  int16_t LoadingDesign = 0;  // 1 while a design file is being opened
  int16_t StackCount = 1;     // stacked toroids, 1..5 through the dialog
  // The AL's lower tolerance for the worst case, % of nominal (-99..0).
  float ALTolerance = kDefaultALTolerancePercent;

  // Dimension factor of the display: 1 for inches, 25.4 for millimetres.
  float UnitsFactor() const { return metric ? 25.4f : 1.0f; }
};

// Sets AmbientTemp (deg C) and the copper resistance factor that goes with it,
// CuFactor = 1 + 0.00393 (AmbientTemp - 20), as a 4-byte float (unchanged
// when that has no value).
void SetAmbientTemp(DesignState& state, float AmbientTemp);

// Copper resistance factor at an ambient temperature (deg C),
// 1 + 0.00393 (AmbientTemp - 20); nullopt when it has no value.
std::optional<float> CopperFactor(float AmbientTemp);

// Whether copper keeps a positive resistance at this ambient temperature:
// a CopperFactor above 0, which holds above about -234.45 deg C.
bool CopperFactorPositive(float AmbientTemp);

// What the output fields do not say about the design shown.
struct DesignNotes {
  bool below_full_load_l = false;  // the inductance at full load is below Full Load L
  bool no_wire_fits = false;       // no gauge fits the window: AWG 43 is shown
  bool no_core_loss_data = false;  // the core grade has no loss data: core loss 0.0
};

struct WindowModel {
  // Design inputs.
  TextBox txtIdc{"10"};        // DC current, A
  TextBox txtIdelta{"2"};      // ripple current, A peak to peak
  TextBox txtFreq{"100"};      // kHz
  TextBox txtCurDens{"600"};   // A/cm^2
  TextBox txtLfl{"100"};       // uH
  TextBox txtLnl{"150"};       // uH
  TextBox txtTempInput{"35"};  // deg C

  // Core information.
  TextBox txtPN, txtPerm, txtAL, txtAe, txtle, txtID, txtOD, txtHt, txtBobbin;
  // Design outputs.
  TextBox txtTurns, txtWire, txtK, txtDCR, txtLOutfl, txtLOutnl, txtRollOff, txtDim, txtPfe, txtPcu,
      txtPtot, txtTrise;

  // Captions that change at run time.
  std::string lblID = "ID (inches, nominal)";
  std::string lblOD = "OD (inches, nominal)";
  std::string lblHt = "Height (inches, nominal)";
  std::string lblBobbin = "Recommended Header";
  std::string lblDim = "Wound Core Dimensions (in)";
  std::string lblPfe = "Core Loss (mW)";
  std::string lblPcu = "Copper Loss (mW)";
  std::string lblPtot = "Total Losses (mW)";

  // Menu check marks: they are the options themselves.
  bool mnuLfl = false;  // Full Load L Maximum; checked by the start-up defaults
  bool mnuSingleLayer = false;
  bool mnuDimEng = true;
  bool mnuDimMet = false;

  // The selected material option button (exactly one is selected).
  Material material = Material::Velmax;

  // The core list: hidden at start.
  bool lstCores_visible = false;
  std::vector<std::string> lstCores;

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
// closed: CuFactor 1, AmbientTemp 20, Strands 1, StackCount 1, DesignMode 0,
// inches, and the check mark on Full Load L Maximum.
void ApplyStartupDefaults(WindowModel& window);

}  // namespace tov

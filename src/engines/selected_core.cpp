#include "engines/selected_core.h"

#include <string>
#include <string_view>

#include "engines/core_data.h"
#include "engines/design_inputs.h"
#include "engines/ecore_options.h"
#include "engines/presentation.h"
#include "engines/winding_heat.h"
#include "models/rolloff.h"
#include "models/wire_sizing.h"
#include "state/numeric.h"
#include "state/validation.h"

namespace tov {
namespace {

constexpr std::string_view kWireTooLargeTitle = "Wire Size Too Large";
constexpr std::string_view kWireTooLargeMessage =
    "Required wire size is larger than any in current database.";
constexpr std::string_view kWindowTooSmallTitle = "Core Window Too Small";
constexpr std::string_view kWireReducedMessage =
    "Required wire size is too large for selected core.\rActual wire size will be\r";
constexpr std::string_view kCannotWindMessage =
    "The winding cannot be wound on the selected core:\r"
    "its inner hole fills up before every turn is placed.\r\r"
    "Please select a larger core.";

// Fill limit of the window: E-cores are wound on a bobbin.
constexpr float kToroidFillLimit = 0.5f;
constexpr float kECoreFillLimit = 0.8f;

std::string ReducedWireText(const Winding& wire) {
  std::string text(kWireReducedMessage);
  if (wire.S > 1)
    text += std::to_string(wire.S) + " strands of AWG #";
  else
    text += " AWG #";
  return text + std::to_string(wire.G);
}

}  // namespace

void DesignSelectedCore(DesignContext ctx, int16_t row) {
  WindowModel& window = ctx.window;
  DesignState& state = window.state;
  if (!CoreTable::IsRow(row)) {
    state.LoadingDesign = 0;
    return;
  }

  ValidateInputs(window, ctx.ui);
  const int16_t strands_shown = state.Strands;
  state.DesignMode = 1;
  state.Strands = 1;
  ResetECoreOptions(ctx, kInvalidStackTitle);

  // Inputs. This design has no no-load ceiling.
  float Tallow = 0, Ltarget = 0, Idc = 0, dI = 0, Ipk = 0, Iw = 0, J = 0, f = 0;
  Commit(Tallow, FieldSingle(window.txtTempInput));
  Commit(Ltarget, PerCoreInductance(window.txtLfl, state.StackCount));
  window.mnuLfl = false;
  window.txtLnl.enabled = false;
  Commit(Idc, FieldSingle(window.txtIdc));
  Commit(dI, FieldSingle(window.txtIdelta));
  Commit(Ipk, PeakCurrent(Idc, dI));
  Commit(Iw, WindingCurrent(Idc, dI));
  Commit(J, FieldSingle(window.txtCurDens));
  Commit(f, FieldSingle(window.txtFreq));

  // Wire from the current density.
  const WireSizing sizing = SizeWire(Iw, J);
  Winding wire = sizing.wire;
  state.Strands = wire.S;
  state.PrevStrands = wire.PrevStrands;
  if (sizing.too_large) ctx.ui.ShowMessage(kWireTooLargeTitle, kWireTooLargeMessage);

  const bool e_core = IsECore(window.material);
  const float fill_limit = e_core ? kECoreFillLimit : kToroidFillLimit;
  CoreData core;
  ReadCoreData(core, ctx.cores, row);

  const TurnsSolution turns =
      SolveTurns(Ltarget, {core.AL, core.ui, core.le, RollOffFor(window.material)}, Ipk);

  // Make the winding fit: fewer strands, then thinner wire.
  FitWindow(turns.N, wire, core.Wa, fill_limit);
  if (window.mnuSingleLayer) FitSingleLayer(turns.N, wire, core.WindID);
  state.Strands = wire.S;
  state.PrevStrands = wire.PrevStrands;
  if (wire.reduced) ctx.ui.ShowMessage(kWindowTooSmallTitle, ReducedWireText(wire));

  WarnRollOff(ctx.ui, turns.Lfl, turns.Lnl);

  WindingHeat heat;
  WindAndHeat(heat,
              {.MatType = MatTypeOf(window.material),
               .e_core = e_core,
               .N = turns.N,
               .ue = turns.ue,
               .G = wire.G,
               .S = wire.S,
               .d = wire.d,
               .dI = dI,
               .f = f,
               .Iw = Iw,
               .StackCount = state.StackCount,
               .CuFactor = state.CuFactor},
              core);

  if (heat.fits) {
    ColourTempRise(window, heat.dT, Tallow);
    PresentResult(window, ctx.cores,
                  {.row = row,
                   .e_core = e_core,
                   .N = turns.N,
                   .G = wire.G,
                   .strands = wire.S,
                   .ue = turns.ue,
                   .Lfl = turns.Lfl,
                   .Lnl = turns.Lnl,
                   .fill = wire.F,
                   .ODw = heat.ODw,
                   .HTw = heat.HTw,
                   .Rdc = heat.Rdc,
                   .Pfe = heat.Pfe,
                   .Pcu = heat.Pcu,
                   .Ptot = heat.Ptot,
                   .dT = heat.dT,
                   .allowable_rise = Tallow});
  } else {
    // The design shown stays the one before, with its strand count for the report.
    state.Strands = strands_shown;
    ctx.ui.ShowMessage(kWindowTooSmallTitle, kCannotWindMessage);
  }
  state.LoadingDesign = 0;
}

}  // namespace tov

#include "engines/selected_core.h"

#include <string>
#include <string_view>

#include "engines/core_data.h"
#include "engines/design_assembly.h"
#include "engines/ecore_options.h"
#include "engines/run_inputs.h"
#include "engines/winding_heat.h"
#include "models/rolloff.h"
#include "models/wire_sizing.h"
#include "state/constants.h"
#include "state/message_titles.h"
#include "state/numeric.h"

namespace tov {
namespace {

constexpr std::string_view kWireTooLargeMessage =
    "Required wire size is larger than any in current database.";
constexpr std::string_view kWireReducedMessage =
    "Required wire size is too large for selected core.\rActual wire size will be\r";
constexpr std::string_view kCannotWindMessage =
    "The winding cannot be wound on the selected core:\r"
    "its inner hole fills up before every turn is placed.\r\r"
    "Please select a larger core.";
constexpr std::string_view kRollOffMessage =
    "Inductance roll-off against current is higher than recommended.\r"
    "A larger core should be selected if possible.";

std::string ReducedWireText(const Winding& wire) {
  std::string text(kWireReducedMessage);
  if (wire.S > 1)
    text += std::to_string(wire.S) + " strands of AWG #";
  else
    text += " AWG #";
  return text + std::to_string(wire.G);
}

// Whether the full-load inductance keeps less than 45 % of the no-load
// inductance (Lfl / Lnl as a 4-byte float); never when Lnl is zero.
bool RollOffTooHigh(float Lfl, float Lnl) {
  if (Lnl == 0) return false;
  const auto ratio = ToSingle(static_cast<double>(Lfl) / Lnl);
  return ratio && *ratio < kRollOffWarningRatio;
}

}  // namespace

SelectedCoreOutcome DesignOnCore(const DesignRequest& request, const CoreTable& cores,
                                 int16_t row) {
  SelectedCoreOutcome outcome;
  if (!CoreTable::IsRow(row)) return outcome;
  const MaterialInfo& material = InfoOf(request.material);
  Notices& notices = outcome.notices;
  RunEffects& effects = outcome.effects;
  CoreCompromises& compromises = outcome.compromises;

  effects.stack_count = request.stack_count;
  effects.single_layer = request.single_layer;
  ResetECoreOptions(request.material, effects.stack_count, effects.single_layer, kInvalidStackTitle,
                    notices);
  const RunInputs in = ReadRunInputs(request, effects.stack_count);

  // Wire from the current density.
  const WireSizing sizing = SizeWire(in.Iw, in.J);
  Winding wire = sizing.wire;
  if (sizing.too_large) {
    compromises.wire_too_large = true;
    notices.push_back({NoticeKind::WireTooLarge, std::string(kWireTooLargeTitle),
                       std::string(kWireTooLargeMessage)});
  }

  CoreData core;
  ReadCoreData(core, cores, row);
  const TurnsSolution turns =
      SolveTurns(in.Ltarget, {core.AL, core.ui, core.le, material.rolloff}, in.Ipk);

  // Make the winding fit: fewer strands, then thinner wire.
  FitWindow(turns.N, wire, core.Wa, material.Kmax);
  if (effects.single_layer) FitSingleLayer(turns.N, wire, core.WindID);
  effects.strands = wire.S;
  compromises.strands_reduced = wire.S < sizing.wire.S;
  compromises.gauge_raised = wire.G > sizing.wire.G;
  if (wire.reduced) {
    notices.push_back(
        {NoticeKind::WireReduced, std::string(kWindowTooSmallTitle), ReducedWireText(wire)});
  }

  if (RollOffTooHigh(turns.Lfl, turns.Lnl)) {
    compromises.rolloff = true;
    notices.push_back(
        {NoticeKind::RollOff, std::string(kRollOffTitle), std::string(kRollOffMessage)});
  }

  WindingHeat heat;
  WindAndHeat(heat,
              HeatInputsOf(material, turns, wire, in, effects.stack_count, request.copper_factor),
              core);
  if (!heat.fits) {
    compromises.cannot_wind = true;
    notices.push_back({NoticeKind::CannotWind, std::string(kWindowTooSmallTitle),
                       std::string(kCannotWindMessage)});
    return outcome;
  }
  effects.total_loss_mw = heat.Ptot;

  outcome.design = AssembleDesign(row, material, effects.stack_count, request.copper_factor, in,
                                  core, turns, wire, wire.F, heat);
  return outcome;
}

}  // namespace tov

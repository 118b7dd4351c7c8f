#include "engines/search_walk.h"

#include <string>

#include "engines/design_assembly.h"
#include "engines/ecore_options.h"
#include "engines/run_inputs.h"
#include "engines/search_material.h"
#include "state/constants.h"
#include "state/message_titles.h"
#include "state/number_format.h"
#include "state/numeric.h"

namespace tov {
namespace {

// The first row whose size figure reaches F; the section's end row at the latest.
int16_t FindStartRow(const CoreTable& cores, const MaterialSection& section, double F) {
  int16_t row = section.first_row;
  while (row < section.end_row) {
    const auto figure = cores.Numbers(row).Number(CoreColumn::SizeFigure);
    if (figure && (*figure >= F || *figure == kEndRowSizeFigure)) break;
    ++row;
  }
  return row;
}

}  // namespace

SearchWalk::SearchWalk(const DesignRequest& request, const CoreTable& cores)
    : cores_(cores), material_(InfoOf(request.material)), request_(request) {
  effects_.stack_count = request.stack_count;
  effects_.single_layer = request.single_layer;
  ResetECoreOptions(request.material, effects_.stack_count, effects_.single_layer,
                    kInvalidOptionTitle, notices_);

  in_ = ReadRunInputs(request, effects_.stack_count);
  if (request.full_load_l_max) {
    Commit(in_.Lmax, PerCoreInductance(request.no_load_l_uh, effects_.stack_count));
    if (in_.Lmax != 0) Commit(r_, ToSingle(static_cast<double>(in_.Ltarget) / in_.Lmax));
  } else {
    in_.Lmax = kNoCeiling_mH;
    r_ = kFreeRollOffRatio;
  }

  // The wire, sized once from the current density. Beyond six strands of
  // gauge 12 the user is told the density six strands reach, which the
  // search then uses.
  const WireSizing sizing = SizeWire(in_.Iw, in_.J);
  wire_ = sizing.wire;
  effects_.strands = wire_.S;
  if (sizing.too_large) {
    effects_.strands = kMaxStrands;
    float X = sizing.X;
    Commit(X, SixStrandDensity(in_.Iw));
    notices_.push_back({NoticeKind::WireTooLarge, std::string(kWireTooLargeTitle),
                        "Required wire size is larger than any in current database.\r"
                        "Actual current density will be\r" +
                            FormatNumber(X, "0").value_or("") + " A/sq cm"});
    in_.J = X;
  }

  double F = 0;
  Commit(F, RequiredSizeFigure(in_.Ltarget, in_.Ipk, in_.J, r_, material_));
  start_row_ = FindStartRow(cores_, material_.section, F);
}

bool SearchWalk::IsEndRow(int16_t row) const {
  return row == material_.section.end_row ||
         cores_.Numbers(row).Number(CoreColumn::SizeFigure) == kEndRowSizeFigure;
}

// The turn count aims 3 % high, corrects for roll-off, and is trimmed only
// while the no-load ceiling leaves room; a row over the ceiling keeps its
// untrimmed count and fails.
RowTests SearchWalk::Evaluate(int16_t row) {
  Carried& c = carried_;
  ReadCoreData(c.core, cores_, row);
  const TurnsCore core{c.core.AL, c.core.ui, c.core.le, material_.rolloff};
  TurnsSolution& t = c.turns;
  EstimateTurns(t, in_.Ltarget, core.AL, kTurnsMargin);
  UpdateBias(t, core, in_.Ipk);
  CorrectForRollOff(t, core);
  UpdateBias(t, core, in_.Ipk);
  UpdateFullLoadL(t, core);
  Commit(t.Lnl, NoLoadL(t.N, core.AL));

  const auto ceiling = ToSingle(kTrimCeilingFactor * static_cast<double>(in_.Lmax));
  if (ceiling && *ceiling > t.Lnl) {
    TrimTurns(t, core, in_.Ipk, in_.Ltarget);
    UpdateBias(t, core, in_.Ipk);
    if (effects_.single_layer) {
      // strands and turns multiplied in full width: no 16-bit overflow.
      const double wires = static_cast<double>(effects_.strands) * t.N;
      Commit(c.IDreq, ToSingle(wires * wire_.d / kPi + wire_.d));
    } else {
      c.IDreq = 0;
    }
  }

  Commit(t.Lnl, NoLoadL(t.N, core.AL));
  UpdateFullLoadL(t, core);
  if (c.core.Wa != 0) {
    const double wires = static_cast<double>(effects_.strands) * t.N;
    Commit(c.fill, ToSingle(wires * wire_.Aw / c.core.Wa));
  }
  c.ID = c.core.WindID;

  RowTests tests;
  tests.fill = c.fill;
  tests.fill_limit = static_cast<float>(kSearchFillAllowance * static_cast<double>(material_.K));
  tests.Lfl = t.Lfl;
  tests.Ltarget = in_.Ltarget;
  tests.Lnl = t.Lnl;
  tests.Lmax = in_.Lmax;
  tests.ID = c.ID;
  tests.IDreq = c.IDreq;
  return tests;
}

HeatInputs SearchWalk::HeatInputsOfLastRow() const {
  Winding wire = wire_;
  wire.S = effects_.strands;
  return HeatInputsOf(material_, carried_.turns, wire, in_, effects_.stack_count,
                      request_.copper_factor);
}

bool SearchWalk::WindAndHeat() {
  WindingHeat& heat = carried_.heat;
  tov::WindAndHeat(heat, HeatInputsOfLastRow(), carried_.core);
  if (heat.fits) effects_.total_loss_mw = heat.Ptot;
  return heat.fits;
}

WindingHeat SearchWalk::HeatOfLastRow() const {
  WindingHeat heat = carried_.heat;
  tov::WindAndHeat(heat, HeatInputsOfLastRow(), carried_.core);
  return heat;
}

void SearchWalk::Restart() {
  carried_ = {};
  effects_.total_loss_mw.reset();
}

DesignResult SearchWalk::Result(int16_t row, const WindingHeat& heat) const {
  Winding wire = wire_;
  wire.S = effects_.strands;
  return AssembleDesign(row, material_, effects_.stack_count, request_.copper_factor, in_,
                        carried_.core, carried_.turns, wire, carried_.fill, heat);
}

}  // namespace tov

#include "engines/automatic_selection.h"

#include <optional>
#include <string>

#include "engines/core_data.h"
#include "engines/design_inputs.h"
#include "engines/ecore_options.h"
#include "engines/presentation.h"
#include "engines/search_material.h"
#include "engines/winding_heat.h"
#include "models/rolloff.h"
#include "models/wire_sizing.h"
#include "state/number_format.h"
#include "state/numeric.h"
#include "state/validation.h"

namespace tov {
namespace {

constexpr std::string_view kWireTooLargeTitle = "Wire Size Too Large";
constexpr std::string_view kCoreTooLargeTitle = "Required Core Too Large";
constexpr std::string_view kCoreTooLargeMessage =
    "Required core is larger than any in current database.\r\r"
    "Try reducing current or full load inductance,\r"
    "increasing allowable temperature rise,\r"
    "increasing no load inductance, or stacking cores\r"
    "(Options|Stack Cores).";

// No-load ceiling and roll-off ratio when Full Load L Maximum is off.
constexpr float kNoCeiling_mH = 999999.0f;
constexpr float kFreeRollOffRatio = 0.9f;
// The first turn estimate aims 3 % above the target.
constexpr double kTurnsMargin = 1.03;

// Working values of one search; all start at zero and keep their values when
// a step cannot compute new ones.
struct Search {
  float Tallow = 0;   // deg C, allowable rise
  float Ltarget = 0;  // mH per core, full load
  float Lmax = 0;     // mH per core, no-load ceiling
  float r = 0;        // allowed roll-off ratio
  float Idc = 0, dI = 0, J = 0, f = 0, Ipk = 0, Iw = 0;
  Winding wire;  // G, d and A_w, fixed for the whole run
  CoreData core;
  TurnsSolution turns;
  float IDreq = 0;  // in, inner diameter a single layer needs
  float ID = 0;     // in, the row's inner diameter
  float fill = 0;   // winding factor
  WindingHeat heat;
};

void ReadInputs(Search& s, WindowModel& window) {
  const DesignState& state = window.state;
  Commit(s.Tallow, FieldSingle(window.txtTempInput));
  Commit(s.Ltarget, PerCoreInductance(window.txtLfl, state.StackCount));
  if (window.mnuLfl) {
    Commit(s.Lmax, PerCoreInductance(window.txtLnl, state.StackCount));
    if (s.Lmax != 0) Commit(s.r, ToSingle(static_cast<double>(s.Ltarget) / s.Lmax));
    window.txtLnl.enabled = true;
  } else {
    s.Lmax = kNoCeiling_mH;
    s.r = kFreeRollOffRatio;
    window.txtLnl.enabled = false;
  }
  Commit(s.Idc, FieldSingle(window.txtIdc));
  Commit(s.dI, FieldSingle(window.txtIdelta));
  Commit(s.J, FieldSingle(window.txtCurDens));
  Commit(s.f, FieldSingle(window.txtFreq));
  Commit(s.Ipk, PeakCurrent(s.Idc, s.dI));
  Commit(s.Iw, WindingCurrent(s.Idc, s.dI));
}

// The wire, sized once from the current density. Beyond six strands of gauge
// 12 the user is told the density six strands reach, which the search then uses.
void ChooseWire(Search& s, DesignContext ctx) {
  DesignState& state = ctx.window.state;
  const WireSizing sizing = SizeWire(s.Iw, s.J);
  s.wire = sizing.wire;
  state.Strands = sizing.wire.S;
  state.PrevStrands = sizing.wire.PrevStrands;
  if (!sizing.too_large) return;

  state.Strands = 6;
  float X = sizing.X;
  Commit(X, SixStrandDensity(s.Iw));
  ctx.ui.ShowMessage(kWireTooLargeTitle,
                     "Required wire size is larger than any in current database.\r"
                     "Actual current density will be\r" +
                         FormatNumber(X, "0").value_or("") + " A/sq cm");
  s.J = X;
}

// The first row whose size figure reaches F; the section's end row at the latest.
int16_t StartRow(const CoreTable& cores, const MaterialSection& section, double F) {
  int16_t row = section.first_row;
  while (row < section.end_row) {
    const auto figure = cores.Cell(row, CoreColumn::SizeFigure).AsDouble();
    if (figure && (*figure >= F || *figure == kEndRowSizeFigure)) break;
    ++row;
  }
  return row;
}

bool IsEndRow(const CoreTable& cores, const MaterialSection& section, int16_t row) {
  return row == section.end_row ||
         cores.Cell(row, CoreColumn::SizeFigure).AsDouble() == kEndRowSizeFigure;
}

// Turns, inductances and window fill of one row. The turn count aims 3 % high,
// corrects for roll-off, and is trimmed only while the no-load ceiling leaves
// room; a row over the ceiling keeps its untrimmed count and fails.
void EvaluateRow(Search& s, const WindowModel& window, const RollOffCoefficients& rolloff) {
  const TurnsCore core{s.core.AL, s.core.ui, s.core.le, rolloff};
  TurnsSolution& t = s.turns;
  EstimateTurns(t, s.Ltarget, core.AL, kTurnsMargin);
  UpdateBias(t, core, s.Ipk);
  CorrectForRollOff(t, core);
  UpdateBias(t, core, s.Ipk);
  UpdateFullLoadL(t, core);
  Commit(t.Lnl, NoLoadL(t.N, core.AL));

  const auto ceiling = ToSingle(1.5 * static_cast<double>(s.Lmax));
  if (ceiling && *ceiling > t.Lnl) {
    TrimTurns(t, core, s.Ipk, s.Ltarget);
    UpdateBias(t, core, s.Ipk);
    if (window.mnuSingleLayer) {
      // Strands and turns multiplied in full width: no 16-bit overflow.
      const double wires = static_cast<double>(window.state.Strands) * t.N;
      Commit(s.IDreq, ToSingle(wires * s.wire.d / kPi + s.wire.d));
    } else {
      s.IDreq = 0;
    }
  }

  Commit(t.Lnl, NoLoadL(t.N, core.AL));
  UpdateFullLoadL(t, core);
  if (s.core.Wa != 0) {
    const double wires = static_cast<double>(window.state.Strands) * t.N;
    Commit(s.fill, ToSingle(wires * s.wire.Aw / s.core.Wa));
  }
  s.ID = s.core.WindID;
}

bool Accepted(const Search& s, const SearchMaterial& m) {
  const float fill_limit = static_cast<float>(1.2 * static_cast<double>(m.K));
  return fill_limit > s.fill && s.turns.Lfl > s.Ltarget && s.turns.Lnl < s.Lmax && s.ID > s.IDreq;
}

DesignResult ResultOf(const Search& s, int16_t row, const WindowModel& window) {
  DesignResult r;
  r.row = row;
  r.e_core = IsECore(window.material);
  r.N = s.turns.N;
  r.G = s.wire.G;
  r.strands = window.state.Strands;
  r.ue = s.turns.ue;
  r.Lfl = s.turns.Lfl;
  r.Lnl = s.turns.Lnl;
  r.fill = s.fill;
  r.ODw = s.heat.ODw;
  r.HTw = s.heat.HTw;
  r.Rdc = s.heat.Rdc;
  r.Pfe = s.heat.Pfe;
  r.Pcu = s.heat.Pcu;
  r.Ptot = s.heat.Ptot;
  r.dT = s.heat.dT;
  r.allowable_rise = s.Tallow;
  return r;
}

}  // namespace

void cmdCalculate_Click(DesignContext ctx) {
  WindowModel& window = ctx.window;
  DesignState& state = window.state;

  ValidateInputs(window, ctx.ui);
  state.DesignMode = 0;
  state.Strands = 1;
  window.txtTrise.background = kWhite;
  ResetECoreOptions(ctx, kInvalidOptionTitle);

  Search s;
  ReadInputs(s, window);
  ChooseWire(s, ctx);

  const SearchMaterial& material = SearchMaterialOf(window.material);
  const MaterialSection section = SectionOf(window.material);
  const RollOffCoefficients rolloff = RollOffFor(window.material);
  double F = 0;
  Commit(F, RequiredSizeFigure(s.Ltarget, s.Ipk, s.J, s.r, material));

  // One walk from the start row up: a row that fails the tests, cannot be
  // wound or runs too hot sends it on to the next; the end row, which stands
  // for "no core is large enough", always ends it.
  for (int16_t row = StartRow(ctx.cores, section, F);; ++row) {
    if (IsEndRow(ctx.cores, section, row)) {
      state.CoreIdx = row;
      ctx.ui.ShowMessage(kCoreTooLargeTitle, kCoreTooLargeMessage);
      PresentTooLarge(window);
      return;
    }
    ReadCoreData(s.core, ctx.cores, row);
    EvaluateRow(s, window, rolloff);
    if (!Accepted(s, material)) continue;
    state.CoreIdx = row;

    WindAndHeat(s.heat,
                {.MatType = material.MatType,
                 .e_core = IsECore(window.material),
                 .N = s.turns.N,
                 .ue = s.turns.ue,
                 .G = s.wire.G,
                 .S = state.Strands,
                 .d = s.wire.d,
                 .dI = s.dI,
                 .f = s.f,
                 .Iw = s.Iw,
                 .StackCount = state.StackCount,
                 .CuFactor = state.CuFactor},
                s.core);
    if (!s.heat.fits) continue;
    state.TotalLoss = s.heat.Ptot;
    if (s.heat.dT > s.Tallow) continue;

    PresentResult(window, ctx.cores, ResultOf(s, row, window));
    return;
  }
}

}  // namespace tov

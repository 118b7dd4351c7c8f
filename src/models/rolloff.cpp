#include "models/rolloff.h"

#include <cmath>

#include "state/constants.h"
#include "state/numeric.h"

namespace tov {
std::optional<float> MagForce(int16_t N, float I, float le) {
  // 0.4 pi (1.256) first, then the turns, the current and the path length.
  return ToSingle(kOerstedPerAmpereTurnPerCm * kPi * N * I / le);
}

std::optional<float> EffPerm(float ui, float H, const RollOffCoefficients& k) {
  const double u = ui;
  const double h = H;
  const double numerator = u * u + k.A * (u * u * u) * h + k.B * (u * u * u * u) * (h * h);
  const double denominator = 1 + k.C * u * h + k.D * (u * u) * (h * h);
  if (denominator == 0) return std::nullopt;
  const double ratio = numerator / denominator;
  if (!(ratio >= 0)) return std::nullopt;
  return ToSingle(std::sqrt(ratio));
}

std::optional<float> NoLoadL(int16_t N, float AL) {
  const double turns = N;
  return ToSingle(kMhPerTurn2PerAL * (turns * turns) * AL);
}

std::optional<float> FullLoadL(int16_t N, float AL, float ue, float ui) {
  const double turns = N;
  return ToSingle(kMhPerTurn2PerAL * (turns * turns) * (double{AL} * ue) / ui);
}

void EstimateTurns(TurnsSolution& s, float Ltarget, float AL, double margin) {
  const double ratio = margin * Ltarget / AL;
  if (!(ratio >= 0)) return;
  Commit(s.N, RoundToCount(std::sqrt(ratio) * 1000));
}

void UpdateBias(TurnsSolution& s, const TurnsCore& core, float Ipk) {
  Commit(s.H, MagForce(s.N, Ipk, core.le));
  Commit(s.ue, EffPerm(core.ui, s.H, core.rolloff));
}

void CorrectForRollOff(TurnsSolution& s, const TurnsCore& core) {
  const float turns = s.N;
  Commit(s.N, RoundToCount(double{core.ui} * turns / s.ue));
}

void UpdateFullLoadL(TurnsSolution& s, const TurnsCore& core) {
  Commit(s.Lfl, FullLoadL(s.N, core.AL, s.ue, core.ui));
}

void TrimTurns(TurnsSolution& solution, const TurnsCore& core_in, float Ipk, float Ltarget) {
  // Local copies keep the working values in registers through the loop.
  TurnsSolution s = solution;
  const TurnsCore core = core_in;
  // Each pass removes a turn, so the loop ends by N = 0 at the latest, even
  // where the full-load inductance cannot be computed.
  while (s.Lfl > Ltarget && s.N > 0) {
    --s.N;
    UpdateBias(s, core, Ipk);
    UpdateFullLoadL(s, core);
  }
  Commit(s.N, CheckedAdd(s.N, 1));
  solution = s;
}

TurnsSolution SolveTurns(float Ltarget, const TurnsCore& core, float Ipk) {
  TurnsSolution s;
  EstimateTurns(s, Ltarget, core.AL);
  UpdateBias(s, core, Ipk);
  CorrectForRollOff(s, core);
  UpdateBias(s, core, Ipk);
  UpdateFullLoadL(s, core);
  TrimTurns(s, core, Ipk, Ltarget);
  UpdateBias(s, core, Ipk);
  Commit(s.Lnl, NoLoadL(s.N, core.AL));
  UpdateFullLoadL(s, core);
  return s;
}

}  // namespace tov

#pragma once
// DC-bias roll-off of powder-core permeability, and the turn count that meets
// a full-load inductance in spite of it. Inductances are mH per core, AL is
// mH per 1000 turns, le is cm, currents are A, H is oersted.

#include <cstdint>
#include <optional>

#include "state/material.h"

namespace tov {

// Magnetising force H = 0.4 pi N I / le, Oe; nullopt when it has no value (le = 0).
std::optional<float> MagForce(int16_t N, float I, float le);

// Effective permeability at magnetising force H; ui exactly at H = 0.
// nullopt where the curve has no value (negative radicand, zero denominator).
std::optional<float> EffPerm(float ui, float H, const RollOffCoefficients& k);

// Inductance of one core at N turns, mH: no load 1e-6 N^2 AL; full load
// 1e-6 N^2 (AL ue) / ui. nullopt when it has no value.
std::optional<float> NoLoadL(int16_t N, float AL);
std::optional<float> FullLoadL(int16_t N, float AL, float ue, float ui);

// The core as the turn solution sees it.
struct TurnsCore {
  float AL;  // mH per 1000 turns
  float ui;  // initial permeability
  float le;  // cm
  RollOffCoefficients rolloff;
};

// Working values of a turn solution. Every step commits only the values it
// could compute; the others keep what they had (zero before the first step).
struct TurnsSolution {
  int16_t N = 0;
  float H = 0;    // Oe
  float ue = 0;   // effective permeability at full load
  float Lnl = 0;  // mH per core, no load
  float Lfl = 0;  // mH per core, full load
};

// Steps of the turn solution, shared by the selected-core design and the
// automatic search (which adds a 3 % margin to the first estimate and trims
// only while the no-load ceiling leaves room).
//
// First estimate without roll-off: N = nearest(1000 (margin Ltarget / AL)^0.5).
void EstimateTurns(TurnsSolution& s, float Ltarget, float AL, double margin = 1.0);
// H and ue for the current N at peak current Ipk.
void UpdateBias(TurnsSolution& s, const TurnsCore& core, float Ipk);
// Roll-off correction: N = nearest(ui N / ue), N as a 4-byte float first.
void CorrectForRollOff(TurnsSolution& s, const TurnsCore& core);
// Full-load inductance for the current N and ue.
void UpdateFullLoadL(TurnsSolution& s, const TurnsCore& core);
// While Lfl > Ltarget (and N > 0): N - 1 with new H, ue and Lfl; then N + 1.
void TrimTurns(TurnsSolution& s, const TurnsCore& core, float Ipk, float Ltarget);

// The whole turn solution: estimate, correct for roll-off, trim down while the
// full-load inductance exceeds the target, one turn back up, and the final H,
// ue, Lnl and Lfl.
TurnsSolution SolveTurns(float Ltarget, const TurnsCore& core, float Ipk);

}  // namespace tov

#pragma once
// Choosing the wire: the gauge from the current density, strands of gauge 12
// where one wire would be too thick, and the reductions that make a winding
// fit the core window or a single layer.

#include <cstdint>
#include <optional>

namespace tov {

// Winding current I_w = Idc + dI 0.5 0.577, A, for dI peak to peak: the DC
// current plus the RMS of the ripple, an upper bound of the RMS current.
// nullopt when it has no value.
std::optional<float> WindingCurrent(float Idc, float dI);

// Copper cross-section of one insulated wire of diameter d (in): pi (d 2.54 / 2)^2, cm^2.
std::optional<float> WireArea(float d);

// The wire of a design: gauge G, S strands, diameter d (in), area A_w (cm^2),
// winding factor F, and the winding-reduced flag.
struct Winding {
  int16_t G = 0;
  int16_t S = 1;
  int16_t PrevStrands = 0;  // strand count before the last increase (0: none)
  float d = 0;              // in
  float Aw = 0;             // cm^2
  float F = 0;              // S N A_w / W_a
  bool reduced = false;     // set by every reduction step of FitWindow and FitSingleLayer
};

// Outcome of the initial wire choice.
struct WireSizing {
  Winding wire;            // G, S (and PrevStrands), d and A_w of that gauge
  bool too_large = false;  // more than six strands of gauge 12 would be needed
  float X = 0;             // A/cm^2, whole density per strand at the strand count S
};

// Initial wire choice from the winding current I_w (A) and current density J (A/cm^2):
// G = nearest(-4.31 ln(1.889 I_w / J)); above 42 becomes 42; below 12 becomes
// strands of gauge 12, added until the rounded density per strand is at most
// 1.2 J, at most six (beyond: six strands and too_large). Where the gauge has
// no value (I_w / J not positive, or J zero) it stays 0 and takes the strand rule.
WireSizing SizeWire(float Iw, float J);

// Integer part of the density, A/cm^2, that I_w gives in six strands of gauge 12.
std::optional<float> SixStrandDensity(float Iw);

// Window fill: F = (S N) A_w / W_a; while F > Kmax remove strands down to one,
// then thin the wire gauge by gauge (to gauge 43, where the diameter is 0).
// Always ends.
void FitWindow(int16_t N, Winding& w, float Wa, float Kmax);

// Single layer on a toroid of winding inside diameter WindID (in): remove
// strands while pi ID / (N S + pi) < d, then thin the wire while
// pi ID / (N + pi) < d (to gauge 43 at most). A test without a value (N S
// beyond 16 bits) ends its loop. A_w and F are not recomputed. Always ends.
void FitSingleLayer(int16_t N, Winding& w, float WindID);

}  // namespace tov

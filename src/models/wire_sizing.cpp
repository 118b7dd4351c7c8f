#include "models/wire_sizing.h"

#include <cmath>

#include "models/wire_gauge.h"
#include "state/constants.h"
#include "state/numeric.h"

namespace tov {
namespace {

// Copper area of one wire of gauge 12, the thickest of the tables, cm^2.
double Gauge12Area() {
  return *WireCrossSection(kThickestGauge) * kCm2PerCircularMil;
}

std::optional<float> WireDiaSingle(int AWG) {
  auto d = WireDia(AWG);
  if (!d) return std::nullopt;
  return ToSingle(*d);
}

// F = (S N) A_w / W_a. S N is formed in full width: a winding of more than
// 32767 wires is still reduced strand by strand and gauge by gauge.
std::optional<float> WindowFill(int16_t N, const Winding& w, float Wa) {
  const double wires = int32_t{w.S} * N;
  return ToSingle(wires * w.Aw / Wa);
}

// The widest wire that still lies in one layer of n wires on the inner
// circumference: pi ID / (n + pi), in single precision.
std::optional<float> SingleLayerLimit(float WindID, int32_t n) {
  return ToSingle(kPi * WindID / (n + kPi));
}

// The next thinner gauge with its diameter; nullopt past the last gauge of the tables.
std::optional<int16_t> NextGauge(int16_t G) {
  auto next = CheckedAdd(G, 1);
  if (!next || !WireDia(*next)) return std::nullopt;
  return next;
}

}  // namespace

std::optional<float> WindingCurrent(float Idc, float dI) {
  return ToSingle(Idc + dI * 0.5 * kRippleRmsFactor);
}

std::optional<float> WireArea(float d) {
  const double radius_cm = d * kCmPerInch / 2;
  return ToSingle(kPi * (radius_cm * radius_cm));
}

WireSizing SizeWire(float Iw, float J) {
  WireSizing result;
  Winding& w = result.wire;
  const double needed_area = kGaugeAreaScale * Iw / J;
  if (needed_area > 0) Commit(w.G, RoundToCount(-kGaugePerLnArea * std::log(needed_area)));
  Commit(result.X, ToSingle(std::floor(Iw / Gauge12Area())));
  w.S = 1;
  if (w.G > kThinnestGauge) {
    w.G = kThinnestGauge;
  } else if (w.G < kThickestGauge) {
    // strands of gauge 12 until the density per strand is low enough. X
    // keeps the density of the strand count returned: the step to a
    // seventh strand only raises the too-large condition.
    while (result.X > kStrandDensityAllowance * J) {
      w.PrevStrands = w.S;
      if (w.S == kMaxStrands) {
        result.too_large = true;
        break;
      }
      ++w.S;
      if (auto X = RoundHalfEven(double{result.X} * (w.S - 1) / w.S))
        Commit(result.X, ToSingle(*X));
    }
    w.G = kThickestGauge;
  }
  Commit(w.d, WireDiaSingle(w.G));
  Commit(w.Aw, WireArea(w.d));
  return result;
}

std::optional<float> SixStrandDensity(float Iw) {
  return ToSingle(std::floor(Iw / (kMaxStrands * Gauge12Area())));
}

void FitWindow(int16_t N, Winding& w, float Wa, float Kmax) {
  Commit(w.F, WindowFill(N, w, Wa));
  while (w.F > Kmax && w.S > 1) {
    w.reduced = true;
    --w.S;
    Commit(w.F, WindowFill(N, w, Wa));
  }
  while (w.F > Kmax) {
    w.reduced = true;
    auto next = NextGauge(w.G);
    if (!next) break;
    w.G = *next;
    Commit(w.d, WireDiaSingle(w.G));
    Commit(w.Aw, WireArea(w.d));
    Commit(w.F, WindowFill(N, w, Wa));
  }
}

void FitSingleLayer(int16_t N, Winding& w, float WindID) {
  // Turns times strands in full width; a test that cannot be computed ends
  // its loop: the layer rule has nothing to say about that winding.
  auto too_wide = [&](int32_t wires) {
    auto limit = SingleLayerLimit(WindID, wires);
    return limit && *limit < w.d;
  };
  while (w.S > 1 && too_wide(int32_t{N} * w.S)) {
    w.reduced = true;
    --w.S;
  }
  while (too_wide(N)) {
    w.reduced = true;
    auto next = NextGauge(w.G);
    if (!next) break;
    w.G = *next;
    Commit(w.d, WireDiaSingle(w.G));
  }
}

}  // namespace tov

#include "models/winding_build.h"

#include <cmath>

#include "state/constants.h"
#include "state/numeric.h"

namespace tov {
namespace {

// Wires that fit on the inner circumference id (in) of a layer of wire d (in):
// floor((id - d) pi / d), capped at the wires still to place. A wire of no
// thickness (gauge 43, past the tables) takes no room: all lie in one layer.
// nullopt when the layer holds no wire or the count has no value.
std::optional<int32_t> WiresInLayer(float id, float d, int32_t remaining) {
  if (d == 0) return remaining;
  const double per = std::floor((double{id} - d) * kPi / d);
  if (!std::isfinite(per) || per <= 0) return std::nullopt;
  if (per >= remaining) return remaining;
  return static_cast<int32_t>(per);
}

}  // namespace

ToroidBuild WindToroid(int16_t N, int16_t S, float d, float WindID, float WindOD, float WindHt,
                       int16_t stack_count, std::vector<ToroidLayer>* layers) {
  ToroidBuild build;
  float id = 0;
  float od = 0;
  float ht = 0;
  Commit(id, ToSingle(WindID));
  Commit(od, ToSingle(WindOD));
  Commit(ht, ToSingle(double{WindHt} * stack_count));
  float frac = 0;
  // Each strand is placed as a wire of its own (turns times strands in full
  // width); every layer takes at least one wire or the build-up stops, so the
  // loop always ends.
  int32_t remaining = int32_t{N} * S;
  while (remaining > 0) {
    auto per = WiresInLayer(id, d, remaining);
    if (!per) {
      build.fits = false;
      break;
    }
    if (layers) layers->push_back({*per, id, od, ht});
    // Each wire of the layer goes once around the current cross-section.
    Commit(build.length, ToSingle(build.length + *per * ((double{od} - id) + 2.0 * ht)));
    Commit(frac, ToSingle(*per * double{d} / od));
    remaining -= *per;
    build.placed += *per;
    Commit(id, ToSingle(id - 2.0 * d));
    Commit(od, ToSingle(od + 2.0 * d * frac));
    Commit(ht, ToSingle(ht + 2.0 * d));
  }
  build.ODw = od;
  build.HTw = ht;
  return build;
}

std::optional<float> WindingResistance(double length_in, float Rprime, float copper_factor) {
  return ToSingle(length_in / kInchesPer1000Ft * Rprime * copper_factor);
}

std::optional<double> BobbinWireLength(int16_t N, float WindHt_cm) {
  auto MLT = ToSingle(WindHt_cm / kCmPerInch);
  if (!MLT) return std::nullopt;
  return Finite(static_cast<double>(N) * *MLT);
}

std::optional<float> ToroidSurface(float ODw, float HTw) {
  const double radius = ODw / 2.0;
  return ToSingle((2 * kPi * (radius * radius) + ODw * kPi * HTw) * (kCmPerInch * kCmPerInch));
}

std::optional<float> CopperLoss(float Rdc, float Iw) {
  return ToSingle(1000.0 * Rdc * (double{Iw} * Iw));
}

std::optional<float> TempRise(float Ptot, float As) {
  const double density = double{Ptot} / As;
  if (!(density >= 0)) return std::nullopt;
  return ToSingle(std::pow(density, kTempRiseExponent));
}

}  // namespace tov

// Every model function on random and absurd inputs: each call returns, and
// nothing it returns or commits is NaN or infinite.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <random>

#include "models/core_loss.h"
#include "models/rolloff.h"
#include "models/winding_build.h"
#include "models/wire_gauge.h"
#include "models/wire_sizing.h"

namespace tov {
namespace {

using Limits = std::numeric_limits<float>;

constexpr float kMax = Limits::max();
constexpr float kInf = Limits::infinity();
constexpr std::array<float, 16> kAbsurdFloats = {
    0.0f, -0.0f, -1.0f, 1e30f, -1e30f, 1e-30f, 1e-45f, kMax, -kMax, Limits::quiet_NaN(),
    kInf, -kInf, 3.14f, 0.5f,  125.0f, 1e5f};

constexpr std::array<int16_t, 8> kAbsurdCounts = {0, 1, -1, 6, 43, 32767, -32768, 200};

// Absurd values, values of the engineering range, or random ones of any magnitude.
class Inputs {
 public:
  float Float() {
    const unsigned kind = rng_() % 3;
    if (kind == 0) return kAbsurdFloats[rng_() % kAbsurdFloats.size()];
    if (kind == 1) return std::uniform_real_distribution<float>(-10, 200)(rng_);
    return std::ldexp(std::uniform_real_distribution<float>(-1, 1)(rng_),
                      static_cast<int>(rng_() % 271) - 140);
  }
  int16_t Count() {
    if (rng_() % 2) return kAbsurdCounts[rng_() % kAbsurdCounts.size()];
    return static_cast<int16_t>(rng_());
  }

 private:
  std::mt19937 rng_{20240611};
};

template <class... T>
bool AllFinite(T... values) {
  return (std::isfinite(values) && ...);
}

// Every result that has a value is finite.
template <class... T>
void ExpectFinite(const std::optional<T>&... results) {
  EXPECT_TRUE(((!results || std::isfinite(*results)) && ...));
}

TEST(ModelProperties, AbsurdInputsNeverYieldNaNOrInfinity) {
  Inputs in;
  for (int i = 0; i < 3000; ++i) {
    SCOPED_TRACE(i);
    const RollOffCoefficients k = RollOffFor(kMaterials[i % kMaterials.size()]);
    ExpectFinite(WireDia(in.Count()), WireRes(in.Count()),
                 MagForce(in.Count(), in.Float(), in.Float()), EffPerm(in.Float(), in.Float(), k),
                 NoLoadL(in.Count(), in.Float()),
                 FullLoadL(in.Count(), in.Float(), in.Float(), in.Float()));
    ExpectFinite(CoreLoss(static_cast<int16_t>(i % 5), in.Float(), in.Float(), in.Float(),
                          in.Float(), in.Float(), in.Count()),
                 AcFluxDensity(in.Float(), in.Count(), in.Float(), in.Float()));
    ExpectFinite(WindingCurrent(in.Float(), in.Float()), WireArea(in.Float()),
                 SixStrandDensity(in.Float()),
                 WindingResistance(in.Float(), in.Float(), in.Float()),
                 BobbinWireLength(in.Count(), in.Float()), ToroidSurface(in.Float(), in.Float()),
                 CopperLoss(in.Float(), in.Float()), TempRise(in.Float(), in.Float()),
                 CopperFactor(in.Float()));

    const TurnsCore core{in.Float(), in.Float(), in.Float(), k};
    const TurnsSolution solved = SolveTurns(in.Float(), core, in.Float());
    EXPECT_TRUE(AllFinite(solved.H, solved.ue, solved.Lnl, solved.Lfl));
    TurnsSolution s{in.Count(), 0, 0, 0, 0};
    EstimateTurns(s, in.Float(), in.Float(), in.Float());
    TrimTurns(s, core, in.Float(), in.Float());
    EXPECT_TRUE(AllFinite(s.H, s.ue, s.Lnl, s.Lfl));

    const WireSizing sized = SizeWire(in.Float(), in.Float());
    EXPECT_TRUE(sized.wire.S >= 1 && sized.wire.S <= 6);
    Winding w = sized.wire;
    FitWindow(in.Count(), w, in.Float(), in.Float());
    FitSingleLayer(in.Count(), w, in.Float());
    EXPECT_TRUE(AllFinite(sized.X, sized.wire.d, sized.wire.Aw, w.d, w.Aw, w.F));
    EXPECT_LE(w.G, 43);
    const ToroidBuild b = WindToroid(in.Count(), in.Count(), in.Float(), in.Float(), in.Float(),
                                     in.Float(), in.Count());
    EXPECT_TRUE(AllFinite(b.length, b.ODw, b.HTw));
  }
}

// The loops of the models end on inputs that leave them nothing to change.
TEST(ModelProperties, LoopsEndOnHopelessInputs) {
  const RollOffCoefficients nan_curve{Limits::quiet_NaN(), 0, 0, 0};
  TurnsSolution s{32767, 0, 0, 0, kMax};
  TrimTurns(s, TurnsCore{1, 1, 1, nan_curve}, 1, -kMax);
  EXPECT_EQ(s.N, 1);
  s = TurnsSolution{32767, 0, 0, 0, 0};  // one turn more would overflow
  TrimTurns(s, TurnsCore{100, 125, 5, RollOffFor(Material::MPP)}, 11, 0.1f);
  EXPECT_EQ(s.N, 32767);

  Winding w{12, 32767, 0, 0.0847f, 1, kMax, false};
  FitWindow(32767, w, 0, -1);
  EXPECT_EQ(w.S, 1);
  EXPECT_EQ(w.G, 43);
  w = Winding{12, 32767, 0, 0.0847f, 1, 0, false};
  FitSingleLayer(-32768, w, -kMax);
  EXPECT_LE(w.G, 43);

  const ToroidBuild b = WindToroid(32767, 1, 1e-30f, 1e30f, 1e30f, 1e30f, 32767);
  EXPECT_TRUE(std::isfinite(b.length));
  EXPECT_EQ(SizeWire(kMax, -kMax).wire.S, 6);
}

}  // namespace
}  // namespace tov

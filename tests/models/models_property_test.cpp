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

constexpr std::array<float, 16> kAbsurdFloats = {0.0f,
                                                 -0.0f,
                                                 -1.0f,
                                                 1e30f,
                                                 -1e30f,
                                                 1e-30f,
                                                 Limits::denorm_min(),
                                                 Limits::max(),
                                                 -Limits::max(),
                                                 Limits::quiet_NaN(),
                                                 Limits::infinity(),
                                                 -Limits::infinity(),
                                                 3.14f,
                                                 0.5f,
                                                 125.0f,
                                                 1e5f};

constexpr std::array<int16_t, 8> kAbsurdCounts = {0, 1, -1, 6, 43, 32767, -32768, 200};

class Inputs {
 public:
  float Float() {
    switch (pick_(rng_) % 3) {
      case 0:
        return kAbsurdFloats[pick_(rng_) % kAbsurdFloats.size()];
      case 1:
        return std::uniform_real_distribution<float>(-10, 200)(rng_);
      default:
        return std::ldexp(std::uniform_real_distribution<float>(-1, 1)(rng_),
                          std::uniform_int_distribution<int>(-140, 130)(rng_));
    }
  }
  int16_t Count() {
    if (pick_(rng_) % 2) return kAbsurdCounts[pick_(rng_) % kAbsurdCounts.size()];
    return static_cast<int16_t>(std::uniform_int_distribution<int>(-32768, 32767)(rng_));
  }

 private:
  std::mt19937 rng_{20240611};
  std::uniform_int_distribution<unsigned> pick_{0, 1u << 30};
};

template <class T>
void ExpectFinite(const std::optional<T>& value) {
  if (value) {
    EXPECT_TRUE(std::isfinite(*value));
  }
}

void ExpectFinite(const Winding& w) {
  EXPECT_TRUE(std::isfinite(w.d) && std::isfinite(w.Aw) && std::isfinite(w.F));
}

void ExpectFinite(const TurnsSolution& s) {
  EXPECT_TRUE(std::isfinite(s.H) && std::isfinite(s.ue) && std::isfinite(s.Lnl) &&
              std::isfinite(s.Lfl));
}

TEST(ModelProperties, AbsurdInputsNeverYieldNaNOrInfinity) {
  Inputs in;
  const Material materials[] = {Material::MPP, Material::HF, Material::Velmax, Material::VelmaxE};
  for (int i = 0; i < 3000; ++i) {
    SCOPED_TRACE(i);
    const int gauge = in.Count();
    ExpectFinite(WireDia(gauge));
    ExpectFinite(WireRes(gauge));

    ExpectFinite(CoreLoss(static_cast<int16_t>(i % 5), in.Float(), in.Float(), in.Float(),
                          in.Float(), in.Float(), in.Count()));
    ExpectFinite(AcFluxDensity(in.Float(), in.Count(), in.Float(), in.Float()));

    const RollOffCoefficients k = RollOffFor(materials[i % 4]);
    ExpectFinite(MagForce(in.Count(), in.Float(), in.Float()));
    ExpectFinite(EffPerm(in.Float(), in.Float(), k));
    ExpectFinite(NoLoadL(in.Count(), in.Float()));
    ExpectFinite(FullLoadL(in.Count(), in.Float(), in.Float(), in.Float()));
    const TurnsCore core{in.Float(), in.Float(), in.Float(), k};
    ExpectFinite(SolveTurns(in.Float(), core, in.Float()));
    TurnsSolution s{in.Count(), 0, 0, 0, 0};
    EstimateTurns(s, in.Float(), in.Float(), in.Float());
    TrimTurns(s, core, in.Float(), in.Float());
    ExpectFinite(s);

    ExpectFinite(WindingCurrent(in.Float(), in.Float()));
    ExpectFinite(WireArea(in.Float()));
    ExpectFinite(SixStrandDensity(in.Float()));
    const WireSizing sized = SizeWire(in.Float(), in.Float());
    EXPECT_TRUE(std::isfinite(sized.X));
    EXPECT_GE(sized.wire.S, 1);
    EXPECT_LE(sized.wire.S, 6);
    ExpectFinite(sized.wire);
    Winding w = sized.wire;
    FitWindow(in.Count(), w, in.Float(), in.Float());
    ExpectFinite(w);
    FitSingleLayer(in.Count(), w, in.Float());
    ExpectFinite(w);
    EXPECT_LE(w.G, 43);

    const ToroidBuild b = WindToroid(in.Count(), in.Count(), in.Float(), in.Float(), in.Float(),
                                     in.Float(), in.Count());
    EXPECT_TRUE(std::isfinite(b.length) && std::isfinite(b.ODw) && std::isfinite(b.HTw));
    ExpectFinite(WindingResistance(in.Float(), in.Float(), in.Float()));
    ExpectFinite(BobbinWireLength(in.Count(), in.Float()));
    ExpectFinite(ToroidSurface(in.Float(), in.Float()));
    ExpectFinite(CopperLoss(in.Float(), in.Float()));
    ExpectFinite(TempRise(in.Float(), in.Float()));
    ExpectFinite(CopperFactor(in.Float()));
  }
}

// The loops of the models end on inputs that leave them nothing to change.
TEST(ModelProperties, LoopsEndOnHopelessInputs) {
  const RollOffCoefficients nan_curve{Limits::quiet_NaN(), 0, 0, 0};
  TurnsSolution s{32767, 0, 0, 0, Limits::max()};
  TrimTurns(s, TurnsCore{1, 1, 1, nan_curve}, 1, -Limits::max());
  EXPECT_EQ(s.N, 1);

  Winding w{12, 32767, 0, 0.0847f, 1, Limits::max(), false};
  FitWindow(32767, w, 0, -1);
  EXPECT_EQ(w.S, 1);
  EXPECT_EQ(w.G, 43);
  w = Winding{12, 32767, 0, 0.0847f, 1, 0, false};
  FitSingleLayer(-32768, w, -Limits::max());
  EXPECT_LE(w.G, 43);

  const ToroidBuild b = WindToroid(32767, 1, 1e-30f, 1e30f, 1e30f, 1e30f, 32767);
  EXPECT_TRUE(std::isfinite(b.length));
  EXPECT_EQ(SizeWire(Limits::max(), -Limits::max()).wire.S, 6);
}

}  // namespace
}  // namespace tov

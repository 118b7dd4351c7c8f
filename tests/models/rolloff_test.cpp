#include "models/rolloff.h"

#include <gtest/gtest.h>

namespace tov {
namespace {

struct EffPermCase {
  Material material;
  float ui;
  float H;
  float ue;
};

class EffPermCurve : public ::testing::TestWithParam<EffPermCase> {};

TEST_P(EffPermCurve, MatchesTheMaterialCurve) {
  const auto [material, ui, H, ue] = GetParam();
  EXPECT_NEAR(*EffPerm(ui, H, RollOffFor(material)), ue, 0.005);
}

INSTANTIATE_TEST_SUITE_P(
    Materials, EffPermCurve,
    ::testing::Values(
        EffPermCase{Material::MPP, 125, 50, 60.46f}, EffPermCase{Material::HF, 125, 50, 76.64f},
        EffPermCase{Material::Velmax, 125, 50, 51.50f},
        EffPermCase{Material::VelmaxE, 125, 50, 60.74f},
        EffPermCase{Material::MPP, 60, 100, 30.56f}, EffPermCase{Material::HF, 60, 100, 37.78f},
        EffPermCase{Material::Velmax, 60, 100, 25.68f},
        EffPermCase{Material::VelmaxE, 60, 100, 30.09f},
        EffPermCase{Material::Velmax, 60, 300, 1.91f},
        // Not monotonic: Molypermalloy gains permeability again here.
        EffPermCase{Material::MPP, 60, 300, 11.27f}, EffPermCase{Material::MPP, 60, 310, 11.75f}));

TEST(EffPerm, NoBiasKeepsTheInitialPermeabilityExactly) {
  for (Material m : kMaterials) {
    for (float ui : {14.0f, 60.0f, 125.0f, 147.5f}) EXPECT_EQ(*EffPerm(ui, 0, RollOffFor(m)), ui);
  }
}

TEST(EffPerm, VelmaxToroidCurveHasNoValueInsideTheNegativeBand) {
  const RollOffCoefficients k = RollOffFor(Material::Velmax);
  EXPECT_FALSE(EffPerm(60, 310, k));
  EXPECT_FALSE(EffPerm(1, 500000, k));
  EXPECT_TRUE(EffPerm(1, 530000, k));
}

TEST(MagForce, TurnsTimesCurrentOverPathLength) {
  EXPECT_NEAR(*MagForce(65, 11, 5), 179.608f, 1e-3);
  EXPECT_FALSE(MagForce(65, 11, 0));
}

TEST(Inductance, NoLoadAndFullLoadPerCore) {
  EXPECT_FLOAT_EQ(*NoLoadL(65, 100), 0.4225f);
  EXPECT_FLOAT_EQ(*FullLoadL(65, 100, 62.5f, 125), 0.21125f);
  EXPECT_FALSE(FullLoadL(65, 100, 62.5f, 0));
}

const TurnsCore kMpp125{100, 125, 5, RollOffFor(Material::MPP)};

TEST(SolveTurns, StepsOfTheMolypermalloyExample) {
  TurnsSolution s;
  EstimateTurns(s, 0.1f, kMpp125.AL);
  EXPECT_EQ(s.N, 32);
  UpdateBias(s, kMpp125, 11);
  EXPECT_NEAR(s.H, 88.4, 0.05);
  EXPECT_NEAR(s.ue, 20.86, 0.005);
  CorrectForRollOff(s, kMpp125);
  EXPECT_EQ(s.N, 192);
}

TEST(SolveTurns, TrimsDownAndEndsOneTurnAbove) {
  const TurnsSolution s = SolveTurns(0.1f, kMpp125, 11);
  EXPECT_EQ(s.N, 65);
  EXPECT_NEAR(s.H, 179.6, 0.05);
  EXPECT_NEAR(s.ue, 30.17, 0.005);
  EXPECT_NEAR(s.Lfl, 0.1020, 5e-5);
  EXPECT_FLOAT_EQ(s.Lnl, 0.4225f);
  EXPECT_LT(s.Lfl / s.Lnl, 0.45f);

  TurnsCore core = kMpp125;
  TurnsSolution below{64, 0, 0, 0, 0};
  UpdateBias(below, core, 11);
  UpdateFullLoadL(below, core);
  EXPECT_NEAR(below.Lfl, 0.0974, 5e-5);
}

TEST(SolveTurns, CorrectedCountBelowTheTargetIsNotSearchedUpwards) {
  TurnsCore mpp60 = kMpp125;
  mpp60.ui = 60;
  TurnsSolution s;
  EstimateTurns(s, 0.1f, mpp60.AL);
  UpdateBias(s, mpp60, 11);
  CorrectForRollOff(s, mpp60);
  UpdateBias(s, mpp60, 11);
  UpdateFullLoadL(s, mpp60);
  EXPECT_EQ(s.N, 55);
  EXPECT_NEAR(s.Lfl, 0.0764, 5e-5);

  const TurnsSolution result = SolveTurns(0.1f, mpp60, 11);
  EXPECT_EQ(result.N, 56);
  EXPECT_NEAR(result.Lfl, 0.0762, 5e-5);
}

TEST(SolveTurns, TinyTargetEndsAtOneTurn) {
  EXPECT_EQ(SolveTurns(3e-5f, kMpp125, 11).N, 1);
  EXPECT_EQ(SolveTurns(1e-12f, kMpp125, 11).N, 1);
}

// A failed step leaves what it would have set; the solution goes on.
TEST(SolveTurns, FailedStepsKeepTheirPreviousValues) {
  // Velmax toroid at a bias inside the band without a curve value: ue stays
  // 0, the correction fails and N stays at its first estimate (32), plus one.
  const TurnsCore velmax{100, 60, 1, RollOffFor(Material::Velmax)};
  const TurnsSolution s = SolveTurns(0.1f, velmax, 25);
  EXPECT_EQ(s.N, 33);
  EXPECT_EQ(s.ue, 0);
  EXPECT_EQ(s.Lfl, 0);
  EXPECT_FLOAT_EQ(s.Lnl, 0.1089f);

  TurnsSolution kept{7, 1, 2, 3, 4};
  EstimateTurns(kept, 1e6f, 1);  // beyond 32767 turns
  EstimateTurns(kept, 0.1f, 0);  // AL of zero
  EstimateTurns(kept, -0.1f, 100);
  EXPECT_EQ(kept.N, 7);
  kept.ue = 0;
  CorrectForRollOff(kept, kMpp125);
  EXPECT_EQ(kept.N, 7);
}

TEST(TrimTurns, EndsAtZeroTurnsWhenTheInductanceCannotBeComputed) {
  const TurnsCore no_perm{100, 0, 5, RollOffFor(Material::MPP)};
  TurnsSolution s{32767, 0, 0, 0, 1};
  TrimTurns(s, no_perm, 11, 0.1f);
  EXPECT_EQ(s.N, 1);
  EXPECT_EQ(s.Lfl, 1);
}

TEST(TrimTurns, LastCountStaysWhenOneMoreTurnOverflows) {
  TurnsSolution s{32767, 0, 0, 0, 0};
  TrimTurns(s, kMpp125, 11, 0.1f);
  EXPECT_EQ(s.N, 32767);
}

}  // namespace
}  // namespace tov

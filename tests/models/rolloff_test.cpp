#include "models/rolloff.h"

#include <gtest/gtest.h>

namespace tov {
namespace {

TEST(EffPerm, FollowsTheCurveOfEachMaterial) {
  const struct {
    Material material;
    float ui, H, ue;
  } cases[] = {
      {Material::MPP, 125, 50, 60.46f},
      {Material::HF, 125, 50, 76.64f},
      {Material::Velmax, 125, 50, 51.50f},
      {Material::VelmaxE, 125, 50, 60.74f},
      {Material::Velmax, 60, 300, 1.91f},
      // Not monotonic: Molypermalloy gains permeability again here.
      {Material::MPP, 60, 300, 11.27f},
      {Material::MPP, 60, 310, 11.75f},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(*EffPerm(c.ui, c.H, RollOffFor(c.material)), c.ue, 0.005) << c.ue;
  }
  for (Material m : kMaterials) EXPECT_EQ(*EffPerm(147.5f, 0, RollOffFor(m)), 147.5f);
  // The Velmax toroid curve has no value inside a band of negative radicand.
  EXPECT_FALSE(EffPerm(60, 310, RollOffFor(Material::Velmax)));
  EXPECT_FALSE(EffPerm(1, 500000, RollOffFor(Material::Velmax)));
  EXPECT_TRUE(EffPerm(1, 530000, RollOffFor(Material::Velmax)));
}

const TurnsCore kMpp125{100, 125, 5, RollOffFor(Material::MPP)};

TEST(SolveTurns, MolypermalloyExampleStepByStep) {
  TurnsSolution s;
  EstimateTurns(s, 0.1f, kMpp125.AL);
  EXPECT_EQ(s.N, 32);
  UpdateBias(s, kMpp125, 11);
  EXPECT_NEAR(s.H, 88.4, 0.05);
  EXPECT_NEAR(s.ue, 20.86, 0.005);
  CorrectForRollOff(s, kMpp125);
  EXPECT_EQ(s.N, 192);

  // Trimmed down to 64 turns (Lfl 0.0974 mH), then one turn back up.
  s = SolveTurns(0.1f, kMpp125, 11);
  EXPECT_EQ(s.N, 65);
  EXPECT_NEAR(s.H, 179.6, 0.05);
  EXPECT_NEAR(s.ue, 30.17, 0.005);
  EXPECT_NEAR(s.Lfl, 0.1020, 5e-5);
  EXPECT_FLOAT_EQ(s.Lnl, 0.4225f);
}

TEST(SolveTurns, EndsOneTurnAboveEvenWhenTheCorrectionFallsShort) {
  // The roll-off correction gives 55 turns (0.0764 mH); no upward search follows.
  TurnsCore mpp60 = kMpp125;
  mpp60.ui = 60;
  const TurnsSolution s = SolveTurns(0.1f, mpp60, 11);
  EXPECT_EQ(s.N, 56);
  EXPECT_NEAR(s.Lfl, 0.0762, 5e-5);
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
  EXPECT_EQ(kept.N, 7);
}

}  // namespace
}  // namespace tov

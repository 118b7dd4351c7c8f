#include "models/rolloff.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tov {
namespace {

// Two points of each curve, in the order of kMaterials: ue at ui 125 and
// 50 Oe, and at ui 60 and 100 Oe.
TEST(EffPerm, FollowsTheCurveOfEachMaterial) {
  const float ue[][2] = {{60.46f, 30.56f}, {76.64f, 37.78f}, {51.50f, 25.68f}, {60.74f, 30.09f}};
  for (Material m : kMaterials) {
    EXPECT_NEAR(*EffPerm(125, 50, RollOffFor(m)), ue[int(m)][0], 0.005);
    EXPECT_NEAR(*EffPerm(60, 100, RollOffFor(m)), ue[int(m)][1], 0.005);
    EXPECT_EQ(EffPerm(147.5f, 0, RollOffFor(m)), 147.5f);
    EXPECT_EQ(EffPerm(0, 50, RollOffFor(m)), 0.0f);
  }
  const RollOffCoefficients mpp = RollOffFor(Material::MPP), velmax = RollOffFor(Material::Velmax);
  // Not monotonic: Molypermalloy gains permeability again here.
  EXPECT_NEAR(*EffPerm(60, 300, mpp), 11.27, 0.005);
  EXPECT_NEAR(*EffPerm(60, 310, mpp), 11.75, 0.005);
  // The Velmax toroid curve has no value inside a band of negative radicand.
  EXPECT_NEAR(*EffPerm(60, 300, velmax), 1.91, 0.005);
  EXPECT_FALSE(EffPerm(60, 310, velmax) || EffPerm(1, 500000, velmax));
  EXPECT_TRUE(EffPerm(1, 530000, velmax));
}

const TurnsCore kMpp125{100, 125, 5, RollOffFor(Material::MPP)};

// The first estimate, its bias, the roll-off correction, then trimmed down to
// 64 turns (Lfl 0.0974 mH) and one turn back up.
TEST(SolveTurns, MolypermalloyExampleStepByStep) {
  TurnsSolution s;
  EstimateTurns(s, 0.1f, kMpp125.AL);
  UpdateBias(s, kMpp125, 11);
  EXPECT_EQ(s.N, 32);
  EXPECT_NEAR(s.H, 88.4, 0.05);
  EXPECT_NEAR(s.ue, 20.86, 0.005);
  CorrectForRollOff(s, kMpp125);
  EXPECT_EQ(s.N, 192);
  s = SolveTurns(0.1f, kMpp125, 11);
  EXPECT_EQ(s.N, 65);
  EXPECT_NEAR(s.H, 179.6, 0.05);
  EXPECT_NEAR(s.ue, 30.17, 0.005);
  EXPECT_NEAR(s.Lfl, 0.1020, 5e-5);
  EXPECT_FLOAT_EQ(s.Lnl, 0.4225f);
}

// The correction may fall short (55 turns, 0.0764 mH): no upward search
// follows. A target the trimming cannot reach stops it at zero turns; a
// full-load L equal to the target needs no trimming.
TEST(SolveTurns, EndsOneTurnAboveEvenWhenTheCorrectionFallsShort) {
  const TurnsSolution s = SolveTurns(0.1f, {100, 60, 5, RollOffFor(Material::MPP)}, 11);
  EXPECT_EQ(s.N, 56);
  EXPECT_NEAR(s.Lfl, 0.0762, 5e-5);
  for (float tiny : {1e-12f, -1.0f}) EXPECT_EQ(SolveTurns(tiny, kMpp125, 11).N, 1);
  TurnsSolution at_target{40, 0, 0, 0, 0.1f};
  TrimTurns(at_target, kMpp125, 11, 0.1f);
  EXPECT_EQ(at_target.N, 41);
}

// A failed step leaves what it would have set; the solution goes on. The
// Velmax toroid at a bias inside the band without a curve value: ue stays 0,
// the correction fails and N stays at its first estimate (32), plus one.
TEST(SolveTurns, FailedStepsKeepTheirPreviousValues) {
  const TurnsSolution s = SolveTurns(0.1f, {100, 60, 1, RollOffFor(Material::Velmax)}, 25);
  EXPECT_EQ(std::tuple(s.N, s.ue, s.Lfl), std::tuple(int16_t{33}, 0.0f, 0.0f));
  EXPECT_FLOAT_EQ(s.Lnl, 0.1089f);
  TurnsSolution kept{7, 1, 2, 3, 4};
  EstimateTurns(kept, 1e6f, 1);  // beyond 32767 turns
  EstimateTurns(kept, 0.1f, 0);  // AL of zero
  EXPECT_EQ(kept.N, 7);
  EstimateTurns(kept, 0, 100);
  EXPECT_EQ(kept.N, 0);
}

}  // namespace
}  // namespace tov

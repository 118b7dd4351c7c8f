#include "models/core_loss.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace tov {
namespace {

// The loss grades as the data sheet prints them: material code, permeabilities
// of the grade (both ends of a range), k in mW/cm^3, the exponents of f (kHz)
// and of Bac (kG). P_fe = k stack_count Ae le f^c Bac^a, here for two cores of
// 0.6 cm^2 and 4.5 cm.
TEST(CoreLoss, EveryGradeFollowsItsPowerLaw) {
  const struct {
    int16_t MatType;
    std::vector<float> perms;
    double k, c, a;
  } printed[] = {// clang-format off
      {1, {14}, 2.341, 1.31, 2.21}, {1, {26}, 0.999, 1.41, 2.18}, {1, {60}, 0.625, 1.41, 2.24},
      {1, {125}, 1.199, 1.4, 2.31}, {1, {147, 160, 173}, 0.771, 1.5, 2.25},
      {1, {200, 300}, 1.0, 1.64, 2.27}, {2, {14}, 6.37, 1.26, 2.52}, {2, {26}, 5.437, 1.25, 2.55},
      {2, {60}, 4.578, 1.23, 2.56}, {2, {125}, 2.687, 1.33, 2.59}, {2, {147, 160}, 3.613, 1.41, 2.56},
      {3, {-1, 60, 550}, 1.0, 1.46, 2.0}};
  // clang-format on
  for (const auto& g : printed) {
    for (float ui : g.perms) {
      for (auto [f, B] :
           {std::pair{25.0f, 0.05f}, {25.0f, 2.0f}, {200.0f, 0.05f}, {200.0f, 2.0f}}) {
        const double P = g.k * 2 * 0.6 * 4.5 * std::pow(f, g.c) * std::pow(B, g.a);
        EXPECT_NEAR(*CoreLoss(g.MatType, ui, f, B, 4.5f, 0.6f, 2), P, 1e-5 * P)
            << g.MatType << " / " << ui << " at " << f << " kHz, " << B << " kG";
      }
    }
  }
}

TEST(CoreLoss, NoGradeNoRippleOrNoValue) {
  const std::pair<int16_t, std::vector<float>> no_grade[] = {
      {1, {13, 146, 174, 199, 301, 550}}, {2, {146, 161, 173}}, {0, {125}}, {4, {125}}};
  for (const auto& [MatType, perms] : no_grade) {
    for (float ui : perms) EXPECT_EQ(*CoreLoss(MatType, ui, 100, 1, 1, 1, 1), 0) << ui;
  }
  EXPECT_EQ(*CoreLoss(1, 125, 100, 0, 1, 1, 1), 0);
  EXPECT_FALSE(CoreLoss(1, 125, -100, 1, 1, 1, 1));  // negative frequency to a fractional power
  EXPECT_FALSE(CoreLoss(1, 125, 100, 1, 3e38f, 3e38f, 5));      // volume beyond the float range
  EXPECT_NEAR(*AcFluxDensity(30.17f, 65, 2, 5), 0.4926, 1e-4);  // ue 0.001 0.4 pi N dI / 2 le
  EXPECT_FALSE(AcFluxDensity(30.17f, 65, 2, 0));
}

}  // namespace
}  // namespace tov

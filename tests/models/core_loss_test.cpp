#include "models/core_loss.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tov {
namespace {

TEST(CoreLoss, Molypermalloy125At100kHzAnd1kG) {
  EXPECT_NEAR(*CoreLoss(1, 125, 100, 1, 1, 1, 1), 756.5, 0.05);
}

struct CoefficientCase {
  int16_t MatType;
  float ui;
  float k;  // 0: no row applies
};

class CoefficientRows : public ::testing::TestWithParam<CoefficientCase> {};

TEST_P(CoefficientRows, PickTheRowOfMaterialAndPermeability) {
  const auto [MatType, ui, k] = GetParam();
  const CoreLossCoefficients c = CoreLossCoefficientsFor(MatType, ui);
  EXPECT_EQ(c.k, k);
  if (k == 0) {
    EXPECT_EQ(c.c, 0);
    EXPECT_EQ(c.a, 0);
    EXPECT_EQ(*CoreLoss(MatType, ui, 100, 1, 1, 1, 1), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, CoefficientRows,
    ::testing::Values(CoefficientCase{1, 14, 2.341f}, CoefficientCase{1, 125, 1.199f},
                      CoefficientCase{1, 146, 0}, CoefficientCase{1, 147, 0.771f},
                      CoefficientCase{1, 160, 0.771f}, CoefficientCase{1, 173, 0.771f},
                      CoefficientCase{1, 174, 0}, CoefficientCase{1, 200, 1.0f},
                      CoefficientCase{1, 300, 1.0f}, CoefficientCase{1, 550, 0},
                      CoefficientCase{2, 14, 6.37f}, CoefficientCase{2, 147, 3.613f},
                      CoefficientCase{2, 160, 3.613f}, CoefficientCase{2, 173, 0},
                      CoefficientCase{2, 300, 0}, CoefficientCase{3, 26, 1.0f},
                      CoefficientCase{3, 550, 1.0f}, CoefficientCase{3, -1, 1.0f},
                      CoefficientCase{0, 125, 0}, CoefficientCase{4, 125, 0}));

TEST(CoreLoss, VelmaxUsesOneLawForEveryPermeability) {
  const CoreLossCoefficients c = CoreLossCoefficientsFor(3, 90);
  EXPECT_EQ(c.c, 1.46f);
  EXPECT_EQ(c.a, 2.0f);
  EXPECT_NEAR(*CoreLoss(3, 90, 100, 2, 1, 1, 1), 4 * std::pow(100.0, double{1.46f}), 1e-3);
}

TEST(CoreLoss, StackScalesTheVolumeAndNoRippleGivesNoLoss) {
  const double one = *CoreLoss(2, 60, 50, 0.7f, 3.2f, 0.4f, 1);
  EXPECT_NEAR(*CoreLoss(2, 60, 50, 0.7f, 3.2f, 0.4f, 3), 3 * one, 1e-6 * one);
  EXPECT_EQ(*CoreLoss(2, 60, 50, 0, 3.2f, 0.4f, 1), 0);
}

TEST(CoreLoss, PowersWithoutARealValueFail) {
  EXPECT_FALSE(CoreLoss(1, 125, -100, 1, 1, 1, 1));  // negative frequency to a fractional power
  EXPECT_FALSE(CoreLoss(1, 125, 100, 1, 3e38f, 3e38f, 5));  // volume beyond the float range
}

TEST(AcFluxDensity, PeakFluxOfTheRippleAndDivisionByZero) {
  // 30.17 0.001 1.256 65 0.5 2 / 5
  EXPECT_NEAR(*AcFluxDensity(30.17f, 65, 2, 5), 0.4926, 1e-4);
  EXPECT_FALSE(AcFluxDensity(30.17f, 65, 2, 0));
  EXPECT_EQ(*AcFluxDensity(30.17f, 65, 0, 5), 0);
}

}  // namespace
}  // namespace tov

#include "models/core_loss.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tov {
namespace {

TEST(CoreLoss, Molypermalloy125At100kHzAnd1kG) {
  EXPECT_NEAR(*CoreLoss(1, 125, 100, 1, 1, 1, 1), 756.5, 0.05);
}

// The coefficient row of material and permeability at the edges of each range;
// k 0 where no row applies, which gives no loss.
TEST(CoreLoss, CoefficientRowsAtTheirBoundaries) {
  const struct {
    int16_t MatType;
    float ui;
    float k;
  } cases[] = {
      {1, 146, 0},    {1, 147, 0.771f}, {1, 173, 0.771f}, {1, 174, 0},      {1, 200, 1.0f},
      {1, 300, 1.0f}, {1, 550, 0},      {2, 14, 6.37f},   {2, 160, 3.613f}, {2, 173, 0},
      {3, -1, 1.0f},  {3, 550, 1.0f},   {0, 125, 0},      {4, 125, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CoreLossCoefficientsFor(c.MatType, c.ui).k, c.k) << c.MatType << " / " << c.ui;
    EXPECT_EQ(*CoreLoss(c.MatType, c.ui, 100, 1, 1, 1, 1) == 0, c.k == 0);
  }
}

TEST(CoreLoss, ExponentsStackAndFailures) {
  // Velmax: k 1, f^1.46, Bac^2 for every permeability.
  EXPECT_NEAR(*CoreLoss(3, 90, 100, 2, 1, 1, 1), 4 * std::pow(100.0, double{1.46f}), 1e-3);
  const double one = *CoreLoss(2, 60, 50, 0.7f, 3.2f, 0.4f, 1);
  EXPECT_NEAR(*CoreLoss(2, 60, 50, 0.7f, 3.2f, 0.4f, 3), 3 * one, 1e-6 * one);
  EXPECT_FALSE(CoreLoss(1, 125, -100, 1, 1, 1, 1));  // negative frequency to a fractional power
  EXPECT_FALSE(CoreLoss(1, 125, 100, 1, 3e38f, 3e38f, 5));  // volume beyond the float range
}

TEST(AcFluxDensity, PeakFluxOfTheRippleAndDivisionByZero) {
  EXPECT_NEAR(*AcFluxDensity(30.17f, 65, 2, 5), 0.4926, 1e-4);
  EXPECT_FALSE(AcFluxDensity(30.17f, 65, 2, 0));
}

}  // namespace
}  // namespace tov

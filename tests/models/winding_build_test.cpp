#include "models/winding_build.h"

#include <gtest/gtest.h>

namespace tov {
namespace {

constexpr float kGauge18 = 0.0437f;
constexpr float kGauge18Res = 6.386f;

TEST(WindToroid, OneLayerHoldsEveryTurn) {
  const ToroidBuild b = WindToroid(30, 1, kGauge18, 0.5f, 1.0f, 0.4f, 1);
  EXPECT_TRUE(b.fits);
  EXPECT_FLOAT_EQ(b.length, 39);
  EXPECT_NEAR(b.ODw, 1.1146, 5e-5);
  EXPECT_FLOAT_EQ(b.HTw, 0.4874f);
  EXPECT_NEAR(*WindingResistance(b.length, kGauge18Res, 1), 0.02075, 5e-6);
  EXPECT_NEAR(*ToroidSurface(b.ODw, b.HTw), 23.59, 0.005);
}

TEST(WindToroid, SecondLayerTakesTheRest) {
  const ToroidBuild b = WindToroid(50, 1, kGauge18, 0.5f, 1.0f, 0.4f, 1);
  EXPECT_TRUE(b.fits);
  EXPECT_NEAR(b.length, 71.92, 0.005);
  EXPECT_NEAR(b.ODw, 1.1835, 5e-5);
  EXPECT_FLOAT_EQ(b.HTw, 0.5748f);
  EXPECT_NEAR(*WindingResistance(b.length, kGauge18Res, 1), 0.03827, 5e-6);
}

TEST(WindToroid, StrandsAreWiresOfTheirOwnAndStacksRaiseTheHeight) {
  const ToroidBuild strands = WindToroid(25, 2, kGauge18, 0.5f, 1.0f, 0.4f, 1);
  const ToroidBuild wires = WindToroid(50, 1, kGauge18, 0.5f, 1.0f, 0.4f, 1);
  EXPECT_EQ(strands.length, wires.length);
  EXPECT_EQ(strands.ODw, wires.ODw);

  const ToroidBuild stacked = WindToroid(30, 1, kGauge18, 0.5f, 1.0f, 0.4f, 2);
  EXPECT_FLOAT_EQ(stacked.length, 30 * (0.5f + 2 * 0.8f));
  EXPECT_FLOAT_EQ(stacked.HTw, 0.8f + 2 * kGauge18);
}

// The build-up stops where a layer holds no wire and says so, keeping the
// layers it did wind.
TEST(WindToroid, UsedUpHoleStopsWithWhatWasBuilt) {
  // A hole of 0.1 in takes one layer of four wires, then no more.
  const ToroidBuild tiny_hole = WindToroid(30000, 1, kGauge18, 0.1f, 0.3f, 0.1f, 1);
  EXPECT_FALSE(tiny_hole.fits);
  EXPECT_FLOAT_EQ(tiny_hole.length, 4 * (0.2f + 2 * 0.1f));
  EXPECT_FLOAT_EQ(tiny_hole.HTw, 0.1f + 2 * kGauge18);

  const ToroidBuild uncountable = WindToroid(32767, 6, kGauge18, 0.5f, 1.0f, 0.4f, 1);
  EXPECT_FALSE(uncountable.fits);  // turns times strands beyond 16 bits
  EXPECT_EQ(uncountable.length, 0);

  const ToroidBuild crowded = WindToroid(1000, 1, kGauge18, 0.5f, 1.0f, 0.4f, 1);
  EXPECT_FALSE(crowded.fits);
  EXPECT_GT(crowded.length, 0);
  EXPECT_GT(crowded.ODw, 1.0f);
  // Layers of 32, 26, 20, 13, 7 and 1 wires, then the hole is closed.
  EXPECT_NEAR(crowded.HTw, 0.4 + 6 * 2 * 0.0437, 1e-5);

  const ToroidBuild no_hole = WindToroid(10, 1, kGauge18, 0.04f, 1.0f, 0.4f, 1);
  EXPECT_FALSE(no_hole.fits);
  EXPECT_EQ(no_hole.length, 0);
  EXPECT_EQ(no_hole.ODw, 1.0f);
}

TEST(WindToroid, WireWithoutDiameterPlacesNothing) {
  const ToroidBuild b = WindToroid(40, 1, 0, 0.5f, 1.0f, 0.4f, 1);
  EXPECT_FALSE(b.fits);
  EXPECT_EQ(b.length, 0);
  EXPECT_EQ(*WindingResistance(b.length, 0, 1), 0);
}

TEST(WindToroid, ThinWireCountsBeyond16BitsStillFitOneLayer) {
  const ToroidBuild b = WindToroid(100, 1, 1e-7f, 0.5f, 1.0f, 0.4f, 1);
  EXPECT_TRUE(b.fits);
  EXPECT_NEAR(b.length, 130, 1e-3);
}

TEST(Bobbin, MeanTurnLengthInInches) {
  EXPECT_NEAR(*BobbinWireLength(40, 5.08f), 80, 1e-4);
  EXPECT_NEAR(*WindingResistance(*BobbinWireLength(40, 5.08f), 10, 1), 80.0 / 12000 * 10, 1e-6);
}

TEST(Losses, CopperLossCopperFactorAndTemperatureRise) {
  EXPECT_FLOAT_EQ(*CopperLoss(0.02f, 10), 2000);
  EXPECT_EQ(*CopperFactor(20), 1);
  EXPECT_FLOAT_EQ(*CopperFactor(70), 1.1965f);
  EXPECT_NEAR(*TempRise(1000, 10), 46.34, 0.005);  // 100^0.833
  EXPECT_EQ(*TempRise(0, 10), 0);
  EXPECT_FALSE(TempRise(1000, 0));
  EXPECT_FALSE(TempRise(-1000, 10));
  EXPECT_FALSE(WindingResistance(1e300, 1e30f, 1e30f));
}

}  // namespace
}  // namespace tov

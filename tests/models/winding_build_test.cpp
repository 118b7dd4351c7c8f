#include "models/winding_build.h"

#include <gtest/gtest.h>

#include "models/wire_gauge.h"

namespace tov {
namespace {

// The worked examples wind gauge 18 as the wire tables give it.
const float kGauge18 = static_cast<float>(*WireDia(18));
const float kGauge18Res = static_cast<float>(*WireRes(18));

TEST(WindToroid, OneLayerThenASecondLayerForTheRest) {
  const ToroidBuild one = WindToroid(30, 1, kGauge18, 0.5f, 1.0f, 0.4f, 1);
  EXPECT_TRUE(one.fits);
  EXPECT_FLOAT_EQ(one.length, 39);
  EXPECT_NEAR(one.ODw, 1.1146, 5e-5);
  EXPECT_FLOAT_EQ(one.HTw, 0.4874f);
  EXPECT_NEAR(*WindingResistance(one.length, kGauge18Res, 1), 0.02075, 5e-6);
  EXPECT_NEAR(*ToroidSurface(one.ODw, one.HTw), 23.59, 0.005);

  const ToroidBuild two = WindToroid(50, 1, kGauge18, 0.5f, 1.0f, 0.4f, 1);
  EXPECT_TRUE(two.fits);
  EXPECT_NEAR(two.length, 71.92, 0.005);
  EXPECT_NEAR(two.ODw, 1.1835, 5e-5);
  EXPECT_FLOAT_EQ(two.HTw, 0.5748f);

  // strands are wires of their own; a stack raises the height.
  const ToroidBuild strands = WindToroid(25, 2, kGauge18, 0.5f, 1.0f, 0.4f, 1);
  EXPECT_EQ(strands.length, two.length);
  EXPECT_EQ(strands.ODw, two.ODw);
  EXPECT_FLOAT_EQ(WindToroid(30, 1, kGauge18, 0.5f, 1.0f, 0.4f, 2).HTw, 0.8f + 2 * kGauge18);
  // Wire so thin that a layer holds more than 16 bits of wires.
  EXPECT_NEAR(WindToroid(100, 1, 1e-7f, 0.5f, 1.0f, 0.4f, 1).length, 130, 1e-3);
}

// The build-up ends where a layer holds no wire and says so, keeping the
// layers it did wind.
TEST(WindToroid, AUsedUpHoleEndsTheBuildWithFitsFalse) {
  const struct {
    int16_t N, S;
    float WindID, HTw;
  } cases[] = {
      {1000, 1, 0.5f, 0.4f + 6 * 2 * kGauge18},   // layers of 32, 26, 20, 13, 7 and 1 wires
      {10, 1, 0.05f, 0.4f},                       // no room for one wire: nothing placed
      {32767, 6, 0.5f, 0.4f + 6 * 2 * kGauge18},  // turns times strands beyond 16 bits
  };
  for (const auto& c : cases) {
    const ToroidBuild b = WindToroid(c.N, c.S, kGauge18, c.WindID, 1.0f, 0.4f, 1);
    EXPECT_FALSE(b.fits) << c.N;
    EXPECT_NEAR(b.HTw, c.HTw, 1e-5) << c.N;
    EXPECT_EQ(b.length > 0, c.HTw > 0.4f) << c.N;
  }
}

TEST(Losses, BobbinCopperLossAndTemperatureRise) {
  EXPECT_NEAR(*BobbinWireLength(40, 5.08f), 80, 1e-4);
  EXPECT_FLOAT_EQ(*CopperLoss(0.02f, 10), 2000);
  EXPECT_NEAR(*TempRise(1000, 10), 46.34, 0.005);  // 100^0.833
  EXPECT_EQ(TempRise(0, 10), 0.0f);
  EXPECT_FALSE(TempRise(1000, 0));
  EXPECT_FALSE(TempRise(-1000, 10));
}

}  // namespace
}  // namespace tov

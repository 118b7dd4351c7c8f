#include "models/wire_gauge.h"

#include <gtest/gtest.h>

namespace tov {
namespace {

TEST(WireGauge, TableEndsHoldTheirValues) {
  EXPECT_EQ(*WireDia(12), 0.0847);
  EXPECT_EQ(*WireRes(12), 1.589);
  EXPECT_EQ(*WireDia(18), 0.0437);
  EXPECT_EQ(*WireRes(18), 6.386);
  EXPECT_EQ(*WireDia(42), 0.0032);
  EXPECT_EQ(*WireRes(42), 1659);
  EXPECT_EQ(*WireRes(32), 162);
  EXPECT_EQ(*WireRes(40), 1079);
}

TEST(WireGauge, GaugesWithoutEntryReadZeroAndOutsideTheRangeFail) {
  for (int AWG : {0, 11, 43}) {
    EXPECT_EQ(*WireDia(AWG), 0) << AWG;
    EXPECT_EQ(*WireRes(AWG), 0) << AWG;
  }
  for (int AWG : {-1, 44, 1000}) {
    EXPECT_FALSE(WireDia(AWG)) << AWG;
    EXPECT_FALSE(WireRes(AWG)) << AWG;
  }
}

TEST(WireGauge, ThinnerGaugesAreThinnerAndResistMore) {
  for (int AWG = kThickestGauge; AWG < kThinnestGauge; ++AWG) {
    EXPECT_GT(*WireDia(AWG), *WireDia(AWG + 1)) << AWG;
    EXPECT_LT(*WireRes(AWG), *WireRes(AWG + 1)) << AWG;
  }
}

}  // namespace
}  // namespace tov

// The wire tables against the facts they come from: the AWG diameters
// 0.005 in x 92^((36 - n) / 39), and copper of 10.371 ohm circular mil per foot.

#include "models/wire_gauge.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tov {
namespace {

TEST(WireTables, EveryGaugeFollowsTheGaugeDefinitionAndCopper) {
  double thicker = 0;  // insulated diameter of the gauge before, in
  for (int AWG = kThickestGauge; AWG <= kThinnestGauge; ++AWG) {
    SCOPED_TRACE(AWG);
    const double bare_in = 0.005 * std::pow(92.0, (36.0 - AWG) / 39);
    const double cmil = *WireCrossSection(AWG);  // a circular mil: a circle of 1 mil diameter
    EXPECT_NEAR(std::sqrt(cmil) / 1000 / bare_in, 1, 0.015);
    // The stored resistance of gauge 41 lies 7.6 % above copper's.
    EXPECT_NEAR(*WireRes(AWG) * cmil / 10371, AWG == 41 ? 1.076 : 1, 0.005);
    // Insulated diameters shrink by a nearly constant ratio, about 92^(1/39) = 1.123.
    const double d = *WireDia(AWG);
    EXPECT_GT(d, bare_in);
    if (thicker > 0) {
      EXPECT_GT(thicker / d, 1.095);
      EXPECT_LT(thicker / d, 1.14);
    }
    thicker = d;
  }
  for (int AWG : {0, 11, 43}) {
    EXPECT_EQ(*WireDia(AWG) + *WireRes(AWG) + *WireCrossSection(AWG), 0) << AWG;
  }
  for (int AWG : {-1, 44}) EXPECT_FALSE(WireDia(AWG) || WireRes(AWG) || WireCrossSection(AWG));
}

}  // namespace
}  // namespace tov

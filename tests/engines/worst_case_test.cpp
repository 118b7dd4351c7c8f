// The worst case of random designs of every material: never better than the
// nominal design, equal to it without tolerance and heating, a settled heat
// balance, and no value where the numbers run away.

#include "engines/worst_case.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "state/constants.h"
#include "support/random_designs.h"

namespace tov {
namespace {

TEST(WorstCase, NeverImprovesOnTheNominalDesignAndSettlesTheHeatBalance) {
  for (const DesignResult& d : testing::RandomDesigns()) {
    const double Lfl_uH = 1000.0 * d.stack_count * d.Lfl;
    const WorstCase w = WorstCaseOf(d, kDefaultALTolerancePercent);
    EXPECT_NEAR(w.Lfl_min_uH, 0.92 * Lfl_uH, 1e-9 * Lfl_uH);
    const double ambient = 20 + (d.copper_factor - 1) / 0.00393;
    // The rise the winding's own loss makes with the copper `rise` above ambient.
    const auto rise_at = [&](double rise) {
      const double R = d.Rdc / d.copper_factor * (1 + 0.00393 * (ambient + rise - 20));
      return std::pow((d.Pfe + 1000 * R * d.in.Iw * d.in.Iw) / d.As, 0.833);
    };
    if (!w.hot) {
      // Runaway: with the copper at its melting point the loss still heats it further.
      const double melting_rise = kCopperMeltingC - ambient;
      EXPECT_GT(rise_at(melting_rise), melting_rise) << d.row;
      continue;
    }
    const HotWinding& hot = *w.hot;
    EXPECT_TRUE(hot.Rdc >= d.Rdc && hot.Pcu >= d.Pcu && hot.Ptot >= d.Ptot && hot.dT >= d.dT)
        << d.row;
    // The copper at ambient + rise has the resistance that makes that rise.
    const double R = d.Rdc / d.copper_factor * (1 + 0.00393 * (ambient + hot.dT - 20));
    const double rise = rise_at(hot.dT);
    EXPECT_NEAR(hot.dT, rise, 1e-3 * (1 + rise)) << d.row;
    EXPECT_NEAR(hot.Rdc, R, 1e-5 * R) << d.row;
    EXPECT_NEAR(hot.T_copper, ambient + hot.dT, 1e-3 * (1 + std::fabs(ambient)) + 1e-6 * hot.dT)
        << d.row;

    // No tolerance, and copper that cannot heat: the nominal figures.
    DesignResult cool = d;
    cool.As = std::numeric_limits<float>::infinity();
    cool.dT = 0;
    const WorstCase same = WorstCaseOf(cool, 0);
    ASSERT_TRUE(same.hot);
    EXPECT_EQ(same.Lfl_min_uH, Lfl_uH);
    EXPECT_TRUE(same.hot->Rdc == d.Rdc && same.hot->Pcu == d.Pcu && same.hot->Ptot == d.Ptot &&
                same.hot->dT == 0)
        << d.row;
  }
}

TEST(WorstCase, RunawayHasNoValue) {
  DesignResult d = testing::RandomDesigns().front();
  d.Rdc = 1e35f;  // the copper loss leaves the range of numbers
  EXPECT_FALSE(WorstCaseOf(d, -8).hot);
  EXPECT_TRUE(ALToleranceAllowed(-99) && ALToleranceAllowed(0));
  EXPECT_FALSE(ALToleranceAllowed(-99.5) || ALToleranceAllowed(0.1));
}

}  // namespace
}  // namespace tov

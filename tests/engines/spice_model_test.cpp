// The SPICE model's flux table over random designs of every material: its
// slope is the inductance curve, its flux the curve's integral (not L I),
// odd in the current, finite everywhere, and bridged where the curve has gaps.

#include "engines/spice_model.h"

#include <gtest/gtest.h>

#include <cmath>

#include "io/spice_netlist.h"
#include "support/random_designs.h"

namespace tov {
namespace {

TEST(SpiceModel, FluxSlopeIsTheInductanceCurveAndFluxItsIntegral) {
  int gaps = 0;
  for (const DesignResult& d : testing::RandomDesigns()) {
    const std::optional<SpiceModel> m = BuildSpiceModel(d);
    ASSERT_TRUE(m) << d.row;
    const double L0 = *StackInductance(d, 0);
    // Henries of the whole stack: the design's millihenries per core.
    EXPECT_NEAR(L0, 1e-3 * d.stack_count * d.Lnl, 1e-6 * L0) << d.row;
    const double end = 4.0 * d.in.Ipk;
    ASSERT_EQ(m->table.front().I, 0);
    EXPECT_NEAR(m->table.back().I, end, 1e-6 * end);
    for (std::size_t k = 1; k < m->table.size(); ++k) {
      ASSERT_GT(m->table[k].I, m->table[k - 1].I);
      ASSERT_GE(m->table[k].flux, m->table[k - 1].flux);
    }
    EXPECT_GT(m->L_beyond, 0) << d.row;
    EXPECT_EQ(ModelInductance(*m, 10 * end), m->L_beyond);
    EXPECT_TRUE(m->Rloss.has_value() == (d.Pfe > 0 && d.in.dI > 0)) << d.row;
    // The loss resistor takes the core loss at the ripple: a triangle of dI
    // at f drives v = L(i) 2 dI f, so R = (2 dI f)^2 mean(L^2) / Pfe, the
    // mean sampled on the curve itself across the swing.
    if (m->Rloss) {
      double sum = 0;
      const int samples = 2000;
      bool whole = true;
      for (int k = 0; k < samples; ++k) {
        const double i = d.in.Idc - d.in.dI / 2 + d.in.dI * (k + 0.5) / samples;
        const std::optional<double> L = StackInductance(d, i);
        whole = whole && L;
        if (L) sum += *L * *L / samples;
      }
      const double volts_per_henry = 2 * d.in.dI * d.in.f * 1e3;
      if (whole) {
        EXPECT_NEAR(*m->Rloss, volts_per_henry * volts_per_henry * sum / (d.Pfe * 1e-3),
                    0.005 * *m->Rloss)
            << d.row;
      }
    }

    // Probes across the table: the slope follows the curve where it has
    // values on both sides of the probe; the flux up to the probe is the
    // curve's integral by a fine trapezoid sum.
    bool gap = false;
    double integral = 0, previous = L0;
    const int steps = 4000;
    for (int i = 1; i <= steps; ++i) {
      const double I = end * i / steps;
      const std::optional<double> L = StackInductance(d, I);
      gap = gap || !L;
      if (gap) continue;
      integral += (previous + *L) / 2 * end / steps;
      previous = *L;
      // Where the curve falls so fast that the shortest step (1/2^20 of the
      // table) still sees it change, the slope is the curve's mean over it.
      const double slope = ModelInductance(*m, I);
      const auto seg = std::upper_bound(m->table.begin(), m->table.end(), I,
                                        [](double x, const FluxPoint& p) { return x < p.I; });
      const double La = *StackInductance(d, (seg - 1)->I), Lb = *StackInductance(d, seg->I);
      const bool shortest = seg->I - (seg - 1)->I < 1.5 * end / (1 << 20);
      EXPECT_TRUE(std::fabs(slope - *L) <= 0.005 * std::max(*L, 0.01 * L0) ||
                  (shortest && slope >= std::min(La, Lb) && slope <= std::max(La, Lb)))
          << d.row << " " << I << " " << slope << " " << *L;
      if (i % 400 == 0) {
        const double flux = (seg - 1)->flux + slope * (I - (seg - 1)->I);
        EXPECT_NEAR(flux, integral, 1e-3 * integral) << d.row << " " << I;
      }
    }
    EXPECT_EQ(m->gap_bridged, gap) << d.row;
    gaps += gap;
    const std::string text = SpiceNetlist(*m, {"X", {}});
    EXPECT_EQ(text.find("nan"), std::string::npos);
    EXPECT_EQ(text.find("inf"), std::string::npos);
  }
  EXPECT_GT(gaps, 0);

  // No inductance at zero current (no turns) leaves nothing to model.
  DesignResult none = testing::RandomDesigns().front();
  none.N = 0;
  EXPECT_FALSE(BuildSpiceModel(none));
}

TEST(SpiceModel, NetlistNamesTheSubcircuitAndLeavesOutWhatIsZero) {
  EXPECT_EQ(SpiceSubcktName("VM158-026-E", 1, 38), "L_VM158_026_E_38T");
  EXPECT_EQ(SpiceSubcktName("C055930A2", 3, 7), "L_C055930A2_3X_7T");
  SpiceModel m;
  m.table = {{0, 0}, {1, 2e-4}};
  m.L_beyond = 2e-4;
  const std::string bare = SpiceNetlist(m, {"L_A_1T", {"Core: A"}});
  EXPECT_NE(bare.find("* Core: A\n"), std::string::npos);
  EXPECT_NE(bare.find("\n.subckt L_A_1T 1 2\nV_SENSE 1 c 0\n"), std::string::npos) << bare;
  EXPECT_EQ(bare.find("\nR_LOSS "), std::string::npos);
  EXPECT_NE(bare.find("C_FLUX d 0 0.0001\n.ends L_A_1T\n"), std::string::npos) << bare;
  m.Rdc = 0.25;
  m.Rloss = 1500;
  const std::string full = SpiceNetlist(m, {"L_A_1T", {}});
  EXPECT_NE(full.find("R_DC 1 b 0.25\nV_SENSE b c 0\nH_L c 2 V_DFLUX 1\nR_LOSS b 2 1500\n"),
            std::string::npos)
      << full;
}

}  // namespace
}  // namespace tov

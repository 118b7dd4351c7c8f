// The SPICE model's flux table over random designs of every material: its
// slope is the inductance curve held at its minimum and floored at the
// air-core inductance, its flux that slope's integral (not L I), finite
// everywhere, and bridged where the curve has gaps; its header.

#include "engines/spice_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "io/spice_netlist.h"
#include "support/random_designs.h"

namespace tov {
namespace {

// mu0 N^2 Ae / le of the stack in SI units, with the program's pi.
double AirCore(const DesignResult& d) {
  return 4 * 3.14e-7 * d.N * d.N * (d.Ae * 1e-4 * d.stack_count) / (d.le * 1e-2);
}

TEST(SpiceModel, FluxSlopeIsTheCurveHeldAtItsMinimumAndFlooredAtTheAirCore) {
  int gaps = 0, floored = 0, held = 0;
  for (const DesignResult& d : testing::RandomDesigns()) {
    const std::optional<SpiceModel> m = BuildSpiceModel(d);
    ASSERT_TRUE(m) << d.row;
    const double L0 = *StackInductance(d, 0);
    // Henries of the whole stack: the design's millihenries per core.
    EXPECT_NEAR(L0, 1e-3 * d.stack_count * d.Lnl, 1e-6 * L0) << d.row;
    // The core's AL is its permeability times the air-core AL of its Ae/le
    // (catalogue figures, rounded): the floor is the coreless winding.
    EXPECT_NEAR(m->L_air, AirCore(d), 1e-9 * m->L_air) << d.row;
    EXPECT_NEAR(m->L_air * d.ui / L0, 1, 0.08) << d.row << " " << d.ui;
    const double end = 10.0 * d.in.Ipk;
    ASSERT_EQ(m->table.front().I, 0);
    EXPECT_NEAR(m->table.back().I, end, 1e-6 * end);
    for (std::size_t k = 1; k < m->table.size(); ++k) {
      ASSERT_GT(m->table[k].I, m->table[k - 1].I);
      ASSERT_GE(m->table[k].flux, m->table[k - 1].flux);
    }
    EXPECT_GE(m->L_beyond, m->L_air * (1 - 1e-9)) << d.row;
    EXPECT_EQ(ModelInductance(*m, 10 * end), m->L_beyond);
    EXPECT_TRUE(m->Rloss.has_value() == (d.Pfe > 0 && d.in.dI > 0)) << d.row;
    // Probes across the table: the slope follows what the model holds, the
    // lowest value the curve reached so far, never below the air core; the
    // flux up to the probe is that inductance's integral by a fine sum.
    bool gap = false;
    double lowest = L0, integral = 0, previous = L0, previous_I = 0, previous_slope = L0;
    std::optional<double> leaves, departs;
    // Probes every 1/4000 of the table, checked; between them the curve is
    // sampled on a logarithmic grid too, for dips narrower than a probe step.
    const int steps = 4000;
    std::vector<std::pair<double, bool>> samples;
    for (int i = 1; i <= steps; ++i) samples.push_back({end * i / steps, true});
    for (int i = 0; i < steps; ++i) {
      samples.push_back({end * std::pow(1e-6, 1.0 - i / double(steps)), false});
    }
    // And where the model looked: the ends and middles of its segments.
    for (std::size_t k = 1; k < m->table.size(); ++k) {
      samples.push_back({m->table[k].I, false});
      samples.push_back({static_cast<float>((m->table[k - 1].I + m->table[k].I) / 2), false});
    }
    std::sort(samples.begin(), samples.end());
    int probes = 0;
    for (const auto& [I, probe] : samples) {
      const std::optional<double> curve = StackInductance(d, I);
      gap = gap || !curve;
      if (curve) lowest = std::min(lowest, *curve);
      const double L = std::max(lowest, AirCore(d));
      if (!leaves && (!curve || std::fabs(L - *curve) > 2e-3 * *curve)) leaves = I;
      if (!departs && (!curve || std::fabs(L - *curve) > 5e-4 * *curve)) departs = I;
      integral += (previous + L) / 2 * (I - previous_I);
      previous = L;
      previous_I = I;
      if (!probe) continue;
      // Where the curve falls so fast that the shortest step (1/2^20 of the
      // table) still sees it change, the slope is the curve's mean over it.
      const double slope = ModelInductance(*m, I);
      EXPECT_LE(slope, previous_slope * (1 + 1e-9)) << d.row << " rises at " << I;
      EXPECT_GE(slope, m->L_air * (1 - 1e-9)) << d.row << " " << I;
      previous_slope = slope;
      const auto seg = std::upper_bound(m->table.begin(), m->table.end(), I,
                                        [](double x, const FluxPoint& p) { return x < p.I; });
      const bool shortest = seg->I - (seg - 1)->I < 1.5 * end / (1 << 20);
      EXPECT_TRUE(std::fabs(slope - L) <= 0.005 * std::max(L, 0.01 * L0) || shortest)
          << d.row << " " << I << " " << slope << " " << L;
      if (++probes % 400 == 0) {
        const double flux = (seg - 1)->flux + slope * (I - (seg - 1)->I);
        EXPECT_NEAR(flux, integral, 2e-3 * integral) << d.row << " " << I;
      }
    }
    EXPECT_EQ(m->gap_bridged, gap) << d.row;
    // The model says where it leaves the curve (by more than 0.1 %): no
    // later than a longest step past where the probes see it leave by
    // 0.2 %, and not before they see it leave by 0.05 %.
    if (leaves) {
      ASSERT_TRUE(m->leaves_curve_at) << d.row;
      EXPECT_LE(*m->leaves_curve_at, *leaves + end / 640) << d.row;
    }
    if (m->leaves_curve_at) {
      ASSERT_TRUE(departs) << d.row;
      EXPECT_GE(*m->leaves_curve_at, *departs * (1 - 1e-6)) << d.row;
      floored += previous <= AirCore(d) * (1 + 1e-9);
      held += previous > AirCore(d) * (1 + 1e-9);
    }
    gaps += gap;
    const std::string text = SpiceNetlist(*m, {"X", {}, {}});
    EXPECT_EQ(text.find("nan"), std::string::npos);
    EXPECT_EQ(text.find("inf"), std::string::npos);
  }
  // Among the designs: curves with gaps, curves that end on the air-core
  // floor and curves whose minimum the model holds.
  EXPECT_GT(gaps, 0);
  EXPECT_GT(floored, 0);
  EXPECT_GT(held, 0);
}

// A ripple swinging through zero current (the current reverses): R_LOSS takes
// the mean square of L(|i|) over the whole swing. A core without a
// cross-section or a path has no air-core inductance; no turns, no model.
TEST(SpiceModel, LossResistorOfAReversingRippleAndModelsOfNothing) {
  DesignResult d = testing::RandomDesigns().front();
  d.in.Idc = 1;
  d.in.dI = 4;
  d.in.Ipk = 3;
  const std::optional<SpiceModel> r = BuildSpiceModel(d);
  ASSERT_TRUE(r && r->Rloss);
  double sum = 0;
  for (int k = 0; k < 4000; ++k)
    sum += std::pow(ModelInductance(*r, -1 + 4.0 * (k + 0.5) / 4000), 2);
  const double volts_per_henry = 2 * 4 * d.in.f * 1e3;
  EXPECT_NEAR(*r->Rloss, volts_per_henry * volts_per_henry * sum / 4000 / (d.Pfe * 1e-3),
              1e-3 * *r->Rloss);
  for (float DesignResult::*zero : {&DesignResult::le, &DesignResult::Ae}) {
    DesignResult flat = d;
    flat.*zero = 0;
    EXPECT_EQ(AirCoreInductance(flat), 0);
  }
  d.N = 0;
  EXPECT_FALSE(BuildSpiceModel(d));
}

// The header's comment lines as running text; each within 88 characters.
std::string Joined(const std::string& lines) {
  std::string text;
  for (std::size_t from = 0, to = 0; from < lines.size() && lines[from] == '*'; from = to + 1) {
    to = lines.find('\n', from);
    EXPECT_LE(to - from, 88u) << lines.substr(from, to - from);
    text += lines.substr(from + std::min<std::size_t>(2, to - from), to - from - 2) + " ";
  }
  return text;
}

// The header says where the model leaves the curve, the floor, the table's
// end, the ripple R_LOSS was sized for with the factors of other duties (the
// mean of v^2 at duty D against the triangle's, 1 / (4 D (1 - D))), and the
// warnings.
TEST(SpiceModel, HeaderNamesTheModelsLimitsAndItsLossWaveform) {
  SpiceModel m{.table = {{0, 0}, {30, 3e-3}},
               .L_beyond = 5e-5,
               .L_air = 5e-5,
               .leaves_curve_at = 12.5,
               .Rloss = 900,
               .loss_ripple_a = 2,
               .loss_dc_a = 10,
               .loss_frequency_hz = 1e5,
               .gap_bridged = true};
  const std::string lines = SpiceNetlist(m, {"L_A_1T", {"Core: A"}, {"no wire fits", "hot"}});
  EXPECT_NE(lines.find("* Core: A\n* Warning: no wire fits\n* Warning: hot\n"), std::string::npos);
  const std::string text = Joined(lines);
  for (const char* expected :
       {"From 12.5 A the model leaves the roll-off data", "bridges where the curve has no value",
        "air-core inductance, 50 uH", "At the table's end, 30 A", "it is 50 uH",
        "symmetric triangle (duty 0.5) of 2 A peak to peak about 10 A at 100 kHz",
        "1.042 at 0.4 or 0.6, 1.19 at 0.3 or 0.7, 1.562 at 0.2 or 0.8, 2.778 at 0.1 or 0.9."}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
  m.leaves_curve_at.reset();
  m.Rloss.reset();
  const std::string plain = Joined(SpiceNetlist(m, {"L_A_1T", {}, {}}));
  EXPECT_NE(plain.find("follows the roll-off data up to 30 A"), std::string::npos) << plain;
  EXPECT_EQ(plain.find("Warning"), std::string::npos);
  EXPECT_EQ(plain.find("R_LOSS is sized"), std::string::npos);
}

// The simulation tests run the netlist; here its names and what it leaves out.
TEST(SpiceModel, NetlistNamesTheSubcircuitAndLeavesOutWhatIsZero) {
  EXPECT_EQ(SpiceSubcktName("VM158-026-E", 1, 38), "L_VM158_026_E_38T");
  EXPECT_EQ(SpiceSubcktName("C055930A2", 3, 7), "L_C055930A2_3X_7T");
  SpiceModel m;
  m.table = {{0, 0}, {1, 2e-4}};
  m.L_beyond = 2e-4;
  const std::string bare = SpiceNetlist(m, {"L_A_1T", {}, {}});
  EXPECT_NE(bare.find("\n.subckt L_A_1T 1 2\nV_SENSE 1 c 0\n"), std::string::npos) << bare;
  EXPECT_EQ(bare.find("\nR_LOSS "), std::string::npos);
  m.Rdc = 0.25;
  m.Rloss = 1500;
  const std::string full = SpiceNetlist(m, {"L_A_1T", {}, {}});
  EXPECT_NE(full.find("R_DC 1 b 0.25\nV_SENSE b c 0\nH_L c 2 V_DFLUX 1\nR_LOSS b 2 1500\n"),
            std::string::npos)
      << full;
}

}  // namespace
}  // namespace tov

// The converter front end against the power and charge balances of each
// topology, the volt-second balance of the off-time (not the on-time the
// engine uses), and a brute-force search of the PFC line cycle; the help
// page's worked examples hold its figures too.

#include "engines/converter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>

#include "support/random_designs.h"

namespace tov {
namespace {

// Every corner of random requests keeps the power balance Pin = Pout /
// efficiency, the output charge balance and, lossless, the volt-second
// balance of the inductor (ripple from the off-time: buck and buck-boost
// Vout (1 - D), boost (Vout - Vin)(1 - D), over L f). The choke takes the
// largest DC current, and the ripple goal at the corner of the largest
// ripple; given that inductance instead of the goal, the same ripple.
TEST(Converter, CornersKeepThePowerChargeAndVoltSecondBalances) {
  std::mt19937 random(7);
  const auto uniform = [&](double a, double b) {
    return std::uniform_real_distribution<double>(a, b)(random);
  };
  for (int i = 0; i < 300; ++i) {
    ConverterRequest r;
    r.topology = kTopologies[i % 3].topology;
    r.vout = uniform(3, 400);
    const double low = r.topology == Topology::Buck    ? r.vout * uniform(1.3, 3)
                       : r.topology == Topology::Boost ? r.vout * uniform(0.1, 0.9)
                                                       : uniform(3, 400);
    r.vin_min = low;
    r.vin_max = r.topology == Topology::Boost ? uniform(low, r.vout * 0.95) : low * uniform(1, 3);
    r.iout = uniform(0.1, 50);
    r.fsw_khz = uniform(10, 1000);
    r.efficiency = i % 2 ? 1 : uniform(0.8, 0.99);
    r.ripple_percent = uniform(5, 150);
    const ConverterOutcome out = DesignConverter(r);
    ASSERT_TRUE(out.design) << i << ": " << out.error;
    const ConverterDesign& d = *out.design;
    const double L = d.inductance_uh * 1e-6, f = r.fsw_khz * 1e3;
    double idc = 0, ipk = 0;
    const OperatingPoint* worst = &d.corners.front();
    for (const OperatingPoint& p : d.corners) {
      const double D = p.duty, IL = p.idc;
      const double iin = r.topology == Topology::Boost ? IL : D * IL;
      const double iout = r.topology == Topology::Buck ? IL : (1 - D) * IL;
      EXPECT_NEAR(iout, r.iout, 1e-9 * r.iout) << i;
      EXPECT_NEAR(p.vin * iin * r.efficiency, r.vout * r.iout, 1e-9 * r.vout * r.iout) << i;
      if (r.efficiency == 1) {
        const double off = r.topology == Topology::Boost ? r.vout - p.vin : r.vout;
        EXPECT_NEAR(p.ripple_pp, off * (1 - D) / (L * f), 1e-9 * p.ripple_pp) << i;
      }
      EXPECT_NEAR(p.ipk, IL + p.ripple_pp / 2, 1e-9 * p.ipk);
      idc = std::max(idc, IL);
      ipk = std::max(ipk, p.ipk);
      if (p.ripple_pp > worst->ripple_pp) worst = &p;
    }
    EXPECT_EQ(d.corners.size(), r.vin_min == r.vin_max ? 1u : 2u);
    EXPECT_EQ(std::tuple(d.idc, d.ipk, d.ripple_pp, d.ripple_vin),
              std::tuple(idc, ipk, worst->ripple_pp, worst->vin))
        << i;
    EXPECT_NEAR(d.ripple_pp, *r.ripple_percent / 100 * d.idc, 1e-9 * d.ripple_pp) << i;
    r.ripple_percent.reset();
    r.inductance_uh = d.inductance_uh;
    const ConverterOutcome again = DesignConverter(r);
    ASSERT_TRUE(again.design) << i;
    EXPECT_NEAR(again.design->ripple_pp, d.ripple_pp, 1e-9 * d.ripple_pp) << i;
  }
}

// 90..265 V RMS to 400 V, 500 W at 95 %, 65 kHz, 20 % of the crest current
// at the lowest line: the hardest ripple where the line reaches
// Vout / (2 efficiency), found here by brute force over the cycle.
TEST(Converter, PfcBoostTakesTheHardestAngleAndTheLowLineCrest) {
  const ConverterOutcome out = DesignConverter(testing::ReferencePfc());
  ASSERT_TRUE(out.design) << out.error;
  const ConverterDesign& d = *out.design;
  const double crest = std::sqrt(2.0) * 500 / (0.95 * 90);
  // The program's pi (3.14) puts the crest 3e-7 below sin 90 degrees.
  EXPECT_NEAR(d.idc, crest, 1e-6 * crest);
  EXPECT_NEAR(d.inductance_uh, 979.0709278, 1e-3);
  EXPECT_EQ(d.ripple_vin, 265);
  EXPECT_NEAR(d.ripple_pp, 0.2 * crest, 1e-6 * crest);
  // The angle where the line is 400 / 1.9 V at 265 V RMS.
  EXPECT_NEAR(d.ripple_angle_deg, std::asin(400 / 1.9 / (std::sqrt(2.0) * 265)) * 180 / M_PI, 0.05);
  // The peak and the RMS current at the lowest line over the cycle.
  const double L = d.inductance_uh * 1e-6;
  double ipk = 0, sum = 0;
  const int n = 90000;
  for (int k = 0; k < n; ++k) {
    const double th = (k + 0.5) / n * M_PI / 2;
    for (const double vac : {90.0, 265.0}) {
      const double v = std::sqrt(2.0) * vac * std::sin(th);
      const double i = std::sqrt(2.0) * 500 / (0.95 * vac) * std::sin(th);
      const double ripple = v * (1 - 0.95 * v / 400) / (65e3 * L);
      ipk = std::max(ipk, i + ripple / 2);
      if (vac == 90) sum += i * i + ripple * ripple / 12;
    }
  }
  EXPECT_NEAR(d.ipk, ipk, 1e-4 * ipk);
  EXPECT_NEAR(d.i_rms_squared, sum / n, 1e-3 * sum / n);
  ASSERT_EQ(d.corners.size(), 2u);
  EXPECT_NEAR(d.corners[0].idc, crest, 1e-6 * crest);
  // 0..90 degrees, and at the high line the hardest angle, which the low
  // line's crest (127 V) does not reach.
  EXPECT_EQ(std::pair(d.low_line_cycle.size(), d.high_line_cycle.size()), std::pair(91ul, 92ul));
}

// A buck of 10..20 V to 12 V, 1 A at 100 kHz, changed by each row.
ConverterRequest Buck(void (*change)(ConverterRequest&)) {
  ConverterRequest r{.vin_min = 10,
                     .vin_max = 20,
                     .vout = 12,
                     .iout = 1,
                     .fsw_khz = 100,
                     .ripple_percent = 30,
                     .inductance_uh = std::nullopt};
  change(r);
  return r;
}

TEST(Converter, RefusesWhatNoConverterOfTheKindCanDo) {
  using R = ConverterRequest&;
  const std::pair<ConverterRequest, const char*> refusals[] = {
      {Buck([](R) {}), "12 V out needs more than 10 V in"},
      {Buck([](R r) { r.topology = Topology::Boost, r.vout = 15; }),
       "15 V out needs less than 20 V in"},
      // No step up: a duty of 0, no ripple to size for.
      {Buck([](R r) { r.topology = Topology::Boost, r.vout = r.vin_min = r.vin_max = 15; }),
       "15 V out needs less than 15 V in"},
      {Buck([](R r) { r = testing::ReferencePfc(), r.vout = 350; }), "350 V out is not above"},
      {Buck([](R r) { r.inductance_uh = 10; }), "not both"},
      {Buck([](R r) { r.vin_min = 30; }), "the lower first"},
      {Buck([](R r) { r.efficiency = 1.2; }), "at most 1"},
      {Buck([](R r) { r.ripple_percent = 250; }), "at most 200 %"},
  };
  for (const auto& [request, error] : refusals) {
    const ConverterOutcome out = DesignConverter(request);
    EXPECT_FALSE(out.design) << error;
    EXPECT_NE(out.error.find(error), std::string::npos) << error << ": " << out.error;
  }
  // The limits themselves are allowed: a ripple of twice the DC current
  // (the edge of continuous conduction) and no losses.
  const ConverterOutcome edge = DesignConverter(
      Buck([](R r) { r.vin_min = r.vin_max = 24, r.ripple_percent = 200, r.efficiency = 1; }));
  ASSERT_TRUE(edge.design) << edge.error;
  EXPECT_NEAR(edge.design->ripple_pp, 2 * edge.design->idc, 1e-12);
  EXPECT_EQ(edge.design->corners.size(), 1u);
  EXPECT_TRUE(edge.design->corners.front().continuous);
  EXPECT_EQ(TopologyNamed("buck-boost"), Topology::BuckBoost);
  EXPECT_EQ(TopologyNamed("flyback"), std::nullopt);
}

}  // namespace
}  // namespace tov

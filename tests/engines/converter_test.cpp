// The converter front end against hand calculations from the volt-second
// balance of the off-time (not the on-time the engine uses), the power and
// charge balances of each topology, and a brute-force search of the PFC line
// cycle.

#include "engines/converter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "support/random_designs.h"

namespace tov {
namespace {

struct DcCase {
  const char* name;
  Topology topology;
  double vin_min, vin_max, vout, iout, fsw_khz, percent;
  // Hand figures: the inductance, and per corner (lowest input first) the
  // duty, the inductor's DC current and the ripple.
  double L_uh;
  double duty[2], idc[2], ripple[2];
};

// Ripple from the off-time: buck Vout (1 - D), boost (Vout - Vin)(1 - D),
// buck-boost Vout (1 - D), over L f.
// clang-format off
const DcCase kDcCases[] = {
    {"buck 36..60 V to 12 V, 10 A, 30 %", Topology::Buck, 36, 60, 12, 10, 100, 30,
     32.0, {1.0 / 3, 0.2}, {10, 10}, {2.5, 3.0}},
    {"boost 10..14 V to 48 V, 2 A, 40 %", Topology::Boost, 10, 14, 48, 2, 100, 40,
     25.82465278, {0.7916666667, 0.7083333333}, {9.6, 6.857142857}, {3.065546218, 3.84}},
    {"buck-boost 9..16 V to -12 V, 3 A, 35 %", Topology::BuckBoost, 9, 16, 12, 3, 200, 35,
     13.9941691, {0.5714285714, 0.4285714286}, {7.0, 5.25}, {1.8375, 2.45}},
};
// clang-format on

ConverterRequest RequestOf(const DcCase& c) {
  return {.topology = c.topology,
          .vin_min = c.vin_min,
          .vin_max = c.vin_max,
          .vout = c.vout,
          .iout = c.iout,
          .fsw_khz = c.fsw_khz,
          .ripple_percent = c.percent,
          .inductance_uh = std::nullopt};
}

TEST(Converter, DcTopologiesMatchTheHandCalculation) {
  for (const DcCase& c : kDcCases) {
    const ConverterOutcome out = DesignConverter(RequestOf(c));
    ASSERT_TRUE(out.design) << c.name << ": " << out.error;
    const ConverterDesign& d = *out.design;
    EXPECT_NEAR(d.inductance_uh, c.L_uh, 1e-6 * c.L_uh) << c.name;
    ASSERT_EQ(d.corners.size(), 2u) << c.name;
    double ipk = 0;
    for (int k = 0; k < 2; ++k) {
      const OperatingPoint& p = d.corners[k];
      EXPECT_NEAR(p.duty, c.duty[k], 1e-9) << c.name << " corner " << k;
      EXPECT_NEAR(p.idc, c.idc[k], 1e-8 * c.idc[k]) << c.name << " corner " << k;
      EXPECT_NEAR(p.ripple_pp, c.ripple[k], 1e-8 * c.ripple[k]) << c.name << " corner " << k;
      EXPECT_NEAR(p.ipk, c.idc[k] + c.ripple[k] / 2, 1e-8 * p.ipk) << c.name;
      ipk = std::max(ipk, c.idc[k] + c.ripple[k] / 2);
    }
    // The choke: the largest DC current, the ripple of the worst corner,
    // which is the goal of the largest current.
    const double idc = std::max(c.idc[0], c.idc[1]);
    EXPECT_NEAR(d.idc, idc, 1e-9 * idc) << c.name;
    EXPECT_NEAR(d.ripple_pp, std::max(c.ripple[0], c.ripple[1]), 1e-8) << c.name;
    EXPECT_NEAR(d.ripple_pp, c.percent / 100 * idc, 1e-8) << c.name;
    EXPECT_EQ(d.ripple_vin, c.ripple[1] > c.ripple[0] ? c.vin_max : c.vin_min) << c.name;
    EXPECT_NEAR(d.ipk, ipk, 1e-8 * ipk) << c.name;

    // The inductance given instead of the goal gives the same figures.
    ConverterRequest given = RequestOf(c);
    given.ripple_percent.reset();
    given.inductance_uh = d.inductance_uh;
    const ConverterOutcome again = DesignConverter(given);
    ASSERT_TRUE(again.design) << c.name;
    EXPECT_NEAR(again.design->ripple_pp, d.ripple_pp, 1e-9) << c.name;
  }
}

// Every corner of random requests keeps the power balance Pin = Pout /
// efficiency, the output charge balance and, lossless, the volt-second
// balance of the inductor.
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
    const double L = out.design->inductance_uh * 1e-6, f = r.fsw_khz * 1e3;
    for (const OperatingPoint& p : out.design->corners) {
      const double D = p.duty, IL = p.idc;
      const double iin = r.topology == Topology::Boost ? IL : D * IL;
      const double iout = r.topology == Topology::Buck ? IL : (1 - D) * IL;
      EXPECT_NEAR(iout, r.iout, 1e-9 * r.iout) << i;
      EXPECT_NEAR(p.vin * iin * r.efficiency, r.vout * r.iout, 1e-9 * r.vout * r.iout) << i;
      if (r.efficiency == 1) {
        const double off = r.topology == Topology::Boost ? r.vout - p.vin : r.vout;
        EXPECT_NEAR(p.ripple_pp, off * (1 - D) / (L * f), 1e-9 * p.ripple_pp) << i;
      }
      EXPECT_LE(p.ripple_pp, out.design->ripple_pp * (1 + 1e-12)) << i;
    }
    EXPECT_NEAR(out.design->ripple_pp, *r.ripple_percent / 100 * out.design->idc,
                1e-9 * out.design->ripple_pp)
        << i;
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
  EXPECT_NEAR(d.idc, 8.270254751, 1e-6 * crest);
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
  EXPECT_EQ(d.low_line_cycle.size(), 91u);
  EXPECT_EQ(d.high_line_cycle.size(), 92u);
}

TEST(Converter, RefusesWhatNoConverterOfTheKindCanDo) {
  struct Refusal {
    const char* name;
    ConverterRequest request;
    const char* error;
  };
  const ConverterRequest buck{.vin_min = 10,
                              .vin_max = 20,
                              .vout = 12,
                              .iout = 1,
                              .fsw_khz = 100,
                              .ripple_percent = 30,
                              .inductance_uh = std::nullopt};
  ConverterRequest boost = buck, pfc = testing::ReferencePfc();
  boost.topology = Topology::Boost;
  boost.vout = 15;
  pfc.vout = 350;                  // below 0.95 of the crest of 265 V
  ConverterRequest level = boost;  // no step up: a duty of 0, no ripple to size for
  level.vin_min = level.vin_max = 15;
  ConverterRequest both = buck, reversed = buck, lossy = buck, wide = buck;
  both.inductance_uh = 10;
  reversed.vin_min = 30;
  lossy.efficiency = 1.2;
  wide.ripple_percent = 250;
  const Refusal refusals[] = {
      {"buck below its output", buck, "12 V out needs more than 10 V in"},
      {"boost above its output", boost, "15 V out needs less than 20 V in"},
      {"boost at its output", level, "15 V out needs less than 15 V in"},
      {"pfc below the crest", pfc, "350 V out is not above"},
      {"goal and inductance", both, "not both"},
      {"range reversed", reversed, "the lower first"},
      {"efficiency above 1", lossy, "at most 1"},
      {"ripple goal past continuous conduction", wide, "at most 200 %"},
  };
  // The limits themselves are allowed: a ripple of twice the DC current
  // (the edge of continuous conduction) and no losses.
  ConverterRequest edge = buck;
  edge.vin_min = edge.vin_max = 24;
  edge.ripple_percent = 200;
  edge.efficiency = 1;
  const ConverterOutcome at_edge = DesignConverter(edge);
  ASSERT_TRUE(at_edge.design) << at_edge.error;
  EXPECT_NEAR(at_edge.design->ripple_pp, 2 * at_edge.design->idc, 1e-12);
  EXPECT_TRUE(at_edge.design->corners.front().continuous);
  EXPECT_EQ(at_edge.design->corners.size(), 1u);
  for (const Refusal& r : refusals) {
    const ConverterOutcome out = DesignConverter(r.request);
    EXPECT_FALSE(out.design) << r.name;
    EXPECT_NE(out.error.find(r.error), std::string::npos) << r.name << ": " << out.error;
  }
  EXPECT_EQ(TopologyNamed("buck-boost"), Topology::BuckBoost);
  EXPECT_EQ(TopologyNamed("flyback"), std::nullopt);
}

}  // namespace
}  // namespace tov

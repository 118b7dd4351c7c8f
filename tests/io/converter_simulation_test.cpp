// Chokes of every material, on one and three cores, near the no-load ceiling
// and at half roll-off, each run in a buck, boost or buck-boost in ngspice:
// the simulated ripple is the one the model's own curve predicts, the power
// in R_DC is R_DC times the squared RMS of that waveform, and the inductor's
// mean current is the one the duty was set for. Skipped without ngspice.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "engines/converter.h"
#include "engines/spice_model.h"
#include "io/converter_deck.h"
#include "io/ngspice_run.h"
#include "io/pfc_deck.h"
#include "support/random_designs.h"

namespace tov {
namespace {

struct Case {
  std::string name;
  DesignResult choke;
  Topology topology;
  double duty;  // at which the converter makes the choke's ripple
};

DesignResult Designed(Material material, int16_t stack, bool light) {
  const DesignRequest r = testing::ReferenceRequest(material, stack, light);
  return SearchCores(r, testing::ShippedCores()).design.value();
}

std::vector<Case> Cases() {
  // Among random designs: the one nearest its no-load ceiling, and the one
  // whose full-load inductance is nearest half its no-load one.
  const std::vector<DesignResult> random = testing::RandomDesigns();
  const DesignResult& half = *std::min_element(
      random.begin(), random.end(), [](const DesignResult& a, const DesignResult& b) {
        return (a.in.dI > 0 ? std::fabs(a.Lfl / a.Lnl - 0.5) : 1) <
               (b.in.dI > 0 ? std::fabs(b.Lfl / b.Lnl - 0.5) : 1);
      });
  EXPECT_NEAR(half.Lfl / half.Lnl, 0.5, 0.02);
  return {
      {"Molypermalloy, 1 core, buck", Designed(Material::MPP, 1, false), Topology::Buck, 0.3},
      {"High Flux, 3 cores, boost", Designed(Material::HF, 3, false), Topology::Boost, 0.4},
      {"Velmax, 1 core, buck-boost", Designed(Material::Velmax, 1, true), Topology::BuckBoost, 0.5},
      {"Velmax E-core, buck", Designed(Material::VelmaxE, 1, false), Topology::Buck, 0.15},
      {"Molypermalloy, 3 cores, buck-boost", Designed(Material::MPP, 3, true), Topology::BuckBoost,
       0.35},
      {"High Flux, 1 core, buck at 0.7", Designed(Material::HF, 1, true), Topology::Buck, 0.7},
      {"near the no-load ceiling, boost", testing::NearestItsCeiling(random), Topology::Boost, 0.6},
      {"at half roll-off, buck", half, Topology::Buck, 0.5}};
}

// The converter that makes the choke's own DC current and ripple at `duty`
// with its full-load inductance: V_on D / (L f) = dI.
ConverterRequest ConverterFor(const Case& c) {
  const DesignResult& d = c.choke;
  const double L = d.Lfl * 1e-3 * d.stack_count, D = c.duty;
  const double v_on = d.in.dI * L * d.in.f * 1e3 / D;  // across the choke while it charges
  ConverterRequest r;
  r.topology = c.topology;
  r.fsw_khz = d.in.f;
  r.inductance_uh = L * 1e6;
  r.vin_min = r.vin_max = c.topology == Topology::Buck ? v_on / (1 - D) : v_on;
  r.vout = c.topology == Topology::Buck    ? D * r.vin_min
           : c.topology == Topology::Boost ? r.vin_min / (1 - D)
                                           : r.vin_min * D / (1 - D);
  r.iout = d.in.Idc * (c.topology == Topology::Buck ? 1 : 1 - D);
  return r;
}

TEST(ConverterSimulation, NgspiceMeetsTheCurvesRippleTheResistancesPowerAndTheDuty) {
  if (!NgspiceInstalled()) GTEST_SKIP() << "no ngspice";
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    const ConverterRequest request = ConverterFor(c);
    const ConverterOutcome converter = DesignConverter(request);
    ASSERT_TRUE(converter.design) << converter.error;
    EXPECT_NEAR(converter.design->idc / c.choke.in.Idc, 1, 1e-9);
    EXPECT_NEAR(converter.design->ripple_pp / c.choke.in.dI, 1, 1e-6);
    const std::optional<SpiceModel> model = BuildSpiceModel(c.choke);
    ASSERT_TRUE(model);
    const std::optional<ConverterDeck> deck =
        BuildConverterDeck(*model, request, *converter.design);
    ASSERT_TRUE(deck);
    const NgspiceRun run = RunNgspice(deck->text, 120);
    ASSERT_TRUE(run.finished) << run.error;
    const std::optional<SimulatedChoke> sim =
        ReadSimulatedChoke(run.output, model->Rloss.has_value());
    ASSERT_TRUE(sim) << run.output;
    EXPECT_NEAR(sim->ripple_pp_a / deck->predicted_ripple, 1, 0.01);
    EXPECT_NEAR(sim->i_avg_a / deck->inductor_idc, 1, 0.005);
    const double rms_squared =
        deck->inductor_idc * deck->inductor_idc + std::pow(deck->predicted_ripple, 2) / 12;
    EXPECT_NEAR(sim->p_rdc_mw / (model->Rdc * rms_squared * 1e3), 1, 0.01);
    // The inductance the converter sees is about the design's at full load.
    EXPECT_NEAR(deck->predicted_ripple / c.choke.in.dI, 1, 0.2);
  }
}

// A PFC boost over a half cycle of its lowest line: the current follows the
// line (its envelope's middle about the crest the converter computed, near
// zero at the ends, its mean 2/pi of the crest), and the ripple at the crest
// is about the curve's.
TEST(ConverterSimulation, PfcBoostCurrentFollowsTheLineWithTheCurvesRipple) {
  if (!NgspiceInstalled()) GTEST_SKIP() << "no ngspice";
  const ConverterRequest r = testing::ReferencePfc();
  const ConverterDesign c = *DesignConverter(r).design;
  const DesignRequest choke = testing::ChokeRequestFor(c, r.fsw_khz, Material::HF);
  const SpiceModel model = *BuildSpiceModel(*SearchCores(choke, testing::ShippedCores()).design);
  const std::optional<ConverterDeck> deck = BuildPfcDeck(model, r);
  ASSERT_TRUE(deck);
  EXPECT_NEAR(deck->inductor_idc, c.idc, 1e-6 * c.idc);
  const NgspiceRun run = RunNgspice(deck->text, 120);
  ASSERT_TRUE(run.finished) << run.error;
  const std::optional<SimulatedChoke> sim = ReadSimulatedChoke(run.output, model.Rloss.has_value());
  const Envelope envelope = ReadEnvelope(run.output);
  ASSERT_TRUE(sim && envelope.upper.size() == kEnvelopeWindows) << run.output;
  EXPECT_NEAR(sim->ripple_pp_a / deck->predicted_ripple, 1, 0.05);
  const int middle = kEnvelopeWindows / 2;
  EXPECT_NEAR((envelope.upper[middle] + envelope.lower[middle]) / 2 / c.idc, 1, 0.08);
  EXPECT_LT(std::max(envelope.upper.front(), envelope.upper.back()), 0.3 * c.idc);
  EXPECT_NEAR(sim->i_avg_a / (2 / M_PI * c.idc), 1, 0.08);
  EXPECT_NEAR(sim->p_rdc_mw / (model.Rdc * sim->i_rms_a * sim->i_rms_a * 1e3), 1, 0.01);
}

// A run that cannot end in time is stopped, a cancelled one says so; what
// ngspice prints is read, never trusted.
TEST(ConverterSimulation, RunsStopAtTheirTimeLimitOrWhenCancelled) {
  if (!NgspiceInstalled()) GTEST_SKIP() << "no ngspice";
  const std::string endless =
      "* long\nV1 a 0 PULSE(0 1 0 1n 1n 5n 10n)\nR1 a b 1\nC1 b 0 1n\n.tran 1n 1 0 1n\n.meas tran "
      "vb max v(b)\n.end\n";
  const NgspiceRun slow = RunNgspice(endless, 0.5);
  EXPECT_FALSE(slow.finished);
  EXPECT_NE(slow.error.find("did not finish"), std::string::npos);
  EXPECT_LT(slow.seconds, 5);
  const std::atomic<bool> cancel{true};
  const NgspiceRun cancelled = RunNgspice(endless, 60, &cancel);
  EXPECT_FALSE(cancelled.finished);
  EXPECT_NE(cancelled.error.find("cancelled"), std::string::npos);
  const std::string rest = "iavg = 1\nipeak = 2\nirms = 1\n";
  for (const char* lmax : {"lmax = 1\n", "lmax = 1e999\nlmin = 1\n", "lmax = .\nlmin = 1\n"}) {
    EXPECT_FALSE(ReadSimulatedChoke(lmax + rest, false)) << lmax;
  }
  EXPECT_FALSE(ReadSimulatedChoke("lmax = 2\nlmin = 1\n" + rest, true));  // no loss measured
  EXPECT_EQ(ReadSimulatedChoke("lmax = 2.5\nlmin=1\n" + rest, false).value().ripple_pp_a, 1.5);
  EXPECT_TRUE(ReadEnvelope("emax99999999999 = 1\nemin0 = .\n").upper.empty());
  EXPECT_TRUE(ReadEnvelope("emax0 = 1\n").upper.empty());
}

}  // namespace
}  // namespace tov

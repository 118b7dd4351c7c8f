// Chokes of every material, on one and three cores, near the no-load ceiling
// and at half roll-off, each run in a buck, boost or buck-boost in ngspice:
// the simulated ripple is the one the model's own curve predicts, the power
// in R_DC is R_DC times the squared RMS of that waveform, and the inductor's
// mean current is the one the duty was set for. Skipped without ngspice.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
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
  const std::optional<DesignResult> d =
      SearchCores(testing::ReferenceRequest(material, stack, light), testing::ShippedCores())
          .design;
  EXPECT_TRUE(d);
  return d.value_or(DesignResult{});
}

std::vector<Case> Cases() {
  std::vector<Case> cases = {
      {"Molypermalloy, 1 core, buck", Designed(Material::MPP, 1, false), Topology::Buck, 0.3},
      {"High Flux, 3 cores, boost", Designed(Material::HF, 3, false), Topology::Boost, 0.4},
      {"Velmax, 1 core, buck-boost", Designed(Material::Velmax, 1, true), Topology::BuckBoost, 0.5},
      {"Velmax E-core, buck", Designed(Material::VelmaxE, 1, false), Topology::Buck, 0.15},
      {"Molypermalloy, 3 cores, buck-boost", Designed(Material::MPP, 3, true), Topology::BuckBoost,
       0.35},
      {"High Flux, 1 core, buck at 0.7", Designed(Material::HF, 1, true), Topology::Buck, 0.7},
  };
  // Among random designs: the one nearest its no-load ceiling, and the one
  // whose full-load inductance is nearest half its no-load one.
  const std::vector<DesignResult> random = testing::RandomDesigns();
  const DesignResult* half = nullptr;
  for (const DesignResult& d : random) {
    if (d.in.dI > 0 &&
        (!half || std::fabs(d.Lfl / d.Lnl - 0.5) < std::fabs(half->Lfl / half->Lnl - 0.5))) {
      half = &d;
    }
  }
  EXPECT_NEAR(half->Lfl / half->Lnl, 0.5, 0.02);
  cases.push_back({"near the no-load ceiling, boost", testing::NearestItsCeiling(random),
                   Topology::Boost, 0.6});
  cases.push_back({"at half roll-off, buck", *half, Topology::Buck, 0.5});
  return cases;
}

// The converter that makes the choke's own DC current and ripple at `duty`
// with its full-load inductance: V_on D / (L f) = dI.
ConverterRequest ConverterFor(const Case& c) {
  const DesignResult& d = c.choke;
  const double L = d.Lfl * 1e-3 * d.stack_count, f = d.in.f * 1e3, D = c.duty;
  ConverterRequest r;
  r.topology = c.topology;
  r.fsw_khz = d.in.f;
  r.inductance_uh = L * 1e6;
  const double volt_seconds = d.in.dI * L * f;
  switch (c.topology) {
    case Topology::Buck:
      r.vin_min = volt_seconds / (D * (1 - D));
      r.vout = D * r.vin_min;
      r.iout = d.in.Idc;
      break;
    case Topology::Boost:
      r.vin_min = volt_seconds / D;
      r.vout = r.vin_min / (1 - D);
      r.iout = d.in.Idc * (1 - D);
      break;
    default:
      r.vin_min = volt_seconds / D;
      r.vout = r.vin_min * D / (1 - D);
      r.iout = d.in.Idc * (1 - D);
      break;
  }
  r.vin_max = r.vin_min;
  return r;
}

TEST(ConverterSimulation, NgspiceMeetsTheCurvesRippleTheResistancesPowerAndTheDuty) {
  if (!NgspiceInstalled()) GTEST_SKIP() << "no ngspice";
  const std::vector<Case> cases = Cases();
  ASSERT_GE(cases.size(), 8u);
  for (const Case& c : cases) {
    const ConverterRequest request = ConverterFor(c);
    const ConverterOutcome converter = DesignConverter(request);
    ASSERT_TRUE(converter.design) << c.name << ": " << converter.error;
    EXPECT_NEAR(converter.design->idc / c.choke.in.Idc, 1, 1e-9) << c.name;
    EXPECT_NEAR(converter.design->ripple_pp / c.choke.in.dI, 1, 1e-6) << c.name;
    const std::optional<SpiceModel> model = BuildSpiceModel(c.choke);
    ASSERT_TRUE(model) << c.name;
    const std::optional<ConverterDeck> deck =
        BuildConverterDeck(*model, request, *converter.design);
    ASSERT_TRUE(deck) << c.name;
    const NgspiceRun run = RunNgspice(deck->text, 120);
    ASSERT_TRUE(run.finished) << c.name << ": " << run.error;
    const std::optional<SimulatedChoke> sim =
        ReadSimulatedChoke(run.output, model->Rloss.has_value());
    ASSERT_TRUE(sim) << c.name << "\n" << run.output;
    EXPECT_NEAR(sim->ripple_pp_a / deck->predicted_ripple, 1, 0.01) << c.name;
    EXPECT_NEAR(sim->i_avg_a / deck->inductor_idc, 1, 0.005) << c.name;
    const double rms_squared =
        deck->inductor_idc * deck->inductor_idc + std::pow(deck->predicted_ripple, 2) / 12;
    EXPECT_NEAR(sim->p_rdc_mw / (model->Rdc * rms_squared * 1e3), 1, 0.01) << c.name;
    // The inductance the converter sees is about the design's at full load.
    EXPECT_NEAR(deck->predicted_ripple / c.choke.in.dI, 1, 0.2) << c.name;
  }
}

// A PFC boost over a half cycle of its lowest line: the current follows the
// line (its envelope's middle about the crest the converter computed, near
// zero at the ends), and the ripple at the crest is about the curve's.
TEST(ConverterSimulation, PfcBoostCurrentFollowsTheLineWithTheCurvesRipple) {
  if (!NgspiceInstalled()) GTEST_SKIP() << "no ngspice";
  const ConverterRequest r = testing::ReferencePfc();
  const ConverterDesign c = *DesignConverter(r).design;
  const std::optional<DesignResult> d =
      SearchCores(testing::ChokeRequestFor(c, r.fsw_khz, Material::HF), testing::ShippedCores())
          .design;
  ASSERT_TRUE(d);
  const SpiceModel model = *BuildSpiceModel(*d);
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
  EXPECT_LT(envelope.upper.front(), 0.3 * c.idc);
  EXPECT_LT(envelope.upper.back(), 0.3 * c.idc);
  // The mean of a rectified sine is 2/pi of its crest.
  EXPECT_NEAR(sim->i_avg_a / (2 / M_PI * c.idc), 1, 0.08);
  const double rms_squared = sim->i_rms_a * sim->i_rms_a;
  EXPECT_NEAR(sim->p_rdc_mw / (model.Rdc * rms_squared * 1e3), 1, 0.01);
  EXPECT_TRUE(ReadEnvelope("emax0 = 1\n").upper.empty());
}

// A run that cannot end in time is stopped, and a cancelled one says so.
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
  // What ngspice prints is read, never trusted: a number out of range or a
  // lone point is no measurement, and nothing throws.
  const std::string rest = "iavg = 1\nipeak = 2\nirms = 1\n";
  EXPECT_FALSE(ReadSimulatedChoke("lmax = 1\n", false));
  EXPECT_FALSE(ReadSimulatedChoke("lmax = 1e999\nlmin = 1\n" + rest, false));
  EXPECT_FALSE(ReadSimulatedChoke("lmax = .\nlmin = 1\n" + rest, false));
  EXPECT_FALSE(ReadSimulatedChoke("lmax = 2\nlmin = 1\n" + rest, true));
  const std::optional<SimulatedChoke> read =
      ReadSimulatedChoke("lmax = 2.5\nlmin=1\n" + rest, false);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->ripple_pp_a, 1.5);
  EXPECT_EQ(read->p_rloss_mw, 0);
  EXPECT_TRUE(ReadEnvelope("emax99999999999 = 1\nemin0 = .\n").upper.empty());
}

}  // namespace
}  // namespace tov

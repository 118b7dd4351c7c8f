// The window's converter simulation: the waveform ngspice prints lies on the
// one the model's curve predicts, the figures stand beside the design's,
// and a PFC boost or an output that is no measurement is refused clearly.

#include "ui/logic/converter_simulation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engines/automatic_selection.h"
#include "io/ngspice_run.h"
#include "support/random_designs.h"
#include "ui/logic/converter_form.h"

namespace tov {
namespace {

struct Buck {
  ConverterRequest request;
  ConverterDesign converter;
  DesignResult choke;
};

// The start-up converter of the form (36..60 V to 12 V at 10 A, 30 % ripple
// at 100 kHz) and the Molypermalloy choke the search finds for it.
Buck DesignedBuck() {
  const ConverterFormResult form = ReadConverterForm({});
  const DesignRequest choke = testing::ChokeRequestFor(*form.design, 100, Material::MPP);
  return {*form.request, *form.design, *SearchCores(choke, testing::ShippedCores()).design};
}

TEST(ConverterSimulationView, SimulatedWaveformLiesOnThePredictedOne) {
  if (!NgspiceInstalled()) GTEST_SKIP() << "no ngspice";
  const Buck b = DesignedBuck();
  std::string error;
  const std::optional<SimulationPlan> plan = PlanSimulation(b.choke, b.request, b.converter, error);
  ASSERT_TRUE(plan) << error;
  const NgspiceRun run = RunNgspice(plan->deck.text, 120);
  ASSERT_TRUE(run.finished) << run.error;
  const SimulationView view = ReadSimulationView(*plan, run.output, run.seconds);
  ASSERT_TRUE(view.error.empty()) << view.error;
  ASSERT_GT(view.t_us.size(), 1000u);
  // Three periods of 10 us.
  EXPECT_NEAR(view.t_us.back() - view.t_us.front(), 30, 0.1);
  const double ripple = plan->deck.predicted_ripple;
  double worst = 0;
  for (std::size_t k = 0; k < view.t_us.size(); ++k) {
    worst = std::max(worst, std::fabs(view.simulated_a[k] - view.predicted_a[k]));
  }
  EXPECT_LT(worst, 0.03 * ripple);
  const auto [low, high] = std::minmax_element(view.predicted_a.begin(), view.predicted_a.end());
  EXPECT_NEAR(*high - *low, ripple, 0.01 * ripple);
  ASSERT_EQ(view.figures.size(), 6u);
  EXPECT_NE(view.figures[0].find("design 3 A"), std::string::npos) << view.figures[0];
}

TEST(ConverterSimulationView, RefusesWhatItCannotShow) {
  const Buck b = DesignedBuck();
  std::string error;
  ConverterRequest pfc = b.request;
  pfc.topology = Topology::PfcBoost;
  EXPECT_FALSE(PlanSimulation(b.choke, pfc, b.converter, error));
  EXPECT_NE(error.find("--simulate"), std::string::npos);
  const std::optional<SimulationPlan> plan = PlanSimulation(b.choke, b.request, b.converter, error);
  ASSERT_TRUE(plan);
  EXPECT_NE(plan->deck.text.find(".print tran i(v.x_l.v_sense)\n.end"), std::string::npos);
  const SimulationView nothing = ReadSimulationView(*plan, "Error: unknown subckt\n", 0.1);
  EXPECT_NE(nothing.error.find("unknown subckt"), std::string::npos);
  EXPECT_TRUE(nothing.t_us.empty());
}

}  // namespace
}  // namespace tov

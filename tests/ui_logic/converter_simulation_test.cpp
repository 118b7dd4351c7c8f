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

namespace tov {
namespace {

struct Buck {
  ConverterRequest request;
  ConverterDesign converter;
  DesignResult choke;
};

Buck DesignedBuck() {
  Buck b;
  b.request.topology = Topology::Buck;
  b.request.vin_min = 36;
  b.request.vin_max = 60;
  b.request.vout = 12;
  b.request.iout = 10;
  b.request.fsw_khz = 100;
  b.request.ripple_percent = 30;
  b.converter = *DesignConverter(b.request).design;
  DesignRequest q;
  q.material = Material::MPP;
  q.dc_current_a = b.converter.idc;
  q.ripple_a = b.converter.ripple_pp;
  q.frequency_khz = 100;
  q.full_load_l_uh = b.converter.inductance_uh;
  q.no_load_l_uh = 2 * b.converter.inductance_uh;
  b.choke = *SearchCores(q, testing::ShippedCores()).design;
  return b;
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

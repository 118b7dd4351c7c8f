// The PFC choke's losses over the line cycle: the loss law at one swing is
// the design's own core loss at its ripple and peak current; the averages
// agree with a finer sampling of the cycle and the copper loss with the
// sine's mean square.

#include "engines/line_cycle_loss.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engines/spice_model.h"
#include "support/random_designs.h"

namespace tov {
namespace {

TEST(LineCycleLoss, OneSwingIsTheDesignsOwnCoreLoss) {
  int compared = 0;
  for (const DesignResult& d : testing::RandomDesigns()) {
    // (Past a Velmax gap the roll-off model has no value at the peak.)
    const std::optional<double> p = CoreLossOfSwing(d, d.in.Ipk, d.in.dI);
    EXPECT_EQ(p.has_value(), StackInductance(d, d.in.Ipk).has_value()) << d.row;
    if (!(d.Pfe > 0) || !p) continue;
    EXPECT_NEAR(*p, d.Pfe, 1e-5 * d.Pfe) << d.row;
    ++compared;
  }
  EXPECT_GT(compared, 100);
}

TEST(LineCycleLoss, PfcAveragesMatchAFinerCycleAndTheSinesMeanSquare) {
  const ConverterRequest r = testing::ReferencePfc();
  const ConverterDesign c = *DesignConverter(r).design;
  for (const Material material : kMaterials) {
    const std::optional<DesignResult> d =
        SearchCores(testing::ChokeRequestFor(c, r.fsw_khz, material), testing::ShippedCores())
            .design;
    ASSERT_TRUE(d);
    const std::optional<LineCycleLoss> loss = PfcLineCycleLoss(*d, r);
    ASSERT_TRUE(loss);
    const SpiceModel model = *BuildSpiceModel(*d);
    const double crest = std::sqrt(2.0) * 500 / (0.95 * 90);
    double core = 0, square = 0, largest = 0;
    const int n = 5000;
    for (int k = 0; k < n; ++k) {
      const double s = std::sin(M_PI / 2 * (k + 0.5) / n);
      const double v = std::sqrt(2.0) * 90 * s, i = crest * s;
      const double ripple = v * (1 - 0.95 * v / 400) / (ModelInductance(model, i) * 65e3);
      largest = std::max(largest, ripple);
      square += (i * i + ripple * ripple / 12) / n;
      core += CoreLossOfSwing(*d, i + ripple / 2, ripple).value_or(0) / n;
    }
    EXPECT_EQ(loss->angles_without_value, 0);
    EXPECT_NEAR(loss->core_mw, core, 0.01 * core) << static_cast<int>(material);
    EXPECT_NEAR(loss->copper_mw, d->Rdc * square * 1e3, 0.002 * loss->copper_mw);
    EXPECT_NEAR(loss->ripple_pp_max_a, largest, 0.01 * largest);
    // The line current's mean square is half its crest's; the ripple adds
    // at most its largest square over twelve.
    EXPECT_GE(loss->i_rms_a * loss->i_rms_a, crest * crest / 2 * (1 - 1e-3));
    EXPECT_LE(loss->i_rms_a * loss->i_rms_a, crest * crest / 2 + largest * largest / 12);
  }
  ConverterRequest buck = r;
  buck.topology = Topology::Buck;
  EXPECT_FALSE(PfcLineCycleLoss(testing::RandomDesigns().front(), buck));
}

}  // namespace
}  // namespace tov

// The range of a roll-off fit, against a brute-force walk of the fit itself:
// up to the range's end the fit only falls; right past it the fit rises
// again or has no value.

#include "models/rolloff_range.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "models/rolloff.h"

namespace tov {
namespace {

struct Walk {
  double ui_H_Oe = INFINITY;  // where the fit first stopped falling
  RollOffLimit limit = RollOffLimit::None;
};

// Walks the fit of a grade of permeability 100 in steps of 0.05 % of H up to
// ui H = 1e7 Oe, and reports the first step at which it rose or had no value.
Walk WalkFit(const RollOffCoefficients& k) {
  constexpr float ui = 100;
  std::optional<float> before = EffPerm(ui, 0, k);
  for (double H = 0.01; ui * H < 1e7; H *= 1.0005) {
    const std::optional<float> ue = EffPerm(ui, static_cast<float>(H), k);
    if (!ue) return {ui * H, RollOffLimit::NoValue};
    if (*ue > *before) return {ui * H, RollOffLimit::Minimum};
    before = ue;
  }
  return {};
}

// Each material's fit and fits of other shapes. By hand, a root of the slope
// or of the radicand: Molypermalloy of ui 60 bottoms out near 221 Oe at
// 13.7 % and High Flux near 527 Oe at 6.2 %, the Velmax E-core fit at
// ui H = 68,111 Oe at 7.4 %; the Velmax toroid fit reaches zero (and loses its
// value) at ui H = 18,431 Oe.
TEST(RollOffRange, EachFitEndsWhereAWalkAlongItStopsFalling) {
  const struct {
    const char* fit;
    RollOffCoefficients k;
    RollOffLimit limit;
    double ui_H_Oe;
    std::optional<double> fraction_there;  // ue / ui at ui 60 there
  } fits[] = {
      {"Molypermalloy", RollOffFor(Material::MPP), RollOffLimit::Minimum, 13251, 0.1366},
      {"High Flux", RollOffFor(Material::HF), RollOffLimit::Minimum, 31633, 0.0618},
      {"Velmax", RollOffFor(Material::Velmax), RollOffLimit::NoValue, 18431, 0.0},
      {"Velmax E-core", RollOffFor(Material::VelmaxE), RollOffLimit::Minimum, 68111, 0.0739},
      {"falls for ever", {0, 0, 1e-3f, 0}, RollOffLimit::None, INFINITY, {}},
      {"rises at once", {1e-3f, 0, 0, 0}, RollOffLimit::Minimum, 0, {}},
      {"flat", {0, 0, 0, 0}, RollOffLimit::Minimum, 0, {}},
      {"numerator reaches zero", {-1e-3f, 0, 0, 0}, RollOffLimit::NoValue, 1000, {}},
      {"falls, then turns up", {0, 1e-6f, 1e-3f, 0}, RollOffLimit::Minimum, 414.214, {}},
  };
  for (const auto& f : fits) {
    SCOPED_TRACE(f.fit);
    const RollOffRange range = RangeOf(f.k);
    EXPECT_EQ(range.limit, f.limit);
    const double tolerance = f.fraction_there ? 1 : 1e-3;  // Oe
    EXPECT_TRUE(range.ui_H_Oe == f.ui_H_Oe || std::fabs(range.ui_H_Oe - f.ui_H_Oe) < tolerance)
        << range.ui_H_Oe;
    const Walk walk = WalkFit(f.k);
    if (f.limit != RollOffLimit::None && f.ui_H_Oe > 0) {
      EXPECT_EQ(walk.limit, f.limit);
      EXPECT_NEAR(walk.ui_H_Oe / range.ui_H_Oe, 1, 0.02);
    }
    if (!f.fraction_there) continue;
    const auto ue = EffPerm(60, static_cast<float>(range.ui_H_Oe / 60), f.k);
    EXPECT_NEAR(ue.value_or(0) / 60, *f.fraction_there, 0.001);
    EXPECT_TRUE(InFitRange(range, 60, static_cast<float>(0.999 * range.ui_H_Oe / 60)));
    EXPECT_FALSE(InFitRange(range, 60, static_cast<float>(1.001 * range.ui_H_Oe / 60)));
    EXPECT_TRUE(InFitRange(range, 60, 0));
  }
}

}  // namespace
}  // namespace tov

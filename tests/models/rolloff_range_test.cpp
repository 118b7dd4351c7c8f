// The range of each material's roll-off fit, against a brute-force walk of the
// fit itself: up to the range's end the fit only falls; right past it the fit
// rises again or has no value.

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

struct MaterialRange {
  Material material;
  RollOffLimit limit;
  double ui_H_Oe;         // by hand: a root of the slope or of the radicand
  double fraction_there;  // ue / ui at that point
};

// Molypermalloy of ui 60 bottoms out near 221 Oe at 13.7 % and High Flux
// near 527 Oe at 6.2 %, the Velmax E-core fit at ui H = 68,111 Oe at 7.4 %;
// the Velmax toroid fit reaches zero (and loses its value) at ui H = 18,431 Oe.
constexpr MaterialRange kRanges[] = {
    {Material::MPP, RollOffLimit::Minimum, 13251, 0.1366},
    {Material::HF, RollOffLimit::Minimum, 31633, 0.0618},
    {Material::Velmax, RollOffLimit::NoValue, 18431, 0.0},
    {Material::VelmaxE, RollOffLimit::Minimum, 68111, 0.0739},
};

TEST(RollOffRange, EachMaterialsFitEndsWhereAWalkAlongItStopsFalling) {
  for (const MaterialRange& expected : kRanges) {
    const RollOffCoefficients k = RollOffFor(expected.material);
    SCOPED_TRACE(std::string(InfoOf(expected.material).caption));
    const RollOffRange range = RangeOf(k);
    const Walk walk = WalkFit(k);
    EXPECT_EQ(range.limit, expected.limit);
    EXPECT_EQ(walk.limit, expected.limit);
    EXPECT_NEAR(walk.ui_H_Oe / range.ui_H_Oe, 1, 0.02);
    if (expected.ui_H_Oe > 0) {
      EXPECT_NEAR(range.ui_H_Oe, expected.ui_H_Oe, 1);
      const double ui = 60;
      const auto ue = EffPerm(ui, static_cast<float>(range.ui_H_Oe / ui), k);
      EXPECT_NEAR(ue.value_or(0) / ui, expected.fraction_there, 0.001);
    }
    EXPECT_TRUE(InFitRange(range, 60, static_cast<float>(0.999 * range.ui_H_Oe / 60)));
    EXPECT_FALSE(InFitRange(range, 60, static_cast<float>(1.001 * range.ui_H_Oe / 60)));
    EXPECT_TRUE(InFitRange(range, 60, 0));
  }
}

// Fits of other shapes: one that never turns up, one that rises at once or
// stays flat, one that loses its value, one that turns up.
TEST(RollOffRange, FitsOfOtherShapes) {
  const struct {
    const char* shape;
    RollOffCoefficients k;
    RollOffLimit limit;
    double ui_H_Oe;
  } fits[] = {
      {"falls for ever", {0, 0, 1e-3f, 0}, RollOffLimit::None, INFINITY},
      {"rises at once", {1e-3f, 0, 0, 0}, RollOffLimit::Minimum, 0},
      {"flat", {0, 0, 0, 0}, RollOffLimit::Minimum, 0},
      {"numerator reaches zero", {-1e-3f, 0, 0, 0}, RollOffLimit::NoValue, 1000},
      {"falls, then turns up", {0, 1e-6f, 1e-3f, 0}, RollOffLimit::Minimum, 414.214},
  };
  for (const auto& fit : fits) {
    const RollOffRange range = RangeOf(fit.k);
    EXPECT_EQ(range.limit, fit.limit) << fit.shape;
    if (std::isinf(fit.ui_H_Oe)) {
      EXPECT_TRUE(std::isinf(range.ui_H_Oe)) << fit.shape;
    } else {
      EXPECT_NEAR(range.ui_H_Oe, fit.ui_H_Oe, 1e-3) << fit.shape;
    }
    if (fit.limit != RollOffLimit::None && fit.ui_H_Oe > 0) {
      const Walk walk = WalkFit(fit.k);
      EXPECT_EQ(walk.limit, fit.limit) << fit.shape;
      EXPECT_NEAR(walk.ui_H_Oe / range.ui_H_Oe, 1, 0.02) << fit.shape;
    }
  }
}

}  // namespace
}  // namespace tov

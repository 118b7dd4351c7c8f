// The curves of random designs on the shipped core database: they pass
// through the design's own numbers, follow the roll-off model as it is, and
// leave gaps exactly where the model has no value.

#include "engines/curves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "io/curve_csv.h"
#include "models/rolloff.h"
#include "models/rolloff_range.h"
#include "support/random_designs.h"

namespace tov {
namespace {

using testing::RandomDesigns;
using testing::ShippedCores;

// The y of the series at the point whose x is exactly `x`.
double At(const Curve& curve, std::size_t series, double x) {
  const auto at = std::find(curve.xs.begin(), curve.xs.end(), x);
  EXPECT_NE(at, curve.xs.end()) << curve.title << " has no point at " << x;
  if (at == curve.xs.end()) return NAN;
  return curve.series[series].y[static_cast<std::size_t>(at - curve.xs.begin())];
}

std::optional<float> PermAt(const DesignResult& d, float ui, double I) {
  const auto H = MagForce(d.N, static_cast<float>(I), d.le);
  return H ? EffPerm(ui, *H, RollOffFor(d.material)) : std::nullopt;
}

TEST(Curves, RandomDesignsOfEveryMaterialAndStackPassThroughTheirOwnNumbers) {
  const std::vector<DesignResult> designs = RandomDesigns();
  ASSERT_GT(designs.size(), 400u);
  int checked = 0;
  for (const DesignResult& d : designs) {
    SCOPED_TRACE(std::string(InfoOf(d.material).caption) + " row " + std::to_string(d.row) +
                 " stack " + std::to_string(d.stack_count) + " N " + std::to_string(d.N));
    // A design whose last permeability step had no value keeps an earlier
    // one: its numbers are not those of its final turns, and its curve has a gap.
    if (PermAt(d, d.ui, d.in.Ipk) != d.ue) {
      EXPECT_TRUE(std::isnan(At(InductanceCurve(d), 0, d.in.Ipk)));
      continue;
    }
    ++checked;
    const std::array<Curve, 4> curves = DesignCurves(d, ShippedCores());
    const Curve& L = curves[0];
    const double uH_per_mH = 1000.0 * d.stack_count;
    EXPECT_EQ(std::tuple(At(L, 0, 0.0), At(L, 0, d.in.Ipk), L.xs.back()),
              std::tuple(uH_per_mH * d.Lnl, uH_per_mH * d.Lfl, double{float(2.0 * d.in.Ipk)}));

    // Wherever the permeability falls from one current to the next, so does
    // L (to the last digit of a 4-byte float); L never rises with current but
    // beyond the fit's range (drawn dashed).
    bool drawn_beyond = false;
    for (std::size_t i = 1; i < L.xs.size(); ++i) {
      const auto before = PermAt(d, d.ui, L.xs[i - 1]), after = PermAt(d, d.ui, L.xs[i]);
      const bool rises = L.series[0].y[i] > L.series[0].y[i - 1] * (1 + 1e-7);
      EXPECT_FALSE(rises && ((before && after && *after < *before) || InRange(L.series[0], i)))
          << "rises at " << L.xs[i] << " A";
      drawn_beyond |= i >= L.series[0].in_range && !std::isnan(L.series[0].y[i]);
    }
    EXPECT_EQ(L.beyond_range.empty(), !drawn_beyond);

    // The operating point lies on its grade's curve at the design's field.
    ASSERT_EQ(curves[1].marks.size(), 1u);
    const CurveMark& point = curves[1].marks.front();
    EXPECT_EQ(std::tuple(point.x, point.y, At(curves[1], point.series, d.H)),
              std::tuple(double{d.H}, 100.0 * d.ue / d.ui, 100.0 * d.ue / d.ui));

    const Curve& loss = curves[2];
    ASSERT_EQ(loss.marks.size(), 1u) << "one design marker";
    EXPECT_EQ(loss.marks[0].label, "Design");
    EXPECT_EQ(loss.marks[0].y, d.Ptot);
    EXPECT_GE(loss.series[1].in_range, loss.xs.size()) << "copper loss needs no roll-off";
    EXPECT_EQ(std::tuple(At(loss, 0, d.in.Idc), At(loss, 1, d.in.Idc), At(loss, 2, d.in.Idc),
                         At(loss, 3, d.in.Idc)),
              std::tuple(double{d.Pfe}, double{d.Pcu}, double{d.Ptot}, double{d.dT}));
    EXPECT_NEAR(loss.xs.front(), 0.1 * d.in.Idc, 1e-6 * d.in.Idc);
    EXPECT_NEAR(loss.xs.back(), 1.5 * d.in.Idc, 1e-6 * d.in.Idc);
    EXPECT_EQ(At(curves[3], 0, d.in.f), d.Pfe);
    EXPECT_EQ(curves[3].log_y, d.Pfe > 0) << "a log axis while there is core loss";
  }
  EXPECT_GT(checked, 300) << designs.size();
}

// The roll-off model is drawn as it is, 1 to 1000 Oe: for Velmax toroids a
// gap exactly where mu H lies in the band without a value (about 18,431 to
// 520,208 Oe), nowhere else and for no other material. Each line is solid
// while the fit falls and dashed from where it stops falling: its lowest
// point (Molypermalloy of mu 60 rises again above about 300 Oe), or the start
// of the Velmax toroids' gap.
TEST(Curves, PermeabilityLinesSolidWhileTheFitFallsWithGapsOnlyWhereItHasNoValue) {
  for (const Material material : kMaterials) {
    SCOPED_TRACE(std::string(InfoOf(material).caption));
    const bool velmax = material == Material::Velmax;
    const float ue = EffPerm(60, 50, RollOffFor(material)).value_or(0);
    const Curve mu =
        PermeabilityCurve({.material = material, .ui = 60, .H = 50, .ue = ue}, ShippedCores());
    EXPECT_EQ(std::pair(mu.xs.front(), mu.xs.back()), std::pair(1.0, 1000.0));
    ASSERT_GE(mu.series.size(), material == Material::VelmaxE ? 1u : 3u);
    bool any_dashed = false;
    for (const CurveSeries& s : mu.series) {
      SCOPED_TRACE(s.name);
      const double ui = std::stod(s.name.substr(s.name.find(' ') + 1));
      std::size_t lowest = 0, at_300 = 0;
      for (std::size_t i = 0; i < mu.xs.size(); ++i) {
        const double x = ui * mu.xs[i];
        const bool edge = std::fabs(x - 18431) < 20 || std::fabs(x - 520208) < 600;
        EXPECT_TRUE(edge || std::isnan(s.y[i]) == (velmax && x > 18431 && x < 520208)) << x;
        EXPECT_TRUE(i == 0 || i >= s.in_range || s.y[i] <= s.y[i - 1]) << mu.xs[i] << " Oe";
        if (i >= s.in_range) any_dashed |= !std::isnan(s.y[i]);
        if (s.y[i] < s.y[lowest]) lowest = i;
        if (mu.xs[i] < 300) at_300 = i + 1;
      }
      EXPECT_TRUE(material != Material::MPP || ui != 60 || s.y.back() > s.y[at_300]);
      if (s.in_range >= s.y.size()) continue;
      ASSERT_GT(s.in_range, 0u);
      if (velmax) {
        EXPECT_TRUE(std::isnan(s.y[s.in_range])) << "the gap starts right after the solid line";
      } else {  // the lowest point is the last solid one or the first dashed one
        EXPECT_GE(lowest + 1, s.in_range);
        EXPECT_LE(lowest, s.in_range);
      }
    }
    EXPECT_EQ(any_dashed, !velmax);
    EXPECT_EQ(mu.beyond_range.empty(), !any_dashed) << mu.beyond_range;
    EXPECT_EQ(mu.beyond_range.find(velmax ? "no value" : "minimum") == std::string::npos, velmax);
  }
}

// A design past the fit's end: its frequency curve lies beyond the fit as a
// whole, and so do the losses that depend on the permeability.
TEST(Curves, ADesignPastTheFitsEndIsBeyondItsRangeThroughout) {
  DesignResult d{.material = Material::MPP,
                 .MatType = 1,
                 .in = {35, 0.1f, 0.15f, 10, 2, 11, 10.58f, 600, 100},
                 .ui = 60,
                 .AL = 50,
                 .le = 5,
                 .Ae = 0.5f,
                 .N = 2000};
  d.H = *MagForce(d.N, d.in.Ipk, d.le);
  ASSERT_GT(d.ui * d.H, RangeOf(RollOffFor(d.material)).ui_H_Oe);
  d.ue = *EffPerm(d.ui, d.H, RollOffFor(d.material));
  const std::array<Curve, 4> curves = DesignCurves(d, ShippedCores());
  EXPECT_EQ(curves[3].series[0].in_range, 0u);
  EXPECT_FALSE(curves[3].beyond_range.empty());
  const Curve& loss = curves[2];
  const std::size_t at_design = static_cast<std::size_t>(
      std::find(loss.xs.begin(), loss.xs.end(), d.in.Idc) - loss.xs.begin());
  for (const std::size_t s : {0u, 2u, 3u}) EXPECT_LE(loss.series[s].in_range, at_design);
  EXPECT_GE(loss.series[1].in_range, loss.xs.size());
}

// Exports name the design: part number, stack, turns and the inputs, with
// Full Load L as the whole stack's inductance.
TEST(Curves, TheDesignIsNamedByPartTurnsAndInputs) {
  DesignResult d{.row = 3,
                 .material = Material::MPP,
                 .in = {.Ltarget = 0.1f, .Idc = 10, .dI = 2, .f = 100},
                 .N = 71};
  EXPECT_EQ(DesignIdentity(d, ShippedCores()),
            "MP014-060-P, 71 turns; 10 A DC, 2 A ripple at 100 kHz, Full Load L 100 \u00b5H");
  d.stack_count = 2;
  d.in = {.Ltarget = 0.0375f, .Idc = 10, .dI = 2, .f = 62.5f};
  EXPECT_EQ(DesignIdentity(d, ShippedCores()),
            "MP014-060-P (stack of 2), 71 turns; 10 A DC, 2 A ripple at 62.5 kHz, Full Load L 75 "
            "\u00b5H");
}

TEST(Curves, CsvNamesTheXQuantityFirstAndEveryUnitAndLeavesGapsEmpty) {
  const DesignResult d{.stack_count = 2,
                       .in = {.Idc = 10, .Ipk = 11, .f = 100},
                       .ui = 125,
                       .AL = 100,
                       .le = 5,
                       .N = 40};
  const std::array<Curve, 4> curves = DesignCurves(d, ShippedCores());
  const std::string L = CurveCsv(curves[0]), mu = CurveCsv(curves[1]), loss = CurveCsv(curves[2]);
  EXPECT_EQ(std::count(L.begin(), L.end(), '\n'), static_cast<long>(curves[0].xs.size()) + 1);
  // Without current the stack of two has twice 1e-6 x 40^2 x 100 mH.
  EXPECT_EQ(L.rfind("Current (A),Inductance (\u00b5H)\n0,320\n", 0), 0u) << L.substr(0, 100);
  EXPECT_EQ(loss.substr(0, loss.find('\n')),
            "DC current (A),Core loss (mW),Copper loss (mW),"
            "Total loss (mW),Temperature rise (\u00b0C)");
  EXPECT_EQ(mu.rfind("Magnetising force (Oe),", 0), 0u);
  EXPECT_NE(mu.find(",\u00b5 125 (% of \u00b5)"), std::string::npos);
  EXPECT_NE(mu.find(",\n"), std::string::npos) << "a gap is an empty cell";
  EXPECT_EQ(mu.find("nan"), std::string::npos);
  // A heading goes first as one comment line, its line breaks made blanks.
  EXPECT_EQ(CurveCsv(curves[2], "Losses: MP\n1\r2"), "# Losses: MP 1 2\n" + loss);
  for (const CurveKind kind : kCurveKinds) EXPECT_EQ(CurveKindFromName(CurveName(kind)), kind);
  EXPECT_FALSE(CurveKindFromName("L-VS-I"));
}

}  // namespace
}  // namespace tov

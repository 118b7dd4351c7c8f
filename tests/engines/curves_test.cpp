// The curves of random designs on the shipped core database: they pass
// through the design's own numbers, follow the roll-off model as it is, and
// leave gaps exactly where the model has no value.

#include "engines/curves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
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
    EXPECT_EQ(At(L, 0, 0.0), uH_per_mH * d.Lnl);
    EXPECT_EQ(At(L, 0, d.in.Ipk), uH_per_mH * d.Lfl);
    EXPECT_EQ(L.xs.back(), static_cast<float>(2.0 * d.in.Ipk));

    // Wherever the permeability falls from one current to the next, so does
    // L (to the last digit of a 4-byte float).
    for (std::size_t i = 1; i < L.xs.size(); ++i) {
      const auto before = PermAt(d, d.ui, L.xs[i - 1]), after = PermAt(d, d.ui, L.xs[i]);
      if (before && after && *after < *before) {
        EXPECT_LE(L.series[0].y[i], L.series[0].y[i - 1] * (1 + 1e-7)) << "at " << L.xs[i] << " A";
      }
    }

    // The operating point lies on its grade's curve at the design's field.
    ASSERT_EQ(curves[1].marks.size(), 1u);
    const CurveMark& point = curves[1].marks.front();
    EXPECT_EQ(point.x, d.H);
    EXPECT_EQ(point.y, 100.0 * d.ue / d.ui);
    EXPECT_EQ(At(curves[1], point.series, d.H), point.y);

    // Inductance never rises with DC current: wherever the drawn curve does,
    // it is beyond the fit's range (drawn dashed).
    for (std::size_t i = 1; i < L.xs.size(); ++i) {
      if (L.series[0].y[i] > L.series[0].y[i - 1] * (1 + 1e-7)) {
        EXPECT_FALSE(InRange(L.series[0], i)) << "rises at " << L.xs[i] << " A";
      }
    }
    bool drawn_beyond = false;
    for (std::size_t i = L.series[0].in_range; i < L.xs.size(); ++i) {
      drawn_beyond |= !std::isnan(L.series[0].y[i]);
    }
    EXPECT_EQ(L.beyond_range.empty(), !drawn_beyond);

    const Curve& loss = curves[2];
    ASSERT_EQ(loss.marks.size(), 1u) << "one design marker";
    EXPECT_EQ(loss.marks[0].label, "Design");
    EXPECT_EQ(loss.marks[0].y, d.Ptot);
    EXPECT_GE(loss.series[1].in_range, loss.xs.size()) << "copper loss needs no roll-off";
    EXPECT_EQ(At(loss, 0, d.in.Idc), d.Pfe);
    EXPECT_EQ(At(loss, 1, d.in.Idc), d.Pcu);
    EXPECT_EQ(At(loss, 2, d.in.Idc), d.Ptot);
    EXPECT_EQ(At(loss, 3, d.in.Idc), d.dT);
    EXPECT_NEAR(loss.xs.front(), 0.1 * d.in.Idc, 1e-6 * d.in.Idc);
    EXPECT_NEAR(loss.xs.back(), 1.5 * d.in.Idc, 1e-6 * d.in.Idc);
    EXPECT_EQ(At(curves[3], 0, d.in.f), d.Pfe);
    EXPECT_EQ(curves[3].log_y, d.Pfe > 0) << "a log axis while there is core loss";
  }
  EXPECT_GT(checked, 300) << designs.size();
}

// The roll-off model is drawn as it is: for Velmax toroids a gap exactly
// where mu H lies in the band without a value (about 18,431 to 520,208 Oe),
// nowhere else and for no other material; Molypermalloy of mu 60 rises again
// above about 300 Oe.
TEST(Curves, PermeabilityCurvesLeaveGapsOnlyWhereTheModelHasNoValue) {
  for (const Material material : kMaterials) {
    DesignResult d;
    d.material = material;
    d.ui = 60;
    d.H = 50;
    d.ue = EffPerm(d.ui, d.H, RollOffFor(material)).value_or(0);
    const Curve mu = PermeabilityCurve(d, ShippedCores());
    EXPECT_EQ(mu.xs.front(), 1.0);
    EXPECT_EQ(mu.xs.back(), 1000.0);
    ASSERT_GE(mu.series.size(), material == Material::VelmaxE ? 1u : 3u);
    for (const CurveSeries& s : mu.series) {
      const double ui = std::stod(s.name.substr(s.name.find(' ') + 1));
      for (std::size_t i = 0; i < mu.xs.size(); ++i) {
        const double x = ui * mu.xs[i];
        if (std::fabs(x - 18431) < 20 || std::fabs(x - 520208) < 600) continue;
        const bool in_band = material == Material::Velmax && x > 18431 && x < 520208;
        EXPECT_EQ(std::isnan(s.y[i]), in_band) << s.name << " at " << mu.xs[i] << " Oe";
      }
    }
    if (material == Material::MPP) {
      const auto& mu60 = *std::find_if(mu.series.begin(), mu.series.end(),
                                       [](const CurveSeries& s) { return s.name == "\u00b5 60"; });
      const std::size_t i300 = static_cast<std::size_t>(
          std::lower_bound(mu.xs.begin(), mu.xs.end(), 300.0) - mu.xs.begin());
      EXPECT_GT(mu60.y.back(), mu60.y[i300]) << "rises again above 300 Oe";
    }
  }
}

// Each grade's permeability line is solid while the fit falls and dashed from
// where it stops falling: its lowest point (Molypermalloy, High Flux, Velmax
// E-cores) or the start of its band without a value (Velmax toroids).
TEST(Curves, PermeabilityLinesTurnDashedWhereTheFitStopsFalling) {
  const struct {
    Material material;
    RollOffLimit limit;
    const char* why;
  } materials[] = {{Material::MPP, RollOffLimit::Minimum, "minimum"},
                   {Material::HF, RollOffLimit::Minimum, "minimum"},
                   {Material::Velmax, RollOffLimit::NoValue, "no value"},
                   {Material::VelmaxE, RollOffLimit::Minimum, "minimum"}};
  for (const auto& m : materials) {
    SCOPED_TRACE(std::string(InfoOf(m.material).caption));
    DesignResult d;
    d.material = m.material;
    d.ui = 60;
    d.H = 50;
    d.ue = EffPerm(d.ui, d.H, RollOffFor(m.material)).value_or(0);
    const Curve mu = PermeabilityCurve(d, ShippedCores());
    bool any_dashed = false;
    for (const CurveSeries& s : mu.series) {
      SCOPED_TRACE(s.name);
      for (std::size_t i = 1; i < s.in_range && i < s.y.size(); ++i) EXPECT_LE(s.y[i], s.y[i - 1]);
      if (s.in_range >= s.y.size()) continue;
      ASSERT_GT(s.in_range, 0u);
      for (std::size_t i = s.in_range; i < s.y.size(); ++i) any_dashed |= !std::isnan(s.y[i]);
      if (m.limit == RollOffLimit::NoValue) {
        EXPECT_TRUE(std::isnan(s.y[s.in_range])) << "the gap starts right after the solid line";
        continue;
      }
      // The lowest point of the line is the last solid one or the first dashed one.
      std::size_t lowest = 0;
      for (std::size_t i = 0; i < s.y.size(); ++i) {
        if (s.y[i] < s.y[lowest]) lowest = i;
      }
      EXPECT_GE(lowest + 1, s.in_range);
      EXPECT_LE(lowest, s.in_range);
    }
    // The minimum lies below 1000 Oe for the high grades; past the Velmax
    // toroids' gap no grade comes back below 1000 Oe.
    EXPECT_EQ(any_dashed, m.limit == RollOffLimit::Minimum);
    EXPECT_EQ(mu.beyond_range.empty(), !any_dashed) << mu.beyond_range;
    if (any_dashed) {
      EXPECT_NE(mu.beyond_range.find(m.why), std::string::npos) << mu.beyond_range;
    }
  }
}

// A design past the fit's end: its frequency curve lies beyond the fit as a
// whole, and so do the losses that depend on the permeability.
TEST(Curves, ADesignPastTheFitsEndIsBeyondItsRangeThroughout) {
  DesignResult d;
  d.material = Material::MPP;
  d.MatType = 1;
  d.ui = 60;
  d.AL = 50;
  d.le = 5;
  d.N = 2000;
  d.Ae = 0.5f;
  d.in = {35, 0.1f, 0.15f, 10, 2, 11, 10.58f, 600, 100};
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
  DesignResult d;
  d.row = 3;
  d.material = Material::MPP;
  d.N = 71;
  d.in.Idc = 10;
  d.in.dI = 2;
  d.in.f = 100;
  d.in.Ltarget = 0.1f;
  EXPECT_EQ(DesignIdentity(d, ShippedCores()),
            "MP014-060-P, 71 turns; 10 A DC, 2 A ripple at 100 kHz, Full Load L 100 \u00b5H");
  d.stack_count = 2;
  d.in.Ltarget = 0.0375f;
  d.in.f = 62.5f;
  EXPECT_EQ(DesignIdentity(d, ShippedCores()),
            "MP014-060-P (stack of 2), 71 turns; 10 A DC, 2 A ripple at 62.5 kHz, Full Load L 75 "
            "\u00b5H");
}

TEST(Curves, CsvNamesTheXQuantityFirstAndEveryUnitAndLeavesGapsEmpty) {
  DesignResult d;
  d.material = Material::Velmax;
  d.ui = 125;
  d.AL = 100;
  d.le = 5;
  d.N = 40;
  d.stack_count = 2;
  d.in.Idc = 10;
  d.in.Ipk = 11;
  d.in.f = 100;
  const std::pair<CurveKind, std::string> headers[] = {
      {CurveKind::InductanceVsCurrent, "Current (A),Inductance (\u00b5H)"},
      {CurveKind::LossVsCurrent,
       "DC current (A),Core loss (mW),Copper loss (mW),Total loss (mW),Temperature rise (\u00b0C)"},
      {CurveKind::LossVsFrequency, "Frequency (kHz),Core loss (mW)"}};
  const std::array<Curve, 4> curves = DesignCurves(d, ShippedCores());
  for (const auto& [kind, header] : headers) {
    const std::string csv = CurveCsv(curves[static_cast<std::size_t>(kind)]);
    EXPECT_EQ(csv.substr(0, csv.find('\n')), header);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'),
              static_cast<long>(curves[static_cast<std::size_t>(kind)].xs.size()) + 1);
  }
  const std::string mu = CurveCsv(curves[1]);
  EXPECT_EQ(mu.substr(0, mu.find(',')), "Magnetising force (Oe)");
  EXPECT_NE(mu.find("\u00b5 125 (% of \u00b5)"), std::string::npos);
  EXPECT_NE(mu.find(",\n"), std::string::npos) << "a gap is an empty cell";
  EXPECT_EQ(mu.find("nan"), std::string::npos);
  // Without current the stack of two has twice 1e-6 x 40^2 x 100 mH.
  EXPECT_NE(CurveCsv(curves[0]).find("\n0,320\n"), std::string::npos);
  // A heading goes first as one comment line, its line breaks made blanks.
  const std::string headed = CurveCsv(curves[2], "Losses: MP\n1\r2");
  EXPECT_EQ(headed.substr(0, headed.find('\n') + 1), "# Losses: MP 1 2\n");
  EXPECT_EQ(headed.substr(headed.find('\n') + 1), CurveCsv(curves[2]));
  for (const CurveKind kind : kCurveKinds) EXPECT_EQ(CurveKindFromName(CurveName(kind)), kind);
  EXPECT_FALSE(CurveKindFromName("L-VS-I"));
}

}  // namespace
}  // namespace tov

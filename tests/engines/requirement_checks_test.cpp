#include "engines/requirement_checks.h"

#include <gtest/gtest.h>

#include <string>

#include "state/constants.h"
#include "support/random_designs.h"

namespace tov {
namespace {

const RequirementCheck& Find(const std::vector<RequirementCheck>& checks, CheckKind kind) {
  for (const RequirementCheck& c : checks) {
    if (c.kind == kind) return c;
  }
  ADD_FAILURE() << DescriptorOf(kind).key;
  return checks.front();
}

// A Molypermalloy mu 60 toroid of two stacked cores, 40 turns of AWG 18 for
// 10 A and 2 A of ripple at 600 A/cm^2, holding 0.06 mH per core at full
// load and 0.1 mH at no load, 30 degC up.
DesignResult Design() {
  DesignResult d;
  d.material = Material::MPP;
  d.MatType = 1;
  d.stack_count = 2;
  d.ui = 60;
  d.N = 40;
  d.in.Idc = 10;
  d.in.dI = 2;
  d.in.Ipk = 11;
  d.in.Iw = 10.577f;
  d.in.J = 600;
  d.G = 15;  // what 10.577 A at 600 A/cm^2 sizes: -4.31 ln(1.889 10.577 / 600) = 14.94
  d.strands = 1;
  d.H = 40;
  d.Lfl = 0.06f;
  d.Lnl = 0.1f;
  d.fill = 0.3f;
  d.dT = 30;
  return d;
}

DesignRequest Request() {
  DesignRequest r;
  r.full_load_l_uh = 100;  // the design holds 2 x 60 = 120 uH
  r.no_load_l_uh = 250;    // and 200 uH at no load
  r.allowable_rise_c = 35;
  return r;
}

WorstCase Worst(std::optional<float> hot_rise) {
  WorstCase w;
  w.al_tolerance_percent = -8;
  w.Lfl_min_uH = 0.92 * 120;
  if (hot_rise) w.hot = HotWinding{0.1f, 20 + *hot_rise, 1000, 1100, *hot_rise};
  return w;
}

struct Case {
  const char* name;
  void (*change)(DesignRequest&, DesignResult&);
  std::optional<float> hot_rise;
  NoLoadCeiling ceiling;
  CheckKind kind;
  bool pass;
  std::optional<double> achieved;
  const char* reason_holds;  // a part of the reason; empty: no reason
};

// Each row changes one thing of the design above and names the one check it
// decides, with what an engineer works out by hand.
const Case kCases[] = {
    {"full load met by the whole stack", [](DesignRequest&, DesignResult&) {}, 31.f,
     NoLoadCeiling::On, CheckKind::FullLoadInductance, true, 120.0, ""},
    {"full load short", [](DesignRequest& r, DesignResult&) { r.full_load_l_uh = 130; }, 31.f,
     NoLoadCeiling::On, CheckKind::FullLoadInductance, false, 120.0, "below the 130.00 uH"},
    {"ceiling kept", [](DesignRequest&, DesignResult&) {}, 31.f, NoLoadCeiling::On,
     CheckKind::NoLoadCeiling, true, 200.0, ""},
    {"ceiling broken", [](DesignRequest& r, DesignResult&) { r.no_load_l_uh = 150; }, 31.f,
     NoLoadCeiling::On, CheckKind::NoLoadCeiling, false, 200.0, "exceeds the 150.00 uH ceiling"},
    {"ceiling off by the option", [](DesignRequest& r, DesignResult&) { r.no_load_l_uh = 150; },
     31.f, NoLoadCeiling::OffByOption, CheckKind::NoLoadCeiling, true, 200.0,
     "off: Full Load L Maximum is not checked"},
    {"ceiling cleared by a pick and exceeded",
     [](DesignRequest& r, DesignResult&) { r.no_load_l_uh = 150; }, 31.f,
     NoLoadCeiling::ClearedByPick, CheckKind::NoLoadCeiling, false, 200.0,
     "cleared by the core pick; 200.00 uH exceeds the 150.00 uH typed"},
    {"ceiling cleared by a pick, kept", [](DesignRequest&, DesignResult&) {}, 31.f,
     NoLoadCeiling::ClearedByPick, CheckKind::NoLoadCeiling, true, 200.0,
     "cleared by the core pick"},
    {"too hot", [](DesignRequest&, DesignResult& d) { d.dT = 35.5f; }, 40.f, NoLoadCeiling::On,
     CheckKind::TemperatureRise, false, 35.5, "above the 35.00 degC"},
    {"no wire fits", [](DesignRequest&, DesignResult& d) { d.G = 43; }, 31.f, NoLoadCeiling::On,
     CheckKind::WindingFitsWindow, false, 0.3, "AWG 43"},
    {"wire thinned", [](DesignRequest&, DesignResult& d) { d.G = 18; }, 31.f, NoLoadCeiling::On,
     CheckKind::WireAsSized, false, 18.0, "thinned from AWG 15 to AWG 18"},
    {"wire as sized", [](DesignRequest&, DesignResult&) {}, 31.f, NoLoadCeiling::On,
     CheckKind::WireAsSized, true, 15.0, ""},
    {"60 % left at full load", [](DesignRequest&, DesignResult&) {}, 31.f, NoLoadCeiling::On,
     CheckKind::RollOff, true, 60.0, ""},
    {"44 % left at full load", [](DesignRequest&, DesignResult& d) { d.Lfl = 0.044f; }, 31.f,
     NoLoadCeiling::On, CheckKind::RollOff, false, 44.0, "only 44.00 %"},
    {"mu 550 has no loss data", [](DesignRequest&, DesignResult& d) { d.ui = 550; }, 31.f,
     NoLoadCeiling::On, CheckKind::LossData, false, std::nullopt, "no loss data"},
    {"Velmax past its roll-off data",
     [](DesignRequest&, DesignResult& d) {
       d.material = Material::Velmax;
       d.MatType = 3;
       d.H = 5000;
     },
     31.f, NoLoadCeiling::On, CheckKind::ModelValidAtPeak, false, 5000.0, "no value at 5000.00 Oe"},
    {"worst case below full load", [](DesignRequest& r, DesignResult&) { r.full_load_l_uh = 115; },
     31.f, NoLoadCeiling::On, CheckKind::WorstCaseFullLoadInductance, false, 110.4,
     "-8.00 % tolerance"},
    {"worst case hot", [](DesignRequest&, DesignResult&) {}, 36.f, NoLoadCeiling::On,
     CheckKind::WorstCaseRise, false, 36.0, "with the copper hot"},
    {"worst case runs away", [](DesignRequest&, DesignResult&) {}, std::nullopt, NoLoadCeiling::On,
     CheckKind::ThermalRunaway, false, std::nullopt, "thermal runaway"},
    {"worst case settles", [](DesignRequest&, DesignResult&) {}, 31.f, NoLoadCeiling::On,
     CheckKind::ThermalRunaway, true, 51.0, ""},
};

TEST(RequirementChecks, EachCheckDecidesWhatAHandCalculationDoes) {
  for (const Case& c : kCases) {
    DesignRequest request = Request();
    DesignResult design = Design();
    c.change(request, design);
    const auto checks = CheckDesign(request, design, Worst(c.hot_rise), c.ceiling);
    ASSERT_EQ(checks.size(), kCheckTable.size()) << c.name;
    const RequirementCheck& check = Find(checks, c.kind);
    EXPECT_EQ(check.pass, c.pass) << c.name;
    if (c.achieved) {
      ASSERT_TRUE(check.achieved) << c.name;
      EXPECT_NEAR(*check.achieved, *c.achieved, 1e-4 * *c.achieved) << c.name;
    }
    if (*c.reason_holds == '\0') {
      EXPECT_EQ(check.reason, "") << c.name;
    } else {
      EXPECT_NE(check.reason.find(c.reason_holds), std::string::npos)
          << c.name << ": " << check.reason;
    }
    EXPECT_EQ(AllPass(checks), std::all_of(checks.begin(), checks.end(),
                                           [](const RequirementCheck& k) { return k.pass; }));
  }
  // The design untouched passes everything but what its hot worst case says.
  const auto checks = CheckDesign(Request(), Design(), Worst(31.f), NoLoadCeiling::On);
  EXPECT_TRUE(AllPass(checks));
  EXPECT_FALSE(AllPass(CheckDesign(Request(), Design(), Worst(40.f), NoLoadCeiling::On)));
}

// On designs of the shipped database the checks say what the numbers say,
// in the table's order.
TEST(RequirementChecks, AgreeWithTheFiguresOfRandomDesigns) {
  for (const DesignResult& d : testing::RandomDesigns()) {
    DesignRequest r;
    r.full_load_l_uh = 1000.0 * d.stack_count * d.in.Ltarget;
    r.no_load_l_uh = 1000.0 * d.stack_count * d.in.Lmax;
    r.allowable_rise_c = d.in.Tallow;
    const WorstCase worst = WorstCaseOf(d, kDefaultALTolerancePercent);
    const auto checks = CheckDesign(r, d, worst, NoLoadCeiling::On);
    ASSERT_EQ(checks.size(), kCheckTable.size());
    for (std::size_t i = 0; i < checks.size(); ++i) EXPECT_EQ(checks[i].kind, kCheckTable[i].kind);
    const double l_full_uh = 1000.0 * d.stack_count * d.Lfl;
    EXPECT_EQ(Find(checks, CheckKind::FullLoadInductance).pass, l_full_uh >= r.full_load_l_uh)
        << d.row;
    EXPECT_EQ(Find(checks, CheckKind::TemperatureRise).pass, d.dT <= r.allowable_rise_c) << d.row;
    EXPECT_EQ(Find(checks, CheckKind::WindingFitsWindow).pass, d.G <= 42) << d.row;
    EXPECT_EQ(Find(checks, CheckKind::ThermalRunaway).pass, worst.hot.has_value()) << d.row;
    EXPECT_EQ(Find(checks, CheckKind::WorstCaseFullLoadInductance).achieved, worst.Lfl_min_uH);
    if (d.Lnl > 0) {
      EXPECT_NEAR(*Find(checks, CheckKind::RollOff).achieved, 100.0 * d.Lfl / d.Lnl, 1e-9);
    }
  }
}

}  // namespace
}  // namespace tov

#include "engines/requirement_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace tov {
namespace {

// What a row changes of a Molypermalloy mu 60 toroid of two stacked cores,
// 40 turns of AWG 15 for 10 A and 2 A of ripple at 600 A/cm^2 (what 10.577 A
// sizes: -4.31 ln(1.889 10.577 / 600) = 14.94), holding 0.06 mH per core at
// full load and 0.1 mH at no load, 30 degC up, asked for 100 uH at full load
// and at most 250 uH at no load; its AL at -8 % gives 0.92 x 120 uH.
struct Change {
  double lfl_uh = 100, lnl_uh = 250;
  float Lfl = 0.06f, dT = 30, ui = 60, H = 40;
  int16_t G = 15;
  Material material = Material::MPP;
  std::optional<float> hot_rise = 31.f;  // none: runs away
  NoLoadCeiling ceiling = NoLoadCeiling::On;
};

struct Case {
  const char* name;
  Change change;
  CheckKind kind;
  bool pass;
  std::optional<double> achieved;
  const char* reason_holds;  // a part of the reason; empty: no reason
};

std::vector<RequirementCheck> Check(const Change& c) {
  const DesignResult d{.material = c.material,
                       .stack_count = 2,
                       .MatType = InfoOf(c.material).MatType,
                       .in = {.Idc = 10, .dI = 2, .Ipk = 11, .Iw = 10.577f, .J = 600},
                       .ui = c.ui,
                       .N = 40,
                       .G = c.G,
                       .H = c.H,
                       .Lfl = c.Lfl,
                       .Lnl = 0.1f,
                       .fill = 0.3f,
                       .dT = c.dT};
  WorstCase w{.al_tolerance_percent = -8, .Lfl_min_uH = 0.92 * 120, .hot = std::nullopt};
  if (c.hot_rise) w.hot = HotWinding{0.1f, 20 + *c.hot_rise, 1000, 1100, *c.hot_rise};
  DesignRequest r;
  r.full_load_l_uh = c.lfl_uh;
  r.no_load_l_uh = c.lnl_uh;
  r.allowable_rise_c = 35;
  return CheckDesign(r, d, w, c.ceiling);
}

// Each row names the one check it decides, with what an engineer works out by hand.
// clang-format off
const Case kCases[] = {
    {"full load met by the whole stack", {}, CheckKind::FullLoadInductance, true, 120.0, ""},
    {"full load short", {.lfl_uh = 130}, CheckKind::FullLoadInductance, false, 120.0,
     "below the 130.00 uH"},
    {"ceiling kept", {}, CheckKind::NoLoadCeiling, true, 200.0, ""},
    {"ceiling broken", {.lnl_uh = 150}, CheckKind::NoLoadCeiling, false, 200.0,
     "exceeds the 150.00 uH ceiling"},
    {"ceiling off by the option", {.lnl_uh = 150, .ceiling = NoLoadCeiling::OffByOption},
     CheckKind::NoLoadCeiling, true, 200.0, "off: Full Load L Maximum is not checked"},
    {"ceiling cleared by a pick and exceeded",
     {.lnl_uh = 150, .ceiling = NoLoadCeiling::ClearedByPick}, CheckKind::NoLoadCeiling, false,
     200.0, "cleared by the core pick; 200.00 uH exceeds the 150.00 uH typed"},
    {"ceiling cleared by a pick, kept", {.ceiling = NoLoadCeiling::ClearedByPick},
     CheckKind::NoLoadCeiling, true, 200.0, "cleared by the core pick"},
    {"too hot", {.dT = 35.5f, .hot_rise = 40.f}, CheckKind::TemperatureRise, false, 35.5,
     "above the 35.00 degC"},
    {"no wire fits", {.G = 43}, CheckKind::WindingFitsWindow, false, 0.3, "AWG 43"},
    {"wire thinned", {.G = 18}, CheckKind::WireAsSized, false, 18.0,
     "thinned from AWG 15 to AWG 18"},
    {"wire as sized", {}, CheckKind::WireAsSized, true, 15.0, ""},
    {"60 % left at full load", {}, CheckKind::RollOff, true, 60.0, ""},
    {"44 % left at full load", {.Lfl = 0.044f}, CheckKind::RollOff, false, 44.0, "only 44.00 %"},
    {"mu 550 has no loss data", {.ui = 550}, CheckKind::LossData, false, std::nullopt,
     "no loss data"},
    {"Velmax past its roll-off data", {.H = 5000, .material = Material::Velmax},
     CheckKind::ModelValidAtPeak, false, 5000.0, "no value at 5000.00 Oe"},
    {"worst case below full load", {.lfl_uh = 115}, CheckKind::WorstCaseFullLoadInductance, false,
     110.4, "-8.00 % tolerance"},
    {"worst case hot", {.hot_rise = 36.f}, CheckKind::WorstCaseRise, false, 36.0,
     "with the copper hot"},
    {"worst case runs away", {.hot_rise = std::nullopt}, CheckKind::ThermalRunaway, false,
     std::nullopt, "thermal runaway"},
    {"worst case settles", {}, CheckKind::ThermalRunaway, true, 51.0, ""},
};
// clang-format on

TEST(RequirementChecks, EachCheckDecidesWhatAHandCalculationDoes) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const std::vector<RequirementCheck> checks = Check(c.change);
    ASSERT_EQ(checks.size(), kCheckTable.size());
    for (std::size_t i = 0; i < checks.size(); ++i) EXPECT_EQ(checks[i].kind, kCheckTable[i].kind);
    const RequirementCheck& check = *std::find_if(checks.begin(), checks.end(),
                                                  [&](const auto& k) { return k.kind == c.kind; });
    EXPECT_EQ(check.pass, c.pass);
    EXPECT_EQ(check.achieved.has_value(), c.achieved.has_value());
    EXPECT_NEAR(check.achieved.value_or(0), c.achieved.value_or(0), 1e-4 * c.achieved.value_or(0));
    EXPECT_EQ(check.reason.empty(), *c.reason_holds == '\0') << check.reason;
    EXPECT_NE(check.reason.find(c.reason_holds), std::string::npos) << check.reason;
    EXPECT_EQ(AllPass(checks), std::all_of(checks.begin(), checks.end(),
                                           [](const RequirementCheck& k) { return k.pass; }));
  }
  // The design untouched passes everything but what its hot worst case says.
  EXPECT_TRUE(AllPass(Check({})));
  EXPECT_FALSE(AllPass(Check({.hot_rise = 40.f})));
}

}  // namespace
}  // namespace tov

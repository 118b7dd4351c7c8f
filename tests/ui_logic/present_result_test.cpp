#include "ui/logic/present_result.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/core_fixture.h"

namespace tov {
namespace {

// clang-format off
class PresentationTest : public ::testing::Test {
 protected:
  PresentationTest() {
    testing::PutCore(cores_, 395, {.PartNo = "77083", .PathLen = 6.35, .CoreArea = 0.654,
                                   .Perm = 125, .AL = 157, .PartSuffix = "A7", .NomID = 0.575,
                                   .NomOD = 1.06, .NomHt = 0.44});
    testing::PutCore(cores_, 522, testing::VelmaxECore());
  }

  // Every output field, in the order of the window.
  std::vector<std::string> Shown() const {
    const WindowModel& w = window_;
    return {w.part_number.text, w.core_id.text, w.core_od.text, w.core_height.text, w.ae.text, w.le.text,
            w.permeability.text, w.al.text, w.l_full_load.text, w.l_no_load.text, w.mu_e_full_dc.text,
            w.turns.text, w.wire.text, w.winding_factor.text, w.wound_dimensions.text, w.dcr.text,
            w.core_loss.text, w.copper_loss.text, w.total_loss.text, w.temp_rise.text, w.mount_part_number.text};
  }

  CoreTable cores_ = testing::EmptyCoreTable();
  WindowModel window_;
  const DesignResult toroid_{.row = 395, .N = 31, .G = 15, .ue = 47.91f, .Lfl = 0.1036f,
                             .Lnl = 0.1297f, .fill = 0.115f, .ODw = 1.1149f, .HTw = 0.5218f,
                             .Rdc = 0.01808f, .Pfe = 273.5f, .Pcu = 2022.5f, .Ptot = 2296.0f,
                             .dT = 17.06f};
};
// clang-format on

TEST_F(PresentationTest, EveryFieldOfAToroidInInchesAndMillimetres) {
  PresentResult(window_, cores_, toroid_);
  std::vector<std::string> expected{
      "77083A7",       "0.575",  "1.060",  "0.440",  "0.654",  "6.35", "125",
      "157",           "103.60", "129.70", "47.9",   "31",     "15",   "0.12",
      "1.115 x 0.522", "0.018",  "273.5",  "2022.5", "2296.0", "17.1", "TX-Q3813-4A"};
  EXPECT_EQ(Shown(), expected);
  EXPECT_FLOAT_EQ(window_.state.total_loss_mw, 2296.0f);

  window_.state.metric = true;  // nominal and wound sizes only; areas and lengths stay
  PresentResult(window_, cores_, toroid_);
  expected[1] = "14.6";
  expected[2] = "26.9";
  expected[3] = "11.2";
  expected[14] = "28.3 x 13.3";
  EXPECT_EQ(Shown(), expected);
}

TEST_F(PresentationTest, AnECoreShowsItsBobbinAndTheSetAsWound) {
  const DesignResult ecore{.row = 522, .e_core = true, .N = 28, .G = 15};
  PresentResult(window_, cores_, ecore);
  EXPECT_EQ(std::tuple(window_.part_number.text, window_.mount_part_number.text,
                       window_.wound_dimensions.text),
            std::tuple("EC-2510", "BB-2510", "1.25 x 1.10 x 0.60"));
  window_.state.metric = true;
  PresentResult(window_, cores_, ecore);
  EXPECT_EQ(window_.wound_dimensions.text, "31.8 x 27.9 x 15.2");
}

TEST_F(PresentationTest, StackMarksPartNumberAndMultipliesInductance) {
  window_.state.stack_count = 3;
  DesignResult r = toroid_;
  r.Lfl = 0.04f;
  r.strands = 3;
  r.G = 12;
  PresentResult(window_, cores_, r);  // the nominal size is one core's
  EXPECT_EQ(std::tuple(window_.part_number.text, window_.l_full_load.text, window_.wire.text,
                       window_.core_od.text),
            std::tuple("(3x)77083A7", "120.00", "3 x #12", "1.060"));

  window_.state.stack_count = 33;  // 33000 uH per mH, beyond a 16-bit count
  PresentResult(window_, cores_, toroid_);
  EXPECT_EQ(std::tuple(window_.part_number.text, window_.l_full_load.text),
            std::tuple("(33x)77083A7", "3418.80"));
}

TEST_F(PresentationTest, LossesTurnToWattsWhenTheTotalReaches10000mW) {
  for (auto [Pfe, Ptot, pfe, ptot, caption] :
       {std::tuple{4999.9f, 9999.9f, "4999.9", "9999.9", "Total Losses (mW)"},
        {4000.0f, 10000.0f, "4.0", "10.0", "Total Losses (W)"}}) {
    DesignResult r = toroid_;
    r.Pfe = Pfe;
    r.Ptot = Ptot;
    PresentResult(window_, cores_, r);
    EXPECT_EQ(std::tuple(window_.core_loss.text, window_.total_loss.text,
                         window_.total_loss_caption, window_.state.total_loss_mw),
              std::tuple(pfe, ptot, caption, Ptot));
  }
  EXPECT_EQ(window_.core_loss_caption, "Core Loss (W)");
}

TEST_F(PresentationTest, TooLargeClearsFieldsButKeepsLossCaptionsAndTotal) {
  PresentResult(window_, cores_, toroid_);
  window_.temp_rise.background = kLightRed;
  PresentTooLarge(window_);
  std::vector<std::string> expected(21, "");
  expected[0] = "Too Large";
  expected[8] = expected[9] = "N/A";
  EXPECT_EQ(Shown(), expected);
  EXPECT_EQ(std::tuple(window_.temp_rise.background, window_.total_loss_caption,
                       window_.state.total_loss_mw),
            std::tuple(kWhite, "Total Losses (mW)", 2296.0f));
}

TEST(ColourTempRiseTest, ColoursBetweenLimitsAndKeepsColourAtThem) {
  using Case = std::tuple<float, Rgb, Rgb>;  // dT, colour before, colour after
  for (auto [dT, before, after] :
       {Case{34.9f, kLightRed, kWhite}, Case{35.0f, kLightRed, kLightRed},
        Case{35.1f, kWhite, kLightYellow}, Case{49.9f, kWhite, kLightYellow},
        Case{50.0f, kWhite, kWhite}, Case{50.1f, kWhite, kLightRed}}) {
    WindowModel window;
    window.temp_rise.background = before;
    ColourTempRise(window, dT, 35.0f);  // allowable rise 35, hot above 50
    EXPECT_EQ(window.temp_rise.background, after) << dT;
  }
}

}  // namespace
}  // namespace tov

#include "engines/presentation.h"

#include <gtest/gtest.h>

#include "support/core_fixture.h"
#include "support/scripted_ui.h"

namespace tov {
namespace {

using testing::EmptyCoreTable;
using testing::FixtureCore;
using testing::PutCore;
using testing::ScriptedUi;

constexpr int16_t kToroidRow = 395;
constexpr int16_t kECoreRow = 522;

class PresentationTest : public ::testing::Test {
 protected:
  PresentationTest() : cores_(EmptyCoreTable()) {
    FixtureCore toroid;
    toroid.PartNo = "77083";
    toroid.PartSuffix = "A7";
    toroid.NomID = 0.575;
    toroid.NomOD = 1.060;
    toroid.NomHt = 0.44;
    toroid.CoreArea = 0.6540;
    toroid.PathLen = 6.35;
    toroid.Perm = 125;
    toroid.AL = 157;
    PutCore(cores_, kToroidRow, toroid);
    PutCore(cores_, kECoreRow, testing::VelmaxECore());
  }

  DesignResult Toroid() const {
    DesignResult r;
    r.row = kToroidRow;
    r.N = 31;
    r.G = 15;
    r.strands = 1;
    r.ue = 47.91f;
    r.Lfl = 0.1036f;
    r.Lnl = 0.1297f;
    r.fill = 0.115f;
    r.ODw = 1.1149f;
    r.HTw = 0.5218f;
    r.Rdc = 0.01808f;
    r.Pfe = 273.5f;
    r.Pcu = 2022.5f;
    r.Ptot = 2296.0f;
    r.dT = 17.06f;
    r.allowable_rise = 35;
    return r;
  }

  CoreTable cores_;
  WindowModel window_;
};

TEST_F(PresentationTest, ToroidFieldsInInches) {
  PresentResult(window_, cores_, Toroid());
  EXPECT_EQ(window_.txtPN.text, "77083A7");
  EXPECT_EQ(window_.txtID.text, "0.575");
  EXPECT_EQ(window_.txtOD.text, "1.060");
  EXPECT_EQ(window_.txtHt.text, "0.440");
  EXPECT_EQ(window_.txtAe.text, "0.654");
  EXPECT_EQ(window_.txtle.text, "6.35");
  EXPECT_EQ(window_.txtPerm.text, "125");
  EXPECT_EQ(window_.txtAL.text, "157");
  EXPECT_EQ(window_.txtLOutfl.text, "103.60");
  EXPECT_EQ(window_.txtLOutnl.text, "129.70");
  EXPECT_EQ(window_.txtRollOff.text, "47.9");
  EXPECT_EQ(window_.txtTurns.text, "31");
  EXPECT_EQ(window_.txtWire.text, "15");
  EXPECT_EQ(window_.txtK.text, "0.12");
  EXPECT_EQ(window_.txtDim.text, "1.115 x 0.522");
  EXPECT_EQ(window_.txtDCR.text, "0.018");
  EXPECT_EQ(window_.txtPfe.text, "273.5");
  EXPECT_EQ(window_.txtPcu.text, "2022.5");
  EXPECT_EQ(window_.txtPtot.text, "2296.0");
  EXPECT_EQ(window_.txtTrise.text, "17.1");
  EXPECT_EQ(window_.txtBobbin.text, "TX-Q3813-4A");
  EXPECT_EQ(window_.lblPtot, "Total Losses (mW)");
  EXPECT_FLOAT_EQ(window_.state.TotalLoss, 2296.0f);
}

TEST_F(PresentationTest, MillimetresScaleNominalAndWoundDimensions) {
  window_.state.UnitsFactor = 25.4f;
  PresentResult(window_, cores_, Toroid());
  EXPECT_EQ(window_.txtOD.text, "26.9");
  EXPECT_EQ(window_.txtID.text, "14.6");
  EXPECT_EQ(window_.txtHt.text, "11.2");
  EXPECT_EQ(window_.txtDim.text, "28.3 x 13.3");
  EXPECT_EQ(window_.txtAe.text, "0.654");  // areas and lengths keep their units
}

TEST_F(PresentationTest, ECoreShowsBobbinAndCoreSetDimensions) {
  DesignResult r = Toroid();
  r.row = kECoreRow;
  r.e_core = true;
  PresentResult(window_, cores_, r);
  EXPECT_EQ(window_.txtPN.text, "EC-2510");
  EXPECT_EQ(window_.txtBobbin.text, "BB-2510");
  EXPECT_EQ(window_.txtDim.text, "1.25 x 1.10 x 0.60");

  window_.state.UnitsFactor = 25.4f;
  PresentResult(window_, cores_, r);
  EXPECT_EQ(window_.txtDim.text, "31.8 x 27.9 x 15.2");
}

TEST_F(PresentationTest, StackMarksPartNumberAndMultipliesInductance) {
  window_.state.StackCount = 3;
  DesignResult r = Toroid();
  r.Lfl = 0.04f;
  PresentResult(window_, cores_, r);
  EXPECT_EQ(window_.txtPN.text, "(3x)77083A7");
  EXPECT_EQ(window_.txtLOutfl.text, "120.00");
  EXPECT_EQ(window_.txtOD.text, "1.060");  // one core's nominal size
}

TEST_F(PresentationTest, StackTooLargeFor16BitProductKeepsInductanceTexts) {
  window_.txtLOutfl.text = "before";
  window_.state.StackCount = 33;  // 33000 uH per mH does not fit in 16 bits
  PresentResult(window_, cores_, Toroid());
  EXPECT_EQ(window_.txtLOutfl.text, "before");
  EXPECT_EQ(window_.txtTurns.text, "31");
}

TEST_F(PresentationTest, LossUnitFollowsTotalAlone) {
  struct Case {
    float Pfe, Pcu, Ptot;
    const char *pfe, *pcu, *ptot, *caption;
  };
  for (const Case& c : {
           Case{4999.9f, 5000.0f, 9999.9f, "4999.9", "5000.0", "9999.9", "Total Losses (mW)"},
           Case{4000.0f, 6000.0f, 10000.0f, "4.0", "6.0", "10.0", "Total Losses (W)"},
       }) {
    DesignResult r = Toroid();
    r.Pfe = c.Pfe;
    r.Pcu = c.Pcu;
    r.Ptot = c.Ptot;
    PresentResult(window_, cores_, r);
    EXPECT_EQ(window_.txtPfe.text, c.pfe);
    EXPECT_EQ(window_.txtPcu.text, c.pcu);
    EXPECT_EQ(window_.txtPtot.text, c.ptot);
    EXPECT_EQ(window_.lblPtot, c.caption);
    EXPECT_FLOAT_EQ(window_.state.TotalLoss, c.Ptot);
  }
  EXPECT_EQ(window_.lblPfe, "Core Loss (W)");
  EXPECT_EQ(window_.lblPcu, "Copper Loss (W)");
}

TEST_F(PresentationTest, UnreadableCellLeavesItsFieldAlone) {
  cores_.Set(kToroidRow, CoreColumn::NomOD, CoreCell::Text("n/a"));
  window_.txtOD.text = "before";
  PresentResult(window_, cores_, Toroid());
  EXPECT_EQ(window_.txtOD.text, "before");
  EXPECT_EQ(window_.txtID.text, "0.575");
}

TEST_F(PresentationTest, TooLargeClearsFieldsButKeepsLossCaptionsAndTotal) {
  DesignResult r = Toroid();
  r.Ptot = 12000;
  PresentResult(window_, cores_, r);
  window_.txtTrise.background = kLightRed;
  PresentTooLarge(window_);
  EXPECT_EQ(window_.txtPN.text, "Too Large");
  EXPECT_EQ(window_.txtLOutfl.text, "N/A");
  EXPECT_EQ(window_.txtLOutnl.text, "N/A");
  for (const TextBox* field :
       {&window_.txtID, &window_.txtOD, &window_.txtHt, &window_.txtAe, &window_.txtle,
        &window_.txtPerm, &window_.txtAL, &window_.txtBobbin, &window_.txtRollOff,
        &window_.txtTurns, &window_.txtWire, &window_.txtK, &window_.txtDim, &window_.txtDCR,
        &window_.txtPfe, &window_.txtPcu, &window_.txtPtot, &window_.txtTrise}) {
    EXPECT_EQ(field->text, "");
  }
  EXPECT_EQ(window_.txtTrise.background, kWhite);
  EXPECT_EQ(window_.lblPtot, "Total Losses (W)");
  EXPECT_FLOAT_EQ(window_.state.TotalLoss, 12000.0f);
}

TEST(ChooseHeaderTest, FirstRowThatHoldsWins) {
  struct Case {
    float OD, HT;
    const char* header;
  };
  for (const Case& c : {
           Case{0.3799f, 2.0f, "SX-Q0705-8A"},
           Case{0.38f, 0.3f, "TX-Q2507-4A"},  // 0.38 to 0.5 skips the second row
           Case{0.45f, 0.3f, "TX-Q2507-4A"},
           Case{0.5f, 0.3f, "TX-Q2507-4A"},  // strict: 0.5 itself is not above 0.5
           Case{0.6f, 0.3f, "TX-Q2206-4A"},
           Case{0.6f, 0.385f, "TX-Q2507-4A"},
           Case{0.6f, 0.4f, "TX-Q2507-4A"},
           Case{0.9f, 0.3f, "TX-Q2507-4A"},
           Case{1.0f, 0.51f, "TX-Q3813-4A"},
           Case{1.1f, 0.5f, "TX-Q3813-4A"},
           Case{1.6f, 0.7f, "TX-Q4916-4A"},
           Case{2.4f, 0.81f, "None Available"},
           Case{2.5f, 0.5f, "None Available"},
           Case{3.0f, 0.5f, "None Available"},
       }) {
    EXPECT_EQ(ChooseHeader(c.OD, c.HT), c.header) << c.OD << " x " << c.HT;
  }
}

TEST(ColourTempRiseTest, ColoursBetweenLimitsAndKeepsColourAtThem) {
  struct Case {
    float dT;
    Rgb before, after;
  };
  for (const Case& c : {
           Case{34.9f, kLightRed, kWhite},
           Case{35.0f, kLightRed, kLightRed},  // exactly the allowable rise
           Case{35.1f, kWhite, kLightYellow},
           Case{49.9f, kWhite, kLightYellow},
           Case{50.0f, kWhite, kWhite},  // exactly the allowable rise + 15
           Case{50.1f, kWhite, kLightRed},
       }) {
    WindowModel window;
    window.txtTrise.background = c.before;
    ColourTempRise(window, c.dT, 35.0f);
    EXPECT_EQ(window.txtTrise.background, c.after) << c.dT;
  }
}

TEST(WarnRollOffTest, WarnsBelowFortyFivePercent) {
  ScriptedUi ui;
  EXPECT_FALSE(WarnRollOff(ui, 0.45f, 1.0f));
  EXPECT_FALSE(WarnRollOff(ui, 0.1f, 0.0f));
  EXPECT_TRUE(WarnRollOff(ui, 0.449f, 1.0f));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "Inductance Roll-Off Warning");
  EXPECT_EQ(ui.messages[0].text,
            "Inductance roll-off against current is higher than recommended.\r"
            "A larger core should be selected if possible.");
}

}  // namespace
}  // namespace tov

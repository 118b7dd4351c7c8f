#include "engines/automatic_selection.h"

#include <gtest/gtest.h>

#include <string>

#include "engines/search_material.h"
#include "state/number_text.h"
#include "support/core_fixture.h"
#include "support/scripted_ui.h"

namespace tov {
namespace {

using testing::EmptyCoreTable;
using testing::FixtureCore;
using testing::PutCore;
using testing::ScriptedUi;
using testing::ShownMessage;

const ShownMessage kStackConflict{"Invalid Option",
                                  "Only toroids (not E-Cores) may be \rstacked with this design "
                                  "program."};
const ShownMessage kSingleLayerConflict{
    "Invalid Option", "Only toroids (not E-Cores) may be \rspecified as single layer inductors."};
const ShownMessage kCoreTooLarge{"Required Core Too Large",
                                 "Required core is larger than any in current database.\r\r"
                                 "Try reducing current or full load inductance,\r"
                                 "increasing allowable temperature rise,\r"
                                 "increasing no load inductance, or stacking cores\r"
                                 "(Options|Stack Cores)."};

double Shown(const TextBox& field) {
  return ParseNumber(field.text).value_or(-1);
}

class AutomaticSelectionTest : public ::testing::Test {
 protected:
  AutomaticSelectionTest() : cores_(EmptyCoreTable()) { ApplyStartupDefaults(window_); }

  void Calculate() { cmdCalculate_Click({window_, cores_, ui_}); }

  // A row the search would accept if it got there, below the start-up
  // requirement of Velmax toroids; the no-load failure of AL 75; the AL 135 row.
  void PutVelmaxWorkedExample() {
    FixtureCore small = testing::VelmaxAL135();
    small.PartNo = "T0190";
    small.SizeFigure = 0.19;
    PutCore(cores_, 395, small);
    PutCore(cores_, 396, testing::VelmaxAL75());
    PutCore(cores_, 397, testing::VelmaxAL135());
  }

  CoreTable cores_;
  WindowModel window_;
  ScriptedUi ui_;
};

TEST(RequiredSizeFigureTest, StartupInputsForEveryMaterial) {
  // 100 uH, 150 uH ceiling, 11 A peak, 600 A/sq cm.
  const float Ltarget = 0.1f;
  const float r = 0.1f / 0.15f;
  struct Case {
    Material material;
    double F;
  };
  for (const Case& c : {Case{Material::MPP, 0.08363}, Case{Material::HF, 0.15681},
                        Case{Material::Velmax, 0.20070}, Case{Material::VelmaxE, 0.09936}}) {
    const auto F = RequiredSizeFigure(Ltarget, 11.0f, 600.0f, r, SearchMaterialOf(c.material));
    ASSERT_TRUE(F);
    EXPECT_NEAR(*F, c.F, 5e-5) << static_cast<int>(c.material);
  }
  EXPECT_FALSE(RequiredSizeFigure(Ltarget, 11.0f, 600.0f, 0.0f, SearchMaterialOf(Material::MPP)));
}

TEST_F(AutomaticSelectionTest, StartupInputsSkipSmallCoresAndTheNoLoadFailure) {
  PutVelmaxWorkedExample();
  window_.state.Strands = 4;
  window_.txtTrise.background = kLightRed;
  Calculate();

  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(window_.state.CoreIdx, 397);
  EXPECT_EQ(window_.state.DesignMode, 0);
  EXPECT_EQ(window_.state.Strands, 1);
  EXPECT_EQ(window_.txtTrise.background, kWhite);
  EXPECT_TRUE(window_.txtLnl.enabled);
  EXPECT_EQ(window_.txtPN.text, "T1000A2");
  EXPECT_EQ(window_.txtTurns.text, "31");
  EXPECT_EQ(window_.txtWire.text, "15");
  EXPECT_NEAR(Shown(window_.txtLOutfl), 103.60, 0.006);
  EXPECT_NEAR(Shown(window_.txtLOutnl), 129.73, 0.006);
  EXPECT_NEAR(Shown(window_.txtRollOff), 47.9, 0.05);
  EXPECT_NEAR(Shown(window_.txtTrise), 17.1, 0.15);
  EXPECT_GT(window_.state.TotalLoss, 0.0f);
}

TEST_F(AutomaticSelectionTest, WithoutNoLoadCeilingTheTrimmedRowPasses) {
  PutCore(cores_, 395, testing::VelmaxAL75());
  window_.mnuLfl = false;
  window_.txtLnl.text = "50";  // ignored without the ceiling
  Calculate();
  EXPECT_EQ(window_.state.CoreIdx, 395);
  EXPECT_EQ(window_.txtTurns.text, "51");
  EXPECT_FALSE(window_.txtLnl.enabled);
}

TEST_F(AutomaticSelectionTest, TrimmingOnlyWhileTheCeilingLeavesRoom) {
  // Molypermalloy mu 125, AL 145, le 6 cm: the roll-off correction gives 78
  // turns (0.882 mH at no load); trimmed, 62 turns (0.557 mH).
  FixtureCore steep = testing::VelmaxAL135();
  steep.PartNo = "M1450";
  steep.Perm = 125;
  steep.AL = 145;
  steep.PathLen = 6;
  steep.SizeFigure = 0.5;  // the low ceilings ask for 0.33 cm^5 and more
  PutCore(cores_, 1, steep);
  FixtureCore large = testing::VelmaxAL135();
  large.SizeFigure = 0.6;
  PutCore(cores_, 2, large);
  window_.material = Material::MPP;

  window_.txtLnl.text = "600";  // 1.5 x 0.6 mH lies above 0.882 mH: trimmed, passes
  Calculate();
  EXPECT_EQ(window_.state.CoreIdx, 1);
  EXPECT_EQ(window_.txtTurns.text, "62");

  window_.txtLnl.text = "570";  // 1.5 x 0.57 mH does not: no trimming, no-load test fails
  Calculate();
  EXPECT_EQ(window_.state.CoreIdx, 2);
}

TEST_F(AutomaticSelectionTest, NothingLargeEnoughEndsAtTheMaterialsEndRow) {
  PutVelmaxWorkedExample();
  window_.txtLfl.text = "10000";
  window_.txtLnl.text = "15000";
  for (Material m : kMaterials) {
    window_.material = m;
    window_.txtPN.text = "previous";
    ui_.messages.clear();
    Calculate();
    EXPECT_EQ(window_.state.CoreIdx, SectionOf(m).end_row);
    EXPECT_EQ(ui_.messages, std::vector<ShownMessage>{kCoreTooLarge});
    EXPECT_EQ(window_.txtPN.text, "Too Large");
  }
}

TEST_F(AutomaticSelectionTest, WireBeyondSixStrandsUsesTheirDensity) {
  window_.txtIdc.text = "100";
  window_.txtIdelta.text = "0";
  window_.txtCurDens.text = "300";
  window_.mnuLfl = false;
  Calculate();
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0],
            (ShownMessage{"Wire Size Too Large",
                          "Required wire size is larger than any in current database.\r"
                          "Actual current density will be\r503 A/sq cm"}));
  EXPECT_EQ(ui_.messages[1], kCoreTooLarge);
  EXPECT_EQ(window_.state.Strands, 6);
}

TEST_F(AutomaticSelectionTest, HotRowSendsTheWalkOnToTheNextRow) {
  FixtureCore hot = testing::VelmaxAL135();  // about 23 deg C on the smaller build
  hot.PartNo = "HOT";
  hot.WindID = 0.6;
  hot.WindOD = 1.2;
  hot.WindHt = 0.4;
  PutCore(cores_, 395, hot);
  PutCore(cores_, 396, testing::VelmaxAL135());  // about 17 deg C
  window_.txtTempInput.text = "20";
  Calculate();
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(window_.state.CoreIdx, 396);

  window_.txtTempInput.text = "10";
  Calculate();
  EXPECT_EQ(window_.state.CoreIdx, 521);
  EXPECT_EQ(ui_.messages, std::vector<ShownMessage>{kCoreTooLarge});
}

TEST_F(AutomaticSelectionTest, RowWhoseHoleFillsUpIsPassedOver) {
  FixtureCore tight = testing::VelmaxAL135();
  tight.PartNo = "TIGHT";
  tight.WindID = 0.1;  // room for two wires a layer, then none
  PutCore(cores_, 395, tight);
  PutCore(cores_, 396, testing::VelmaxAL135());
  Calculate();
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(window_.state.CoreIdx, 396);
}

TEST_F(AutomaticSelectionTest, SingleLayerNeedsTheInnerDiameter) {
  // 31 turns of 0.0609 in need an ID of 31 x 0.0609 / 3.14 + 0.0609 = 0.662 in.
  FixtureCore narrow = testing::VelmaxAL135();
  narrow.PartNo = "NARROW";
  narrow.WindID = 0.65;
  PutCore(cores_, 395, narrow);
  FixtureCore wide = testing::VelmaxAL135();
  wide.WindID = 0.68;
  PutCore(cores_, 396, wide);
  Calculate();
  EXPECT_EQ(window_.state.CoreIdx, 395);
  window_.mnuSingleLayer = true;
  Calculate();
  EXPECT_EQ(window_.state.CoreIdx, 396);
}

TEST_F(AutomaticSelectionTest, StackHalvesTheTargetPerCore) {
  PutCore(cores_, 395, testing::VelmaxAL135());
  window_.state.StackCount = 2;
  Calculate();
  EXPECT_EQ(window_.state.CoreIdx, 395);
  EXPECT_EQ(window_.txtPN.text, "(2x)T1000A2");
  EXPECT_GT(Shown(window_.txtLOutfl), 100.0);
  EXPECT_LT(Shown(window_.txtLOutnl), 150.0);
}

TEST_F(AutomaticSelectionTest, ECoreOptionConflictsAreResetWithMessages) {
  PutCore(cores_, 522, testing::VelmaxECore());
  window_.material = Material::VelmaxE;
  window_.state.StackCount = 3;
  window_.mnuSingleLayer = true;
  Calculate();
  EXPECT_EQ(ui_.messages, (std::vector<ShownMessage>{kStackConflict, kSingleLayerConflict}));
  EXPECT_EQ(window_.state.StackCount, 1);
  EXPECT_FALSE(window_.mnuSingleLayer);
  EXPECT_EQ(window_.state.CoreIdx, 522);
  EXPECT_EQ(window_.txtPN.text, "EC-2510");
  EXPECT_EQ(window_.txtBobbin.text, "BB-2510");
  EXPECT_EQ(window_.txtTurns.text, "28");
}

}  // namespace
}  // namespace tov

// The automatic search and the selected-core design on small core tables and
// on the core database the program ships with.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "engines/search_material.h"
#include "state/core_table_loader.h"
#include "state/number_text.h"
#include "support/core_fixture.h"
#include "support/scripted_ui.h"
#include "ui/logic/frm_tov.h"

namespace tov {
namespace {

using testing::FixtureCore;
using testing::PutCore;
using Messages = std::vector<testing::ShownMessage>;

const testing::ShownMessage kCoreTooLarge{
    "Required Core Too Large",
    "Required core is larger than any in current database.\r\rTry reducing current or full load "
    "inductance,\rincreasing allowable temperature rise,\rincreasing no load inductance, or "
    "stacking cores\r(Options|Stack Cores)."};
const testing::ShownMessage kRollOff{"Inductance Roll-Off Warning",
                                     "Inductance roll-off against current is higher than "
                                     "recommended.\rA larger core should be selected if possible."};
const std::string kLargerThanAny = "Required wire size is larger than any in current database.";

double Shown(const TextBox& field) {
  return ParseNumber(field.text).value_or(-1);
}

class EngineTest : public ::testing::Test {
 protected:
  explicit EngineTest(const CoreTable* cores = nullptr) : form_(cores ? *cores : cores_, ui_) {
    ApplyStartupDefaults(window_);
  }
  void Calculate() { form_.cmdCalculate_Click(); }
  void Design(int16_t row) { form_.DesignSelectedCore(row); }

  CoreTable cores_ = testing::EmptyCoreTable();
  testing::ScriptedUi ui_;
  FrmTov form_;
  WindowModel& window_ = form_.Model();
};

TEST(RequiredSizeFigureTest, StartupInputsForEveryMaterial) {
  // 100 uH under a 150 uH ceiling (r = 2/3), 11 A peak, 600 A/sq cm.
  const auto F = [](Material m, float r) {
    return RequiredSizeFigure(0.1f, 11.0f, 600.0f, r, InfoOf(m));
  };
  EXPECT_NEAR(F(Material::MPP, 0.1f / 0.15f).value_or(0), 0.08363, 5e-5);
  EXPECT_NEAR(F(Material::HF, 0.1f / 0.15f).value_or(0), 0.15681, 5e-5);
  EXPECT_NEAR(F(Material::Velmax, 0.1f / 0.15f).value_or(0), 0.20070, 5e-5);
  EXPECT_NEAR(F(Material::VelmaxE, 0.1f / 0.15f).value_or(0), 0.09936, 5e-5);
  EXPECT_FALSE(F(Material::MPP, 0.0f));
}

TEST_F(EngineTest, SearchSkipsSmallRowsAndTheNoLoadFailure) {
  PutCore(cores_, 395, {.PartNo = "T0140", .SizeFigure = 0.14});  // below what either mode asks
  PutCore(cores_, 396, testing::VelmaxAL75());
  PutCore(cores_, 397, FixtureCore{});
  window_.txtTrise.background = kLightRed;
  Calculate();
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(window_.state.CoreIdx, 397);
  EXPECT_EQ(window_.txtTrise.background, kWhite);
  EXPECT_EQ(window_.txtTurns.text, "31");
  EXPECT_NEAR(Shown(window_.txtLOutfl), 103.60, 0.006);
  EXPECT_NEAR(Shown(window_.txtLOutnl), 129.73, 0.006);
  EXPECT_NEAR(Shown(window_.txtTrise), 17.1, 0.15);

  window_.mnuLfl = false;  // without the ceiling the AL 75 row passes
  window_.txtLnl.text = "50";
  Calculate();
  EXPECT_EQ(window_.state.CoreIdx, 396);
  EXPECT_EQ(window_.txtTurns.text, "51");
  EXPECT_FALSE(window_.txtLnl.enabled);
}

TEST_F(EngineTest, TrimmingOnlyWhileTheCeilingLeavesRoom) {
  // Molypermalloy mu 125, AL 145, le 6 cm: the roll-off correction gives 78
  // turns (0.882 mH at no load); trimmed, 62 turns (0.557 mH).
  PutCore(cores_, 1, {.PartNo = "M1450", .PathLen = 6, .SizeFigure = 0.5, .Perm = 125, .AL = 145});
  PutCore(cores_, 2, {.SizeFigure = 0.6});
  window_.material = Material::MPP;
  window_.txtLnl.text = "600";  // 1.5 x 0.6 mH lies above 0.882 mH: trimmed, passes
  Calculate();
  EXPECT_EQ(window_.state.CoreIdx, 1);
  EXPECT_EQ(window_.txtTurns.text, "62");
  window_.txtLnl.text = "570";  // 1.5 x 0.57 mH does not: untrimmed, over the ceiling
  Calculate();
  EXPECT_EQ(window_.state.CoreIdx, 2);
}

TEST_F(EngineTest, RowsTooHotOrThatCannotBeWoundArePassedOver) {
  const FixtureCore hot{.PartNo = "HOT", .WindID = 0.6, .WindOD = 1.2, .WindHt = 0.4};  // 23 C
  const FixtureCore tight{.PartNo = "TIGHT", .WindID = 0.1};  // the hole fills up
  for (auto [first, Tallow, row] :
       {std::tuple{hot, "35", 395}, {hot, "20", 396}, {tight, "35", 396}}) {
    PutCore(cores_, 395, first);
    PutCore(cores_, 396, FixtureCore{});
    window_.txtTempInput.text = Tallow;
    Calculate();
    EXPECT_TRUE(ui_.messages.empty());
    EXPECT_EQ(window_.state.CoreIdx, row) << first.PartNo << " " << Tallow;
  }
}

TEST_F(EngineTest, NothingLargeEnoughEndsAtTheMaterialsEndRow) {
  window_.txtLfl.text = "10000";
  window_.txtLnl.text = "15000";
  for (Material m : kMaterials) {
    PutCore(cores_, SectionOf(m).first_row, {.SizeFigure = 99});
    window_.material = m;
    ui_.messages.clear();
    Calculate();
    EXPECT_EQ(window_.state.CoreIdx, SectionOf(m).end_row);
    EXPECT_EQ(ui_.messages, Messages{kCoreTooLarge});
    EXPECT_EQ(window_.txtPN.text, "Too Large");
  }
}

TEST_F(EngineTest, SearchWithWireBeyondSixStrandsUsesTheirDensity) {
  // Size figure 20 cm^5 lies between what 503 A/sq cm asks (17.5) and what 300 would (49).
  FixtureCore big{.PathLen = 50, .WindID = 3, .WindOD = 6, .WindHt = 3, .CoreArea = 10};
  big.WindowArea = 40;
  big.SizeFigure = 20;
  big.AL = 200;
  PutCore(cores_, 395, big);
  window_.txtIdc.text = "100";
  window_.txtIdelta.text = "0";
  window_.txtCurDens.text = "300";
  window_.txtTempInput.text = "200";
  window_.mnuLfl = false;
  Calculate();
  EXPECT_EQ(ui_.messages,
            (Messages{{"Wire Size Too Large",
                       kLargerThanAny + "\rActual current density will be\r503 A/sq cm"}}));
  EXPECT_EQ(window_.state.CoreIdx, 395);
  EXPECT_EQ(window_.txtWire.text, "6 x #12");
}

TEST_F(EngineTest, ECoreStackAndSingleLayerAreResetStackFirst) {
  PutCore(cores_, 522, testing::VelmaxECore());
  window_.material = Material::VelmaxE;
  for (bool selected : {false, true}) {
    window_.state.StackCount = 3;
    window_.mnuSingleLayer = true;
    ui_.messages.clear();
    selected ? Design(522) : Calculate();
    const Messages expected{
        {selected ? "Invalid Stack" : "Invalid Option",
         "Only toroids (not E-Cores) may be \rstacked with this design program."},
        {"Invalid Option",
         "Only toroids (not E-Cores) may be \rspecified as single layer inductors."}};
    EXPECT_EQ(ui_.messages, expected);
    EXPECT_EQ(window_.state.StackCount, 1);
    EXPECT_FALSE(window_.mnuSingleLayer);
    EXPECT_EQ(window_.txtPN.text, "EC-2510");
    EXPECT_EQ(window_.txtBobbin.text, "BB-2510");
    EXPECT_EQ(window_.txtDim.text, "1.25 x 1.10 x 0.60");  // the set as wound
    EXPECT_EQ(window_.txtTurns.text, "28");
  }
}

TEST_F(EngineTest, SelectedCoreReducesStrandsThenGaugeAndTellsEveryCompromise) {
  // Molypermalloy mu 26, AL 100, le 15 cm: 43 turns at 60 A, three strands of gauge 12.
  FixtureCore core{.PathLen = 15, .WindID = 4, .WindOD = 8, .WindHt = 2, .CoreArea = 1.5};
  core.Perm = 26;
  core.AL = 100;
  const auto reduced = [](const std::string& wire) {
    return Messages{
        {"Core Window Too Small",
         "Required wire size is too large for selected core.\rActual wire size will be\r" + wire}};
  };
  const std::tuple<double, const char*, const char*, Messages, const char*> cases[] = {
      {12, "60", "600", {}, "3 x #12"},
      {7, "60", "600", reduced("2 strands of AWG #12"), "2 x #12"},  // room for two strands
      {2.8, "60", "600", reduced(" AWG #13"), "13"},   // not even one wire of gauge 12
      {1e-6, "60", "600", reduced(" AWG #43"), "43"},  // thinned past the tables
      {100, "100", "300", {{"Wire Size Too Large", kLargerThanAny}, kRollOff}, "6 x #12"}};
  window_.material = Material::MPP;
  window_.txtIdelta.text = "0";
  window_.txtTempInput.text = "1000";
  for (const auto& [WindowArea, Idc, CurDens, messages, wire] : cases) {
    core.WindowArea = WindowArea;
    PutCore(cores_, 1, core);
    window_.txtIdc.text = Idc;
    window_.txtCurDens.text = CurDens;
    window_.state.LoadingDesign = 1;
    window_.txtTrise.background = kLightRed;
    ui_.messages.clear();
    Design(1);
    EXPECT_EQ(ui_.messages, messages) << wire;
    EXPECT_EQ(window_.txtWire.text, wire);
    if (std::string(wire) == "43") {  // a wire of no diameter: no fill, no resistance
      EXPECT_EQ(window_.txtK.text, "0.00");
      EXPECT_EQ(window_.txtDCR.text, "0.000");
    }
    EXPECT_GT(Shown(window_.txtLOutfl), 100.0);  // no margin: one turn above the target
    EXPECT_LT(Shown(window_.txtLOutfl), 105.0);
    EXPECT_EQ(window_.txtTrise.background, kWhite);
    EXPECT_FALSE(window_.txtLnl.enabled);
    EXPECT_EQ(window_.state.LoadingDesign, 0);
  }
}

TEST_F(EngineTest, SelectedCoreWhoseHoleFillsUpKeepsTheDesignShown) {
  PutCore(cores_, 395, {.PartNo = "TIGHT", .WindID = 0.1});
  window_.txtPN.text = "previous";
  window_.state.Strands = 3;
  window_.state.TotalLoss = 1234;
  Design(395);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].title, "Core Window Too Small");
  EXPECT_NE(ui_.messages[0].text.find("cannot be wound"), std::string::npos);
  EXPECT_EQ(window_.txtPN.text, "previous");
  EXPECT_EQ(window_.state.Strands, 3);
  EXPECT_FLOAT_EQ(window_.state.TotalLoss, 1234.0f);
}

const CoreTable& ShippedCores() {
  static const CoreTableLoad load = LoadCoreTable(TOV_SOURCE_DIR "/data/coredat");
  static const CoreTable empty;
  if (!load.table) ADD_FAILURE() << load.error;
  return load.table ? *load.table : empty;
}

class ShippedCoredatTest : public EngineTest, public ::testing::WithParamInterface<Material> {
 protected:
  ShippedCoredatTest() : EngineTest(&ShippedCores()) {}
};

// The start-up inputs: 10 A with 2 A ripple at 100 kHz, 100 uH at full load,
// at most 150 uH at no load, 600 A/sq cm, 35 deg C rise.
TEST_P(ShippedCoredatTest, StartupInputsGiveADesignThatMeetsThem) {
  window_.material = GetParam();
  Calculate();
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_TRUE(SectionOf(GetParam()).HoldsCore(window_.state.CoreIdx)) << window_.state.CoreIdx;
  EXPECT_GE(Shown(window_.txtLOutfl), 100.0) << window_.txtPN.text;
  EXPECT_LE(Shown(window_.txtLOutnl), 150.0) << window_.txtPN.text;
  EXPECT_GE(Shown(window_.txtTrise), 0.0) << window_.txtPN.text;
  EXPECT_LE(Shown(window_.txtTrise), 35.0) << window_.txtPN.text;
  EXPECT_LE(Shown(window_.txtK), IsECore(GetParam()) ? 0.804 : 0.48);  // 1.2 x the window factor
}

INSTANTIATE_TEST_SUITE_P(Materials, ShippedCoredatTest,
                         ::testing::Values(Material::MPP, Material::HF, Material::Velmax,
                                           Material::VelmaxE));

}  // namespace
}  // namespace tov

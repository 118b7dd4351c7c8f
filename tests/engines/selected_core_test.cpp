#include "engines/selected_core.h"

#include <gtest/gtest.h>

#include <string>

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

constexpr const char* kReduced =
    "Required wire size is too large for selected core.\rActual wire size will be\r";
const ShownMessage kRollOffWarning{"Inductance Roll-Off Warning",
                                   "Inductance roll-off against current is higher than "
                                   "recommended.\rA larger core should be selected if possible."};

double Shown(const TextBox& field) {
  return ParseNumber(field.text).value_or(-1);
}

// Molypermalloy mu 26, AL 100, le 15 cm: 43 turns at 60 A.
FixtureCore HighCurrentCore(double window_area) {
  FixtureCore c;
  c.PartNo = "M2600";
  c.PathLen = 15;
  c.Perm = 26;
  c.AL = 100;
  c.CoreArea = 1.5;
  c.WindowArea = window_area;
  c.WindID = 1.5;
  c.WindOD = 3.0;
  c.WindHt = 1.0;
  return c;
}

class SelectedCoreTest : public ::testing::Test {
 protected:
  SelectedCoreTest() : cores_(EmptyCoreTable()) { ApplyStartupDefaults(window_); }

  void Design(int16_t row) { DesignSelectedCore({window_, cores_, ui_}, row); }

  // 60 A without ripple: three strands of gauge 12 at 600 A/sq cm.
  void HighCurrent() {
    window_.material = Material::MPP;
    window_.txtIdc.text = "60";
    window_.txtIdelta.text = "0";
  }

  CoreTable cores_;
  WindowModel window_;
  ScriptedUi ui_;
};

TEST_F(SelectedCoreTest, DesignsThePickedCoreWithoutNoLoadCeiling) {
  PutCore(cores_, 395, testing::VelmaxAL75());
  window_.state.LoadingDesign = 1;
  Design(395);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(window_.state.DesignMode, 1);
  EXPECT_FALSE(window_.mnuLfl);
  EXPECT_FALSE(window_.txtLnl.enabled);
  EXPECT_EQ(window_.state.LoadingDesign, 0);
  EXPECT_EQ(window_.txtPN.text, "T0750A2");
  EXPECT_EQ(window_.txtWire.text, "15");
  // The plain turn solution: no margin, trimmed to one turn above the target.
  EXPECT_GT(Shown(window_.txtLOutfl), 100.0);
  EXPECT_LT(Shown(window_.txtLOutfl), 105.0);
  EXPECT_GT(window_.state.TotalLoss, 0.0f);
  EXPECT_EQ(window_.txtTrise.background, kWhite);
}

TEST_F(SelectedCoreTest, StrandsGoFirstThenTheGauge) {
  HighCurrent();
  PutCore(cores_, 1, HighCurrentCore(7.0));  // room for two strands of 43 turns
  Design(1);
  EXPECT_EQ(ui_.messages,
            (std::vector<ShownMessage>{
                {"Core Window Too Small", std::string(kReduced) + "2 strands of AWG #12"}}));
  EXPECT_EQ(window_.state.Strands, 2);
  EXPECT_EQ(window_.txtWire.text, "2 x #12");
  EXPECT_LE(Shown(window_.txtK), 0.50);

  ui_.messages.clear();
  PutCore(cores_, 1, HighCurrentCore(2.8));  // not even one wire of gauge 12
  Design(1);
  EXPECT_EQ(
      ui_.messages,
      (std::vector<ShownMessage>{{"Core Window Too Small", std::string(kReduced) + " AWG #13"}}));
  EXPECT_EQ(window_.state.Strands, 1);
  EXPECT_EQ(window_.txtWire.text, "13");
}

TEST_F(SelectedCoreTest, WindingThatFitsIsNotReduced) {
  HighCurrent();
  PutCore(cores_, 1, HighCurrentCore(12.0));
  Design(1);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(window_.txtWire.text, "3 x #12");
}

TEST_F(SelectedCoreTest, WireBeyondSixStrandsIsReportedWithoutReduction) {
  HighCurrent();
  window_.txtIdc.text = "100";
  window_.txtCurDens.text = "300";
  FixtureCore wide = HighCurrentCore(100.0);
  wide.WindID = 4.0;
  wide.WindOD = 8.0;
  wide.WindHt = 2.0;
  PutCore(cores_, 1, wide);
  Design(1);
  EXPECT_EQ(ui_.messages,
            (std::vector<ShownMessage>{{"Wire Size Too Large",
                                        "Required wire size is larger than any in current "
                                        "database."},
                                       kRollOffWarning}));
  EXPECT_EQ(window_.txtWire.text, "6 x #12");
  EXPECT_EQ(window_.txtTurns.text, "77");
}

TEST_F(SelectedCoreTest, StrongRollOffWarnsAndStillPresents) {
  // Molypermalloy mu 125, AL 100, le 5 cm at 11 A: about a quarter of the
  // no-load inductance is left at full load.
  FixtureCore c;
  c.PartNo = "M1250";
  c.Perm = 125;
  c.AL = 100;
  c.PathLen = 5;
  c.WindowArea = 10;
  window_.material = Material::MPP;
  PutCore(cores_, 1, c);
  Design(1);
  EXPECT_EQ(ui_.messages, std::vector<ShownMessage>{kRollOffWarning});
  EXPECT_EQ(window_.txtTurns.text, "65");
  EXPECT_EQ(window_.txtPN.text, "M1250A2");
}

TEST_F(SelectedCoreTest, TemperatureColourFollowsTheAllowableRise) {
  PutCore(cores_, 395, testing::VelmaxAL135());  // about 17.5 deg C
  window_.txtTempInput.text = "10";
  Design(395);
  EXPECT_EQ(window_.txtTrise.background, kLightYellow);
  window_.txtTempInput.text = "2";
  Design(395);
  EXPECT_EQ(window_.txtTrise.background, kLightRed);
  window_.txtTempInput.text = "35";
  Design(395);
  EXPECT_EQ(window_.txtTrise.background, kWhite);
}

TEST_F(SelectedCoreTest, ECoreOptionConflictsComeStackFirst) {
  PutCore(cores_, 522, testing::VelmaxECore());
  window_.material = Material::VelmaxE;
  window_.state.StackCount = 3;
  window_.mnuSingleLayer = true;
  Design(522);
  EXPECT_EQ(ui_.MessageTitles(), (std::vector<std::string>{"Invalid Stack", "Invalid Option"}));
  EXPECT_EQ(ui_.messages[0].text,
            "Only toroids (not E-Cores) may be \rstacked with this design program.");
  EXPECT_EQ(ui_.messages[1].text,
            "Only toroids (not E-Cores) may be \rspecified as single layer inductors.");
  EXPECT_EQ(window_.state.StackCount, 1);
  EXPECT_FALSE(window_.mnuSingleLayer);
  EXPECT_EQ(window_.txtPN.text, "EC-2510");
  EXPECT_EQ(window_.txtBobbin.text, "BB-2510");
}

TEST_F(SelectedCoreTest, HoleTooSmallForTheBuildUpIsReportedNotShown) {
  FixtureCore tight = testing::VelmaxAL135();
  tight.PartNo = "TIGHT";
  tight.WindID = 0.1;
  PutCore(cores_, 395, tight);
  window_.txtPN.text = "previous";
  window_.state.Strands = 3;
  window_.state.TotalLoss = 1234;
  Design(395);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].title, "Core Window Too Small");
  EXPECT_NE(ui_.messages[0].text.find("larger core"), std::string::npos);
  EXPECT_EQ(window_.txtPN.text, "previous");
  EXPECT_EQ(window_.state.Strands, 3);
  EXPECT_FLOAT_EQ(window_.state.TotalLoss, 1234.0f);
  EXPECT_EQ(window_.state.LoadingDesign, 0);
}

TEST_F(SelectedCoreTest, RowOutsideTheTableDesignsNothing) {
  window_.txtPN.text = "previous";
  window_.state.LoadingDesign = 1;
  for (int16_t row : {int16_t{0}, int16_t{553}, int16_t{-1}}) {
    Design(row);
    EXPECT_TRUE(ui_.messages.empty());
    EXPECT_TRUE(ui_.inputs.empty());
    EXPECT_EQ(window_.txtPN.text, "previous");
    EXPECT_EQ(window_.state.DesignMode, 0);
    EXPECT_TRUE(window_.mnuLfl);
  }
  EXPECT_EQ(window_.state.LoadingDesign, 0);
}

}  // namespace
}  // namespace tov

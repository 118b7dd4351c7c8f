#include <gtest/gtest.h>

#include <string>

#include "frm_tov_fixture.h"

namespace tov {
namespace {

using testing::FrmTovTest;
using testing::ShownMessage;

TEST_F(FrmTovTest, UnitsSwitchRedoesTheSearchAfterCalculate) {
  form_.mnuDimMet_Click();  // before any design: the search runs
  EXPECT_TRUE(Window().mnuDimMet);
  EXPECT_FALSE(Window().mnuDimEng);
  EXPECT_FLOAT_EQ(State().UnitsFactor, 25.4f);
  EXPECT_EQ(State().CoreIdx, 396);
  EXPECT_EQ(Window().txtOD.text, "52.1");
  EXPECT_EQ(Window().lblID, "ID (mm, nominal)");
  EXPECT_EQ(Window().lblOD, "OD (mm, nominal)");
  EXPECT_EQ(Window().lblHt, "Height (mm, nominal)");
  EXPECT_EQ(Window().lblDim, "Wound Core Dimen. (mm)");

  form_.mnuDimEng_Click();
  EXPECT_TRUE(Window().mnuDimEng);
  EXPECT_FALSE(Window().mnuDimMet);
  EXPECT_FLOAT_EQ(State().UnitsFactor, 1.0f);
  EXPECT_EQ(Window().txtOD.text, "2.050");
  EXPECT_EQ(Window().lblID, "ID (inches, nominal)");
  EXPECT_EQ(Window().lblOD, "OD (inches, nominal)");
  EXPECT_EQ(Window().lblHt, "Height (inches, nominal)");
  EXPECT_EQ(Window().lblDim, "Wound Core Dimensions (in)");
}

TEST_F(FrmTovTest, UnitsSwitchRedesignsThePickedCore) {
  form_.cmdSelCore_Click();
  form_.lstCores_Click(0);
  ASSERT_EQ(State().CoreIdx, 395);
  ASSERT_EQ(State().DesignMode, 1);
  form_.mnuDimMet_Click();
  EXPECT_EQ(State().CoreIdx, 395);
  EXPECT_EQ(State().DesignMode, 1);
  EXPECT_EQ(Window().txtPN.text, "T0750A2");
  EXPECT_EQ(Window().txtOD.text, "52.1");
}

TEST_F(FrmTovTest, ECoreCaptionsFollowTheUnits) {
  Window().lstCores_visible = true;  // no design on the material change
  form_.SelectMaterial(Material::VelmaxE);
  EXPECT_EQ(Window().lblBobbin, "Bobbin Part Number");
  EXPECT_EQ(Window().lblID, "Length of Core Set (in)");
  EXPECT_EQ(Window().lblOD, "Width of Core Set (in)");
  EXPECT_EQ(Window().lblHt, "Height of Core Bobbin (in)");
  form_.mnuDimMet_Click();
  EXPECT_EQ(Window().lblID, "Length of Core Set (mm)");
  EXPECT_EQ(Window().lblOD, "Width of Core Set (mm)");
  EXPECT_EQ(Window().lblHt, "Height of Core Bobbin (mm)");
  form_.SelectMaterial(Material::HF);
  EXPECT_EQ(Window().lblBobbin, "Recommended Header");
  EXPECT_EQ(Window().lblID, "ID (mm, nominal)");
}

TEST_F(FrmTovTest, MaterialChangeWithHiddenListRunsTheSearch) {
  form_.SelectMaterial(Material::HF);
  EXPECT_EQ(Window().material, Material::HF);
  EXPECT_EQ(State().CoreIdx, 252);
  EXPECT_EQ(Window().lblBobbin, "Recommended Header");
  EXPECT_FALSE(Window().lstCores_visible);
}

TEST_F(FrmTovTest, MaterialChangeWhileOpeningAFileRunsNoDesign) {
  State().LoadingDesign = 1;
  form_.SelectMaterial(Material::HF);
  EXPECT_EQ(State().CoreIdx, 0);
  EXPECT_TRUE(Window().txtPN.text.empty());
  EXPECT_EQ(State().LoadingDesign, 1);
}

TEST_F(FrmTovTest, MaterialChangeWithVisibleListRefillsIt) {
  form_.cmdSelCore_Click();
  ASSERT_EQ(Window().lstCores.size(), 126u);
  form_.SelectMaterial(Material::VelmaxE);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_TRUE(Window().txtPN.text.empty());
  EXPECT_TRUE(Window().lstCores_visible);
  ASSERT_EQ(Window().lstCores.size(), 30u);
  for (const std::string& line : Window().lstCores) EXPECT_EQ(line, "EC-2510  \u00b5 = 60");
  EXPECT_EQ(Window().lblBobbin, "Bobbin Part Number");
}

TEST_F(FrmTovTest, ToroidListLines) {
  testing::FixtureCore core = testing::VelmaxAL135();
  core.PartNo = "77083";
  core.PartSuffix = "A7";
  core.NomOD = 0.5;
  core.Perm = 125;
  testing::PutCore(cores_, 395, core);
  cores_.Set(396, CoreColumn::PartNo, CoreCell::Number(55310));
  cores_.Set(396, CoreColumn::NomOD, CoreCell::Number(1.0605));
  form_.cmdSelCore_Click();
  EXPECT_EQ(Window().lstCores[0], "77083A7 (OD = 0.500, 125\u00b5)");
  EXPECT_EQ(Window().lstCores[1], "55310A2 (OD = 1.061, 60\u00b5)");
}

TEST_F(FrmTovTest, ListPositionDesignsTheRowOfTheMaterial) {
  struct Case {
    Material material;
    int position;
    int16_t row;
  };
  for (const Case& c : {Case{Material::MPP, 0, 1}, Case{Material::MPP, 249, 250},
                        Case{Material::HF, 0, 252}, Case{Material::HF, 141, 393},
                        Case{Material::Velmax, 0, 395}, Case{Material::Velmax, 125, 520},
                        Case{Material::VelmaxE, 0, 522}, Case{Material::VelmaxE, 29, 551}}) {
    Window().material = c.material;
    form_.cmdSelCore_Click();
    ASSERT_EQ(Window().lstCores.size(), static_cast<size_t>(SectionOf(c.material).CoreCount()));
    form_.lstCores_Click(c.position);
    EXPECT_EQ(State().CoreIdx, c.row);
    EXPECT_EQ(State().DesignMode, 1);
    EXPECT_FALSE(Window().lstCores_visible);
    EXPECT_FALSE(Window().txtPN.text.empty());
  }
}

TEST_F(FrmTovTest, ListClickOutsideTheListDoesNothing) {
  form_.cmdSelCore_Click();
  form_.lstCores_Click(-1);
  form_.lstCores_Click(126);
  EXPECT_EQ(State().CoreIdx, 0);
  EXPECT_TRUE(Window().lstCores_visible);
}

TEST_F(FrmTovTest, CalculateLeavesAVisibleListVisible) {
  form_.cmdSelCore_Click();
  form_.cmdCalculate_Click();
  EXPECT_TRUE(Window().lstCores_visible);
  form_.lstCores_Click(1);
  EXPECT_FALSE(Window().lstCores_visible);
  form_.SelectMaterial(Material::Velmax);  // hidden again: the search runs
  EXPECT_EQ(State().DesignMode, 0);
}

}  // namespace
}  // namespace tov

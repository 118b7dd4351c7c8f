// The window marks every figure that fails what was asked of it, on the
// shipped core database.

#include <gtest/gtest.h>

#include <string>

#include "window_fixture.h"

namespace tov {
namespace {

int16_t RowOf(const CoreTable& cores, Material material, const std::string& part) {
  const MaterialSection section = SectionOf(material);
  for (int16_t row = section.first_row; row <= section.last_core_row; ++row) {
    if (cores.PartNumber(row, IsECore(material)) == part) return row;
  }
  ADD_FAILURE() << part;
  return 0;
}

const RequirementCheck& CheckOf(const DesignController& form, CheckKind kind) {
  static std::vector<RequirementCheck> checks;
  checks = form.Checks();
  return checks.at(static_cast<std::size_t>(kind));
}

bool Holds(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(RequirementMarks, APickShortOfItsTargetsIsMarkedAndItsClearedCeilingSaysSo) {
  testing::StartUpWindow window;
  DesignController& form = window.form;
  WindowModel& w = window.Model();
  form.Calculate();
  EXPECT_EQ(w.part_number.text, "VM139-026-E");
  // 102.08 uH meets 100 uH; with the AL 8 % low it would not, and only that is marked.
  EXPECT_EQ(w.l_full_load.problem,
            "93.91 uH at the AL's -8.00 % tolerance is below the 100.00 uH required");
  EXPECT_TRUE(w.l_full_load.problem_at_worst_case_only);
  EXPECT_TRUE(w.l_no_load.problem.empty());
  EXPECT_TRUE(CheckOf(form, CheckKind::NoLoadCeiling).pass);
  EXPECT_EQ(CheckOf(form, CheckKind::NoLoadCeiling).reason, "");

  // VM107-060-E holds 87.55 uH of the 100 uH asked and runs 89.66 degC up.
  form.DesignSelectedCore(RowOf(form.Cores(), Material::Velmax, "VM107-060-E"));
  EXPECT_EQ(w.l_full_load.text, "87.55");
  EXPECT_TRUE(Holds(w.l_full_load.problem, "87.55 uH is below the 100.00 uH required"))
      << w.l_full_load.problem;
  EXPECT_TRUE(Holds(w.temp_rise.problem, "89.66 degC is above the 35.00 degC allowed"));
  EXPECT_FALSE(w.l_full_load.problem_at_worst_case_only);
  EXPECT_TRUE(Holds(w.wire.problem, "thinned from AWG 15 to AWG 18"));
  EXPECT_TRUE(w.part_number.problem.empty());

  // The pick cleared Full Load L Maximum: the next search has no ceiling, and says why.
  form.Calculate();
  EXPECT_TRUE(Holds(CheckOf(form, CheckKind::NoLoadCeiling).reason, "cleared by the core pick"));
  form.ToggleFullLoadLMaximum();
  EXPECT_TRUE(w.full_load_l_max);
  EXPECT_EQ(CheckOf(form, CheckKind::NoLoadCeiling).reason, "");
  form.ToggleFullLoadLMaximum();
  EXPECT_EQ(CheckOf(form, CheckKind::NoLoadCeiling).reason,
            "off: Full Load L Maximum is not checked");

  // "Too Large" leaves no figure marked.
  form.DesignSelectedCore(RowOf(form.Cores(), Material::Velmax, "VM107-060-E"));
  w.dc_current.text = "400";
  w.full_load_l.text = "50000";
  w.no_load_l.text = "90000";
  form.Calculate();
  EXPECT_EQ(w.part_number.text, "Too Large");
  EXPECT_TRUE(form.Checks().empty());
  EXPECT_TRUE(w.l_full_load.problem.empty() && w.temp_rise.problem.empty());
}

}  // namespace
}  // namespace tov

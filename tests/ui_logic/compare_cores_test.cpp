// The comparison table of the window's request: the line Calculate picks reads
// exactly as the main window shows that design, and a double-click designs a
// compared core as a pick from the core list does.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "state/file_bytes.h"
#include "support/core_fixture.h"
#include "support/random_designs.h"
#include "support/scripted_ui.h"
#include "ui/logic/candidate_rows.h"
#include "ui/logic/design_controller.h"

namespace tov {
namespace {

TEST(CompareCoresTest, TheLineCalculatePicksReadsAsTheWindowShowsIt) {
  struct Setting {
    Material material;
    int16_t stack;
    bool metric, single_layer, lfl_max;
    const char* Idc;
  };
  const Setting settings[] = {{Material::Velmax, 1, false, false, true, "10"},
                              {Material::MPP, 2, true, true, true, "3"},
                              {Material::HF, 5, false, false, false, "25"},
                              {Material::VelmaxE, 1, true, false, true, "10"},
                              {Material::Velmax, 1, false, false, true, "400"}};  // too large
  for (const Setting& s : settings) {
    testing::ScriptedUi ui;
    DesignController form(testing::ShippedCores(), ui);
    WindowModel& w = form.Model();
    ApplyStartupDefaults(w);
    w.material = s.material;
    w.state.stack_count = s.stack;
    w.state.metric = s.metric;
    w.single_layer = s.single_layer;
    w.full_load_l_max = s.lfl_max;
    w.dc_current.text = s.Idc;
    form.Calculate();

    const CompareTable table = CompareCores(form);
    ASSERT_TRUE(table.problem.empty());
    EXPECT_TRUE(std::is_partitioned(table.rows.begin(), table.rows.end(),
                                    [](const CandidateRow& r) { return r.passes; }));
    const auto picks = std::count_if(table.rows.begin(), table.rows.end(),
                                     [](const CandidateRow& r) { return r.calculate_pick; });
    EXPECT_EQ(picks, form.ShowsTooLarge() ? 0 : 1) << s.Idc;
    const auto pick = std::find_if(table.rows.begin(), table.rows.end(),
                                   [](const CandidateRow& r) { return r.calculate_pick; });
    if (pick == table.rows.end()) continue;

    const auto text = [&](CandidateColumn c) {
      return CellText(*pick, c, testing::ShippedCores(), s.metric);
    };
    EXPECT_EQ(pick->candidate.row, w.state.core_row);
    EXPECT_TRUE(w.part_number.text.ends_with(text(CandidateColumn::PartNumber)));
    EXPECT_EQ(text(CandidateColumn::Perm), w.permeability.text);
    EXPECT_EQ(text(CandidateColumn::Turns), w.turns.text);
    EXPECT_EQ(text(CandidateColumn::Wire), w.wire.text);
    EXPECT_EQ(text(CandidateColumn::Fill), w.winding_factor.text);
    EXPECT_EQ(text(CandidateColumn::LFullLoad), w.l_full_load.text);
    EXPECT_EQ(text(CandidateColumn::LNoLoad), w.l_no_load.text);
    EXPECT_EQ(text(CandidateColumn::Resistance), w.dcr.text);
    EXPECT_EQ(text(CandidateColumn::TempRise), w.temp_rise.text);
    EXPECT_EQ(text(CandidateColumn::WoundSize), w.wound_dimensions.text);
    EXPECT_EQ(text(CandidateColumn::Header), w.mount_part_number.text);
    EXPECT_EQ(text(CandidateColumn::FailedTests), "");
    if (w.total_loss_caption.ends_with("(mW)")) {
      EXPECT_EQ(text(CandidateColumn::TotalLoss), w.total_loss.text);
    }
  }
}

TEST(CompareCoresTest, InputsTheWindowWouldAskForAgainGiveNoTable) {
  testing::ScriptedUi ui;
  DesignController form(testing::ShippedCores(), ui);
  ApplyStartupDefaults(form.Model());
  form.Model().no_load_l.text = "90";  // below Full Load L while it is a ceiling
  const CompareTable table = CompareCores(form);
  EXPECT_TRUE(table.rows.empty());
  EXPECT_EQ(table.problem.rfind("Invalid Entry: ", 0), 0u) << table.problem;
  EXPECT_EQ(table.problem.find('\r'), std::string::npos);
}

TEST(CompareCoresTest, DoubleClickSwitchesMaterialAndStackWithoutASearchAndDesignsTheCore) {
  CoreTable cores = testing::EmptyCoreTable();
  // Too small for the search (it would say "Required Core Too Large"), but a core to pick.
  testing::PutCore(cores, 1, {.PartNo = "M1", .SizeFigure = 1e-6});
  testing::ScriptedUi ui;
  DesignController form(cores, ui);
  WindowModel& w = form.Model();
  ApplyStartupDefaults(w);
  form.ShowCoreList();  // the Velmax list is showing

  form.DesignComparedCore(Material::MPP, 6, 1);    // no such stack
  form.DesignComparedCore(Material::MPP, 2, 395);  // not a Molypermalloy core
  EXPECT_EQ(w.material, Material::Velmax);
  EXPECT_TRUE(w.part_number.text.empty());

  form.DesignComparedCore(Material::MPP, 2, 1);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(w.material, Material::MPP);
  EXPECT_EQ(w.state.stack_count, 2);
  EXPECT_EQ(w.state.core_row, 1);
  EXPECT_EQ(w.state.design_mode, DesignMode::SelectedCore);
  EXPECT_FALSE(w.state.loading_design);
  EXPECT_FALSE(w.full_load_l_max);  // as after any pick from the core list
  EXPECT_FALSE(w.core_list_visible);
  EXPECT_EQ(w.part_number.text, "(2x)M1A2");
}

TEST(CompareCoresTest, ExportWritesTheHeadingsAndALinePerCoreOrSaysWhyNot) {
  testing::ScriptedUi ui;
  DesignController form(testing::ShippedCores(), ui);
  ApplyStartupDefaults(form.Model());
  const CompareTable table = CompareCores(form);
  const std::vector<CandidateRow> two(table.rows.begin(), table.rows.begin() + 2);
  const auto dir =
      std::filesystem::temp_directory_path() / ("tov_compare_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  ui.save_paths = {std::nullopt, (dir / "t.csv").string(), dir.string()};
  ExportCandidateRows(two, testing::ShippedCores(), false, "", ui);  // cancelled
  ExportCandidateRows(two, testing::ShippedCores(), false, "", ui);
  ExportCandidateRows(two, testing::ShippedCores(), false, "", ui);  // a folder cannot be replaced
  EXPECT_EQ(ui.save_requests.at(0).default_extension, ".csv");
  const std::string csv = ReadFileBytes(dir / "t.csv", 1 << 20).value_or("");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3);
  // Every line has the heading's cells.
  const auto header_end = csv.begin() + static_cast<std::ptrdiff_t>(csv.find('\n'));
  EXPECT_EQ(std::count(header_end, csv.end(), ','), 2 * std::count(csv.begin(), header_end, ','));
  EXPECT_EQ(csv.rfind("Part Number,Material,", 0), 0u) << csv;
  EXPECT_NE(csv.find("Wound Size (in)"), std::string::npos);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "Export Table");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tov

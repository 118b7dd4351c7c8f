// The comparison table of the window's request: the line Calculate picks reads
// exactly as the main window shows that design, and a double-click designs a
// compared core as a pick from the core list does.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ui/logic/candidate_rows.h"
#include "window_fixture.h"

namespace tov {
namespace {

TEST(CompareCoresTest, TheLineCalculatePicksReadsAsTheWindowShowsIt) {
  const struct {
    Material material;
    int16_t stack;
    bool metric, single_layer, lfl_max;
    const char* Idc;
  } settings[] = {{Material::Velmax, 1, false, false, true, "10"},
                  {Material::MPP, 2, true, true, true, "3"},
                  {Material::HF, 5, false, false, false, "25"},
                  {Material::VelmaxE, 1, true, false, true, "10"},
                  {Material::Velmax, 1, false, false, true, "400"}};  // too large
  using C = CandidateColumn;
  const std::pair<CandidateColumn, TextBox WindowModel::*> same[] = {
      {C::Perm, &WindowModel::permeability},
      {C::Turns, &WindowModel::turns},
      {C::Wire, &WindowModel::wire},
      {C::Fill, &WindowModel::winding_factor},
      {C::LFullLoad, &WindowModel::l_full_load},
      {C::LNoLoad, &WindowModel::l_no_load},
      {C::Resistance, &WindowModel::dcr},
      {C::TempRise, &WindowModel::temp_rise},
      {C::WoundSize, &WindowModel::wound_dimensions},
      {C::Header, &WindowModel::mount_part_number}};
  for (const auto& s : settings) {
    SCOPED_TRACE(s.Idc);
    testing::StartUpWindow window;
    WindowModel& w = window.Model();
    w.material = s.material;
    w.state.stack_count = s.stack;
    w.state.metric = s.metric;
    w.single_layer = s.single_layer;
    w.full_load_l_max = s.lfl_max;
    w.dc_current.text = s.Idc;
    window.form.Calculate();

    const CompareTable table = CompareCores(window.form);
    ASSERT_TRUE(table.problem.empty());
    EXPECT_TRUE(std::is_partitioned(table.rows.begin(), table.rows.end(),
                                    [](const CandidateRow& r) { return r.passes; }));
    const auto is_pick = [](const CandidateRow& r) { return r.calculate_pick; };
    EXPECT_EQ(std::count_if(table.rows.begin(), table.rows.end(), is_pick),
              window.form.ShowsTooLarge() ? 0 : 1);
    const auto pick = std::find_if(table.rows.begin(), table.rows.end(), is_pick);
    if (pick == table.rows.end()) continue;
    const auto text = [&](CandidateColumn c) {
      return CellText(*pick, c, testing::ShippedCores(), s.metric);
    };
    EXPECT_EQ(pick->candidate.row, w.state.core_row);
    EXPECT_TRUE(w.part_number.text.ends_with(text(C::PartNumber)));
    for (const auto& [column, box] : same) {
      EXPECT_EQ(text(column), (w.*box).text) << static_cast<int>(column);
    }
    EXPECT_EQ(text(C::FailedTests), "");
    if (w.total_loss_caption.ends_with("(mW)")) {
      EXPECT_EQ(text(C::TotalLoss), w.total_loss.text);
    }
  }
}

TEST(CompareCoresTest, InputsTheWindowWouldAskForAgainGiveNoTable) {
  testing::StartUpWindow window;
  window.Model().no_load_l.text = "90";  // below Full Load L while it is a ceiling
  const CompareTable table = CompareCores(window.form);
  EXPECT_TRUE(table.rows.empty());
  EXPECT_EQ(table.problem.rfind("Invalid Entry: ", 0), 0u) << table.problem;
  EXPECT_EQ(table.problem.find('\r'), std::string::npos);
}

TEST(CompareCoresTest, DoubleClickSwitchesMaterialAndStackWithoutASearchAndDesignsTheCore) {
  CoreTable cores = testing::EmptyCoreTable();
  // Too small for the search (it would say "Required Core Too Large"), but a core to pick.
  testing::PutCore(cores, 1, {.PartNo = "M1", .SizeFigure = 1e-6});
  testing::StartUpWindow window(cores);
  WindowModel& w = window.Model();
  window.form.ShowCoreList();                             // the Velmax list is showing
  window.form.DesignComparedCore(Material::MPP, 6, 1);    // no such stack
  window.form.DesignComparedCore(Material::MPP, 2, 395);  // not a Molypermalloy core
  EXPECT_EQ(w.material, Material::Velmax);
  EXPECT_TRUE(w.part_number.text.empty());

  window.form.DesignComparedCore(Material::MPP, 2, 1);
  EXPECT_TRUE(window.ui.messages.empty());
  EXPECT_EQ(std::tuple(w.material, w.state.stack_count, w.state.core_row, w.state.design_mode),
            std::tuple(Material::MPP, int16_t{2}, int16_t{1}, DesignMode::SelectedCore));
  EXPECT_FALSE(w.state.loading_design);
  EXPECT_FALSE(w.full_load_l_max) << "as after any pick from the core list";
  EXPECT_FALSE(w.core_list_visible);
  EXPECT_EQ(w.part_number.text, "(2x)M1A2");
}

TEST(CompareCoresTest, ExportWritesTheHeadingsAndALinePerCoreOrSaysWhyNot) {
  testing::StartUpWindow window;
  testing::ScriptedUi& ui = window.ui;
  const CompareTable table = CompareCores(window.form);
  const std::vector<CandidateRow> two(table.rows.begin(), table.rows.begin() + 2);
  testing::TempFolder dir;
  ui.save_paths = {std::nullopt, dir.Path("t.csv"), dir.path.string()};
  for (int i = 0; i < 3; ++i) {  // cancelled, written, a folder that cannot be replaced
    ExportCandidateRows(two, testing::ShippedCores(), false, "", ui);
  }
  EXPECT_EQ(ui.save_requests.at(0).default_extension, ".csv");
  const std::string csv = dir.Bytes("t.csv");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3);
  // Every line has the heading's cells.
  const auto header_end = csv.begin() + static_cast<std::ptrdiff_t>(csv.find('\n'));
  EXPECT_EQ(std::count(header_end, csv.end(), ','), 2 * std::count(csv.begin(), header_end, ','));
  EXPECT_EQ(csv.rfind("Part Number,Material,", 0), 0u) << csv;
  EXPECT_NE(csv.find("Wound Size (in)"), std::string::npos);
  EXPECT_EQ(ui.MessageTitles(), std::vector<std::string>{"Export Table"});
}

}  // namespace
}  // namespace tov

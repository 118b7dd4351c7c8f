// Open Design, Save Design As, Print and Export SPICE Model on the window
// logic, with a scripted user and the shipped core database.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "io/design_file.h"
#include "state/file_bytes.h"
#include "support/random_designs.h"
#include "support/scripted_ui.h"
#include "ui/logic/apply_design_file.h"
#include "ui/logic/design_controller.h"
#include "ui/logic/report.h"

namespace tov {
namespace {

namespace fs = std::filesystem;

// Everything of the window a file operation could change: the settings as
// saved, the copper factor, the loading flag and the design as printed.
std::string Snapshot(const WindowModel& w) {
  std::string s = WriteDesignFile(RecordFromWindow(w)) + std::to_string(w.state.copper_factor) +
                  "," + std::to_string(w.state.loading_design);
  for (const std::string& line : RenderReportText(BuildReport(w))) s += "|" + line;
  return s;
}

class FileHandlers : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tov_files_XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
    ApplyStartupDefaults(form_.Model());
    form_.Calculate();
    ui_.messages.clear();
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::string Put(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    return Path(name);
  }
  void Open(const std::optional<std::string>& path) {
    ui_.open_paths.push_back(path);
    form_.ChooseAndOpenDesign();
  }
  void Save(const std::optional<std::string>& path) {
    ui_.save_paths.push_back(path);
    form_.SaveDesignAs();
  }
  WindowModel& W() { return form_.Model(); }

  fs::path dir_;
  testing::ScriptedUi ui_;
  DesignController form_{testing::ShippedCores(), ui_};
};

TEST_F(FileHandlers, SaveWritesTheDesignOrSaysWhyAndChangesNothing) {
  fs::create_directory(dir_ / "folder.tov");
  const std::string before = Snapshot(W());
  Save(Path("a.tov"));
  Save(std::nullopt);
  Open(std::nullopt);
  form_.Print();
  EXPECT_TRUE(ui_.messages.empty());
  Save(Path("folder.tov"));
  Save(Path("no such folder/a.tov"));

  EXPECT_EQ(ReadFileBytes(Path("a.tov"), 1000), WriteDesignFile(RecordFromWindow(W())));
  EXPECT_EQ(Snapshot(W()), before);
  EXPECT_TRUE(ui_.save_requests.at(0).confirm_overwrite);
  EXPECT_EQ(ui_.printed.size(), 1u);
  EXPECT_EQ(ui_.MessageTitles(), (std::vector<std::string>(2, "Save Design")));
  EXPECT_NE(ui_.messages.at(1).text.find(Path("no such folder/a.tov")), std::string::npos);
}

// The AL tolerance asked under Options shows in the model's worst case.
TEST_F(FileHandlers, ExportSpiceModelWritesTheModelOfTheDesignShown) {
  ui_.answers = {"abc", "5", "-10", ""};
  form_.AskAlTolerance();  // asks until a tolerance from -99 to 0 comes
  form_.AskAlTolerance();  // Cancel keeps it
  EXPECT_EQ(W().state.al_tolerance_percent, -10.0f);
  ASSERT_EQ(ui_.inputs.size(), 4u);
  EXPECT_EQ(ui_.inputs[3].default_answer, "-10");
  for (const auto& input : ui_.inputs) EXPECT_EQ(input.title, "AL Tolerance");

  ui_.save_paths = {std::nullopt, Path("choke.cir"), Path("no such folder/choke.cir")};
  for (int i = 0; i < 3; ++i) form_.ExportSpiceModel();
  const std::optional<std::string> model = form_.SpiceModelText();
  ASSERT_TRUE(model);
  EXPECT_EQ(ReadFileBytes(Path("choke.cir"), 1 << 20), model);
  EXPECT_NE(model->find("Worst case (AL -10 %)"), std::string::npos);
  const FileDialogRequest& asked = ui_.save_requests.at(0);
  EXPECT_EQ(std::tuple(asked.title, asked.default_extension, asked.confirm_overwrite),
            std::tuple("Export SPICE Model", ".cir", true));
  EXPECT_EQ(ui_.MessageTitles(), std::vector<std::string>{"Export SPICE Model"});
  EXPECT_NE(ui_.messages[0].text.find(Path("no such folder/choke.cir")), std::string::npos);

  // Without a design shown there is nothing to export and nothing is asked.
  DesignController empty(testing::ShippedCores(), ui_);
  empty.ExportSpiceModel();
  EXPECT_EQ(ui_.save_requests.size(), 3u);
  EXPECT_FALSE(empty.SpiceModelText() || empty.ShownWorstCase());
}

// Records: core_row, design_mode, seven input texts, material code, Full Load
// L Maximum, ambient, stack count, single layer. Startup material: Velmax.
TEST_F(FileHandlers, EveryFailedOpenSaysWhyAndLeavesTheWindowAsItWas) {
  fs::create_directory(dir_ / "folder.tov");
  ASSERT_EQ(mkfifo(Path("pipe.tov").c_str(), 0600), 0);
  const std::string records = "\"5\",\"2\",\"100\",\"600\",\"100\",\"150\",\"35\",";
  const std::string not_of_material = " is not a core of the material it names.";
  const std::pair<std::string, std::string> cases[] = {
      {Path("folder.tov"), "It is a folder, not a design file."},
      {Path("pipe.tov"), "It is a named pipe, not a design file."},
      {Path("missing.tov"), "It does not exist."},
      // The reader's own refusals (one stands for all).
      {Put("cold.tov", "0,0," + records + "3,1,-300,1,0"),
       "Record 12 (ambient temperature) is -300 degrees C; copper keeps a positive resistance "
       "only above -234.45 degrees C."},
      // Selected-core designs on no core of the material in force.
      {Put("mpp.tov", "1,1," + records + "3,1,20,1,0"), "Its core (row 1)" + not_of_material},
      {Put("code7.tov", "522,1," + records + "7,1,20,1,0"), "Its core (row 522)" + not_of_material},
      {Put("endrow.tov", "521,2," + records + "3,1,20,1,0"),
       "Its core (row 521)" + not_of_material}};
  const std::string before = Snapshot(W());
  for (const auto& [path, why] : cases) {
    ui_.messages.clear();
    Open(path);
    EXPECT_EQ(Snapshot(W()), before) << path;
    EXPECT_EQ(ui_.messages,
              (std::vector<testing::ShownMessage>{
                  {"Open Design", "The file\r" + path + "\ris not a readable design file.\r" + why +
                                      "\r\rThe design shown has not been changed."}}));
  }
}

TEST_F(FileHandlers, OpenSetsTheOptionsAsTheFileSaysAndSearchesAfresh) {
  form_.SelectMaterial(Material::HF);
  ui_.unsaved_edits_answers.push_back(UnsavedEditsAnswer::Discard);  // the material changed
  // Code 7 leaves the material, 5 unchecks Full Load L Maximum, core 1 is ignored.
  Open(Put("a.tov", "1,0,\"5\",\"2\",\"100\",\"600\",\"100\",\"150\",\"35\",7,5,45,2,0"));
  EXPECT_EQ(W().material, Material::HF);
  EXPECT_FALSE(W().full_load_l_max);
  EXPECT_EQ(W().state.copper_factor, 1.09825f);
  EXPECT_GE(W().state.core_row, SectionOf(Material::HF).first_row);
  EXPECT_FALSE(W().state.loading_design);
}

TEST_F(FileHandlers, ASavedDesignReopensOnThePickedCoreOrWithTheSameSearch) {
  form_.ShowCoreList();
  form_.PickListedCore(5);
  const std::string picked = Snapshot(W());
  Save(Path("picked.tov"));
  form_.SelectMaterial(Material::MPP);
  const std::string found = Snapshot(W());
  Save(Path("auto.tov"));
  Open(Path("picked.tov"));
  EXPECT_EQ(Snapshot(W()), picked);
  Open(Path("auto.tov"));
  EXPECT_EQ(Snapshot(W()), found);
}

// Inputs too large for every core: the search after the opening says so
// once, the material change of the opening starts no design of its own.
TEST_F(FileHandlers, TheMaterialChangeOfAnOpeningStartsNoDesignOfItsOwn) {
  Open(Put("a.tov", "0,0,\"400\",\"2\",\"100\",\"600\",\"50000\",\"90000\",\"35\",1,1,20,1,0"));
  const std::vector<std::string> titles = ui_.MessageTitles();
  EXPECT_EQ(std::count(titles.begin(), titles.end(), "Required Core Too Large"), 1);
  EXPECT_EQ(W().material, Material::MPP);
}

}  // namespace
}  // namespace tov

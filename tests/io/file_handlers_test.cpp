// Open Design, Save Design As and Print on the window logic, with a scripted
// user and the shipped core database.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "io/design_file.h"
#include "io/report.h"
#include "state/core_table_loader.h"
#include "support/scripted_ui.h"
#include "ui/logic/frm_tov.h"

namespace tov {
namespace {

namespace fs = std::filesystem;

const CoreTable& Cores() {
  static const CoreTableLoad load = LoadCoreTable(fs::path(TOV_RUNTIME_DIR) / "coredat");
  return load.table.value();
}

// The design shown: the output texts, the core and the design mode.
std::string Outputs(const WindowModel& w) {
  std::string s;
  for (const TextBox* b : {&w.txtPN, &w.txtAL, &w.txtBobbin, &w.txtTurns, &w.txtWire, &w.txtDCR,
                           &w.txtLOutfl, &w.txtLOutnl, &w.txtDim, &w.txtPtot, &w.txtTrise}) {
    s += b->text + "|";
  }
  return s + std::to_string(w.state.CoreIdx) + "," + std::to_string(w.state.DesignMode);
}

// Everything of the window a file operation could change.
std::string Snapshot(const WindowModel& w) {
  const DesignState& d = w.state;
  std::string s = Outputs(w) + WriteDesignFile(RecordFromWindow(w)) + w.lblID + w.lblPtot;
  for (const double v : {double(d.Strands), double(d.LoadingDesign), double(d.CuFactor),
                         double(d.UnitsFactor), double(d.TotalLoss), double(w.txtLnl.enabled)}) {
    s += std::to_string(v) + ",";
  }
  return s;
}

DesignFileRecord Startup() {
  WindowModel w;
  ApplyStartupDefaults(w);
  return RecordFromWindow(w);
}

constexpr const char* kFilter = "All Files (*.*)|*.*|DC Inductor Files (*.tov)|*.tov";

class FileHandlers : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("tov_files_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    ApplyStartupDefaults(form_.Model());
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::string Put(const std::string& name, const DesignFileRecord& r) const {
    std::ofstream(Path(name), std::ios::binary) << WriteDesignFile(r);
    return Path(name);
  }
  void Open(const std::optional<std::string>& path) {
    ui_.open_paths.push_back(path);
    form_.mnuOpen_Click();
  }
  void Save(const std::optional<std::string>& path) {
    ui_.save_paths.push_back(path);
    form_.mnuSaveAs_Click();
  }
  WindowModel& W() { return form_.Model(); }

  fs::path dir_;
  testing::ScriptedUi ui_;
  FrmTov form_{Cores(), ui_};
};

TEST_F(FileHandlers, SaveWritesTheSettingsAndChangesNothingAndCancelsAreSilent) {
  form_.cmdCalculate_Click();
  ui_.messages.clear();
  const std::string before = Snapshot(W());
  Save(Path("a.tov"));
  Save(std::nullopt);
  Open(std::nullopt);
  EXPECT_EQ(ReadFileBytes(Path("a.tov")), WriteDesignFile(RecordFromWindow(W())));
  EXPECT_EQ(Snapshot(W()), before);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1);

  const FileDialogRequest& save = ui_.save_requests.at(0);
  EXPECT_EQ(save.filter, kFilter);
  EXPECT_EQ(save.filter_index, 2);
  EXPECT_EQ(save.default_extension, ".tov");
  EXPECT_TRUE(save.confirm_overwrite);
  const FileDialogRequest& open = ui_.open_requests.at(0);
  EXPECT_EQ(open.filter, kFilter);
  EXPECT_EQ(open.filter_index, 2);
  EXPECT_EQ(open.default_extension, "");
}

TEST_F(FileHandlers, AFailedSaveTellsTheUserOnceNamingTheFile) {
  fs::create_directory(dir_ / "folder.tov");
  const std::string before = Snapshot(W());
  Save(Path("folder.tov"));
  Save(Path("no such folder/a.tov"));
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0].title, "Save Design");
  EXPECT_NE(ui_.messages[0].text.find(Path("folder.tov")), std::string::npos);
  EXPECT_NE(ui_.messages[1].text.find(Path("no such folder/a.tov")), std::string::npos);
  EXPECT_TRUE(fs::is_directory(dir_ / "folder.tov"));
  EXPECT_EQ(Snapshot(W()), before);
}

TEST_F(FileHandlers, OpenRefusesABadFileWholeAndTheNextGoodFileOpens) {
  fs::create_directory(dir_ / "folder.tov");
  const std::string whole = WriteDesignFile(Startup());
  std::ofstream(Path("thirteen.tov")) << whole.substr(0, whole.size() - 3);
  std::ofstream(Path("range.tov"))
      << "0,0,\"5\",\"1\",\"5\",\"3\",\"1\",\"2\",\"4\",1,0,45,40000,0";
  struct Selected {
    int16_t DesignMode, CoreIdx, MaterialCode;
  };
  // Selected-core designs whose core is no core of the material in force.
  for (const Selected& s : {Selected{1, 1, 3}, Selected{1, 522, 7}, Selected{2, 521, 3},
                            Selected{1, 0, 3}, Selected{-1, 252, 1}}) {
    DesignFileRecord r = Startup();
    r.DesignMode = s.DesignMode;
    r.CoreIdx = s.CoreIdx;
    r.MaterialCode = s.MaterialCode;
    r.Idc = "5";
    Put("core" + std::to_string(s.CoreIdx) + ".tov", r);
  }
  form_.cmdCalculate_Click();
  ui_.messages.clear();
  const std::string before = Snapshot(W());
  for (const auto& entry : fs::directory_iterator(dir_)) {
    const std::string path = entry.path().string();
    ui_.messages.clear();
    Open(path);
    EXPECT_EQ(Snapshot(W()), before) << path;
    ASSERT_EQ(ui_.messages.size(), 1u) << path;
    EXPECT_EQ(ui_.messages[0].title, "Open Design");
    EXPECT_NE(ui_.messages[0].text.find(path + "\ris not a readable design file."),
              std::string::npos);
  }
  ui_.messages.clear();
  Open(Path("missing.tov"));
  EXPECT_EQ(ui_.messages.size(), 1u);
  EXPECT_TRUE(ui_.inputs.empty());

  Open(Put("good.tov", Startup()));
  EXPECT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(W().state.LoadingDesign, 0);
}

TEST_F(FileHandlers, OpenSetsTheOptionsAsTheFileSaysAndSearchesAfresh) {
  form_.SelectMaterial(Material::HF);
  DesignFileRecord r = Startup();
  r.CoreIdx = 1;  // an automatic design ignores the stored core
  r.MaterialCode = 7;
  r.FullLoadLMax = 5;
  r.AmbientTemp = 45.0f;
  r.StackCount = 2;
  r.Idc = "5";
  Open(Put("a.tov", r));
  EXPECT_EQ(W().material, Material::HF);
  EXPECT_FALSE(W().mnuLfl);
  EXPECT_EQ(W().state.CuFactor, 1.09825f);
  EXPECT_EQ(W().state.StackCount, 2);
  EXPECT_EQ(W().txtIdc.text, "5");
  EXPECT_EQ(W().state.DesignMode, 0);
  EXPECT_GE(W().state.CoreIdx, SectionOf(Material::HF).first_row);
  EXPECT_EQ(W().state.LoadingDesign, 0);

  // The opening is over: a material click designs again.
  const std::string before = Outputs(W());
  form_.SelectMaterial(Material::MPP);
  EXPECT_NE(Outputs(W()), before);
}

TEST_F(FileHandlers, ASavedDesignReopensOnThePickedCoreOrWithTheSameSearch) {
  form_.cmdSelCore_Click();
  form_.lstCores_Click(5);
  const std::string picked = Outputs(W());
  ASSERT_EQ(W().state.CoreIdx, 400);
  Save(Path("picked.tov"));
  form_.SelectMaterial(Material::MPP);
  const std::string found = Outputs(W());
  Save(Path("auto.tov"));

  Open(Path("picked.tov"));
  EXPECT_EQ(W().material, Material::Velmax);
  EXPECT_EQ(Outputs(W()), picked);
  Open(Path("auto.tov"));
  EXPECT_EQ(Outputs(W()), found);
}

TEST_F(FileHandlers, TheMaterialChangeOfAnOpeningStartsNoDesignOfItsOwn) {
  DesignFileRecord r = Startup();
  r.MaterialCode = 1;
  r.Idc = "400";  // too much for every core: each search says so once
  r.Lfl = "50000";
  r.Lnl = "90000";
  Open(Put("a.tov", r));
  const std::vector<std::string> titles = ui_.MessageTitles();
  EXPECT_EQ(std::count(titles.begin(), titles.end(), "Required Core Too Large"), 1);
  EXPECT_EQ(W().material, Material::MPP);
}

TEST_F(FileHandlers, PrintSendsTheReportOfTheWindowAndChangesNothing) {
  form_.cmdCalculate_Click();
  const std::string before = Snapshot(W());
  form_.mnuPrint_Click();
  form_.cmdPrint_Click();
  ASSERT_EQ(ui_.printed.size(), 2u);
  for (const ReportDocument& printed : ui_.printed) {
    EXPECT_EQ(RenderReportText(printed), RenderReportText(BuildReport(W())));
  }
  EXPECT_EQ(Snapshot(W()), before);
}

}  // namespace
}  // namespace tov

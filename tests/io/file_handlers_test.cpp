// Open Design, Save Design As and Print on the window logic, with a scripted
// user and the real core database.

#include <gtest/gtest.h>

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
using testing::ScriptedUi;

const CoreTable& Cores() {
  static const CoreTableLoad load = LoadCoreTable(fs::path(TOV_RUNTIME_DIR) / "coredat");
  return load.table.value();
}

// Everything of the window a file operation could change, as one text.
std::string Snapshot(const WindowModel& w) {
  std::string s;
  for (const TextBox* b :
       {&w.txtIdc,       &w.txtIdelta, &w.txtFreq,   &w.txtCurDens, &w.txtLfl,     &w.txtLnl,
        &w.txtTempInput, &w.txtPN,     &w.txtPerm,   &w.txtAL,      &w.txtAe,      &w.txtle,
        &w.txtID,        &w.txtOD,     &w.txtHt,     &w.txtBobbin,  &w.txtTurns,   &w.txtWire,
        &w.txtK,         &w.txtDCR,    &w.txtLOutfl, &w.txtLOutnl,  &w.txtRollOff, &w.txtDim,
        &w.txtPfe,       &w.txtPcu,    &w.txtPtot,   &w.txtTrise}) {
    s += b->text + (b->enabled ? "+" : "-") + std::to_string(b->background.g) + "|";
  }
  for (const std::string* c :
       {&w.lblID, &w.lblOD, &w.lblHt, &w.lblBobbin, &w.lblDim, &w.lblPfe, &w.lblPcu, &w.lblPtot}) {
    s += *c + "|";
  }
  s += std::to_string(w.mnuLfl) + std::to_string(w.mnuSingleLayer) + std::to_string(w.mnuDimEng) +
       std::to_string(w.mnuDimMet) + std::to_string(static_cast<int>(w.material)) +
       std::to_string(w.lstCores_visible) + "|";
  const DesignState& d = w.state;
  for (const int v : {d.CoreIdx, d.DesignMode, d.Strands, d.LoadingDesign, d.StackCount}) {
    s += std::to_string(v) + ",";
  }
  for (const float v : {d.AmbientTemp, d.CuFactor, d.UnitsFactor, d.TotalLoss}) {
    s += std::to_string(v) + ",";
  }
  return s;
}

// The design outputs alone.
std::string Outputs(const WindowModel& w) {
  std::string s;
  for (const TextBox* b : {&w.txtPN, &w.txtAL, &w.txtBobbin, &w.txtTurns, &w.txtWire, &w.txtDCR,
                           &w.txtLOutfl, &w.txtLOutnl, &w.txtDim, &w.txtPtot, &w.txtTrise}) {
    s += b->text + "|";
  }
  return s + std::to_string(w.state.CoreIdx) + "," + std::to_string(w.state.DesignMode);
}

// The record of the start-up settings.
DesignFileRecord Startup() {
  WindowModel w;
  ApplyStartupDefaults(w);
  return RecordFromWindow(w);
}

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
  std::string Put(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    return Path(name);
  }
  void Open(const std::string& path) {
    ui_.open_paths.push_back(path);
    form_.mnuOpen_Click();
  }
  void Save(const std::string& path) {
    ui_.save_paths.push_back(path);
    form_.mnuSaveAs_Click();
  }
  WindowModel& W() { return form_.Model(); }

  fs::path dir_;
  ScriptedUi ui_;
  FrmTov form_{Cores(), ui_};
};

TEST_F(FileHandlers, SaveWritesTheWindowSettingsAndChangesNothing) {
  form_.cmdCalculate_Click();
  ui_.messages.clear();
  const std::string before = Snapshot(W());
  Save(Path("a.tov"));
  ASSERT_EQ(ui_.save_requests.size(), 1u);
  const FileDialogRequest& request = ui_.save_requests[0];
  EXPECT_EQ(request.filter, "All Files (*.*)|*.*|DC Inductor Files (*.tov)|*.tov");
  EXPECT_EQ(request.filter_index, 2);
  EXPECT_EQ(request.default_extension, ".tov");
  EXPECT_TRUE(request.confirm_overwrite);
  EXPECT_EQ(ReadFileBytes(Path("a.tov")), WriteDesignFile(RecordFromWindow(W())));
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(Snapshot(W()), before);
}

TEST_F(FileHandlers, SaveReplacesAnOlderFileAndACancelledSaveIsSilent) {
  const std::string path = Put("old.tov", "an older design\r\n");
  Save(path);
  EXPECT_EQ(ReadFileBytes(path), WriteDesignFile(Startup()));
  ui_.save_paths.push_back(std::nullopt);
  form_.mnuSaveAs_Click();
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1);
}

TEST_F(FileHandlers, AFailedSaveTellsTheUserOnceAndKeepsWhatWasThere) {
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

struct BrokenFile {
  const char* name;
  std::string bytes;  // empty name of bytes: the path is a folder or missing
};

class OpenRefuses : public FileHandlers, public ::testing::WithParamInterface<BrokenFile> {};

std::string WithRecord(DesignFileRecord r, void (*change)(DesignFileRecord&)) {
  change(r);
  return WriteDesignFile(r);
}

TEST_P(OpenRefuses, LeavesTheWindowAsItWasWithOneMessageNamingTheFile) {
  form_.cmdCalculate_Click();
  ui_.messages.clear();
  const std::string before = Snapshot(W());
  std::string path = Path(GetParam().name);
  if (std::string(GetParam().name) == "folder.tov") {
    fs::create_directory(path);
  } else if (std::string(GetParam().name) != "missing.tov") {
    Put(GetParam().name, GetParam().bytes);
  }
  Open(path);
  EXPECT_EQ(Snapshot(W()), before);
  EXPECT_TRUE(ui_.inputs.empty());
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].title, "Open Design");
  EXPECT_NE(ui_.messages[0].text.find(path), std::string::npos);
  EXPECT_NE(ui_.messages[0].text.find("not a readable design file"), std::string::npos);

  // A good file opens normally afterwards.
  Open(Put("good.tov", WriteDesignFile(Startup())));
  EXPECT_EQ(ui_.messages.size(), 1u);
  EXPECT_FALSE(W().txtPN.text.empty());
  EXPECT_EQ(W().state.LoadingDesign, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenRefuses,
    ::testing::Values(
        BrokenFile{"missing.tov", ""}, BrokenFile{"folder.tov", ""},
        BrokenFile{"thirteen.tov",
                   "1\r\n1\r\n\"5\"\r\n\"1\"\r\n\"50\"\r\n\"300\"\r\n\"10\"\r\n\"20\"\r\n"
                   "\"40\"\r\n1\r\n0\r\n45\r\n2\r\n"},
        BrokenFile{"range.tov",
                   "0\r\n0\r\n\"5\"\r\n\"1\"\r\n\"50\"\r\n\"300\"\r\n\"10\"\r\n\"20\"\r\n"
                   "\"40\"\r\n1\r\n0\r\n45\r\n40000\r\n0\r\n"},
        BrokenFile{"othermaterial.tov",
                   WithRecord(Startup(),
                              [](DesignFileRecord& r) {
                                r.DesignMode = 1;
                                r.CoreIdx = 1;  // a Molypermalloy core, file says Velmax
                              })},
        BrokenFile{"keptmaterial.tov", WithRecord(Startup(),
                                                  [](DesignFileRecord& r) {
                                                    r.DesignMode = 1;
                                                    r.CoreIdx = 522;
                                                    r.MaterialCode = 7;  // Velmax stays
                                                  })},
        BrokenFile{"endrow.tov", WithRecord(Startup(),
                                            [](DesignFileRecord& r) {
                                              r.DesignMode = 2;
                                              r.CoreIdx = 521;
                                            })},
        BrokenFile{"outside.tov", WithRecord(Startup(),
                                             [](DesignFileRecord& r) {
                                               r.DesignMode = 1;
                                               r.CoreIdx = 0;
                                             })}),
    [](const auto& info) {
      const std::string name = info.param.name;
      return name.substr(0, name.find('.'));
    });

TEST_F(FileHandlers, ACancelledOpenIsSilentAndAsksWithTheFilterList) {
  const std::string before = Snapshot(W());
  ui_.open_paths.push_back(std::nullopt);
  form_.mnuOpen_Click();
  EXPECT_EQ(Snapshot(W()), before);
  EXPECT_TRUE(ui_.messages.empty());
  ASSERT_EQ(ui_.open_requests.size(), 1u);
  EXPECT_EQ(ui_.open_requests[0].filter, "All Files (*.*)|*.*|DC Inductor Files (*.tov)|*.tov");
  EXPECT_EQ(ui_.open_requests[0].filter_index, 2);
  EXPECT_EQ(ui_.open_requests[0].default_extension, "");
}

TEST_F(FileHandlers, OpenSetsOptionsAsTheFileSaysAndSearchesAfresh) {
  form_.SelectMaterial(Material::HF);
  DesignFileRecord r = Startup();
  r.CoreIdx = 1;  // an automatic design ignores the stored core
  r.MaterialCode = 7;
  r.FullLoadLMax = 5;
  r.AmbientTemp = 45.0f;
  r.StackCount = 2;
  r.Idc = "5";
  Open(Put("a.tov", WriteDesignFile(r)));
  EXPECT_EQ(W().material, Material::HF);
  EXPECT_FALSE(W().mnuLfl);
  EXPECT_FALSE(W().mnuSingleLayer);
  EXPECT_EQ(W().state.AmbientTemp, 45.0f);
  EXPECT_EQ(W().state.CuFactor, 1.09825f);
  EXPECT_EQ(W().state.StackCount, 2);
  EXPECT_EQ(W().txtIdc.text, "5");
  EXPECT_EQ(W().state.DesignMode, 0);
  EXPECT_TRUE(SectionOf(Material::HF).HoldsCore(W().state.CoreIdx) ||
              W().state.CoreIdx == SectionOf(Material::HF).end_row);
  EXPECT_EQ(W().state.LoadingDesign, 0);

  // Opening is over: a material click designs again.
  const std::string before = Outputs(W());
  form_.SelectMaterial(Material::MPP);
  EXPECT_NE(Outputs(W()), before);
}

TEST_F(FileHandlers, AFileSavedAfterPickingACoreReopensOnThatCore) {
  form_.cmdSelCore_Click();
  form_.lstCores_Click(5);
  const std::string picked = Outputs(W());
  ASSERT_EQ(W().state.CoreIdx, 400);
  ASSERT_EQ(W().state.DesignMode, 1);
  Save(Path("picked.tov"));

  form_.SelectMaterial(Material::MPP);
  ASSERT_NE(Outputs(W()), picked);
  Open(Path("picked.tov"));
  EXPECT_EQ(W().material, Material::Velmax);
  EXPECT_EQ(Outputs(W()), picked);
}

TEST_F(FileHandlers, AFileSavedAfterCalculateReopensWithTheSameSearch) {
  form_.SelectMaterial(Material::MPP);
  const std::string found = Outputs(W());
  Save(Path("auto.tov"));
  form_.SelectMaterial(Material::VelmaxE);
  Open(Path("auto.tov"));
  EXPECT_EQ(Outputs(W()), found);
}

TEST_F(FileHandlers, TheMaterialChangeOfAnOpeningStartsNoDesignOfItsOwn) {
  DesignFileRecord r = Startup();
  r.MaterialCode = 1;
  r.Idc = "x";  // every design run asks for it once
  ui_.answers.push_back("10");
  Open(Put("a.tov", WriteDesignFile(r)));
  EXPECT_EQ(ui_.inputs.size(), 1u);
  EXPECT_EQ(W().material, Material::MPP);
  EXPECT_EQ(W().state.LoadingDesign, 0);
}

TEST_F(FileHandlers, PrintSendsTheReportOfTheWindowAndChangesNothing) {
  form_.cmdCalculate_Click();
  const std::string before = Snapshot(W());
  form_.mnuPrint_Click();
  form_.cmdPrint_Click();
  ASSERT_EQ(ui_.printed.size(), 2u);
  const std::vector<std::string> expected = RenderReportText(BuildReport(W()));
  EXPECT_EQ(RenderReportText(ui_.printed[0]), expected);
  EXPECT_EQ(RenderReportText(ui_.printed[1]), expected);
  EXPECT_TRUE(ui_.printed[0].lines[0].bold);
  EXPECT_EQ(Snapshot(W()), before);
}

}  // namespace
}  // namespace tov

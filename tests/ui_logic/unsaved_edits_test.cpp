// Save Design, New Design and the question before unsaved edits are dropped,
// on a small core table and a scripted user.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "io/design_file.h"
#include "support/core_fixture.h"
#include "support/scripted_ui.h"
#include "ui/logic/design_controller.h"

namespace tov {
namespace {

namespace fs = std::filesystem;

CoreTable SmallTable() {
  CoreTable table = testing::EmptyCoreTable();
  testing::PutCore(table, 395, testing::VelmaxAL75());
  for (int row : {1, 250, 252, 393, 396, 520}) testing::PutCore(table, row, {});
  for (int row = 522; row <= 551; ++row) testing::PutCore(table, row, testing::VelmaxECore());
  return table;
}

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class UnsavedEdits : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tov_unsaved_XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
    form_.Startup();
    ui_.messages.clear();
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  WindowModel& W() { return form_.Model(); }
  // Saves as `name` through Save Design As.
  void SaveAs(const std::string& name) {
    ui_.save_paths.push_back(Path(name));
    form_.SaveDesignAs();
    ASSERT_EQ(form_.DesignFile(), Path(name));
  }

  fs::path dir_;
  CoreTable cores_ = SmallTable();
  testing::ScriptedUi ui_;
  DesignController form_{cores_, ui_};
};

struct Change {
  const char* name;
  std::function<void(DesignController&)> apply;
  bool edits;  // whether the file would hold something else
};

// Each input, the material and each option stored in the file is an edit; the
// units, a design run on the same inputs and an edit typed back are none.
TEST_F(UnsavedEdits, OnlyWhatTheFileHoldsCountsAsAnEdit) {
  const Change changes[] = {
      {"DC current", [](DesignController& f) { f.Model().dc_current.text = "12"; }, true},
      {"ripple", [](DesignController& f) { f.Model().ripple_current.text = "3"; }, true},
      {"frequency", [](DesignController& f) { f.Model().frequency.text = "50"; }, true},
      {"density", [](DesignController& f) { f.Model().current_density.text = "500"; }, true},
      {"full load L", [](DesignController& f) { f.Model().full_load_l.text = "90"; }, true},
      {"no load L", [](DesignController& f) { f.Model().no_load_l.text = "160"; }, true},
      {"rise", [](DesignController& f) { f.Model().allowable_rise.text = "40"; }, true},
      {"material", [](DesignController& f) { f.SelectMaterial(Material::MPP); }, true},
      {"full load L max", [](DesignController& f) { f.ToggleFullLoadLMaximum(); }, true},
      {"single layer", [](DesignController& f) { f.Model().single_layer = true; }, true},
      {"ambient", [](DesignController& f) { SetAmbientTemp(f.Model().state, 40.0f); }, true},
      {"stack", [](DesignController& f) { f.Model().state.stack_count = 2; }, true},
      {"picked core", [](DesignController& f) { f.DesignSelectedCore(395); }, true},
      {"millimetres", [](DesignController& f) { f.ShowMillimetres(); }, false},
      {"calculate", [](DesignController& f) { f.Calculate(); }, false},
      {"typed back",
       [](DesignController& f) {
         f.Model().dc_current.text = "11";
         f.Model().dc_current.text = "10";
       },
       false},
  };
  for (const Change& change : changes) {
    SCOPED_TRACE(change.name);
    DesignController form(cores_, ui_);
    form.Startup();
    EXPECT_FALSE(form.HasUnsavedEdits());
    change.apply(form);
    EXPECT_EQ(form.HasUnsavedEdits(), change.edits);
  }
}

TEST_F(UnsavedEdits, SaveWritesTheDesignFileOnceThereIsOne) {
  // Before there is a file, Save asks for a name as Save Design As does.
  W().dc_current.text = "8";
  ui_.save_paths.push_back(Path("choke.tov"));
  form_.SaveDesign();
  ASSERT_EQ(ui_.save_requests.size(), 1u);
  EXPECT_EQ(form_.DesignFile(), Path("choke.tov"));
  EXPECT_FALSE(form_.HasUnsavedEdits());

  // Then it writes that file without a dialog, with what the window holds.
  W().dc_current.text = "9";
  EXPECT_TRUE(form_.HasUnsavedEdits());
  form_.SaveDesign();
  EXPECT_EQ(ui_.save_requests.size(), 1u);
  const DesignFileRead read = ReadDesignFile(Read(Path("choke.tov")));
  ASSERT_TRUE(read.record);
  EXPECT_EQ(read.record->Idc, "9");
  EXPECT_FALSE(form_.HasUnsavedEdits());
  EXPECT_TRUE(ui_.messages.empty());

  // A file that cannot be written is told and the edits stay unsaved.
  fs::remove(Path("choke.tov"));
  fs::create_directory(Path("choke.tov"));
  W().dc_current.text = "7";
  form_.SaveDesign();
  EXPECT_EQ(ui_.MessageTitles(), std::vector<std::string>{"Save Design"});
  EXPECT_TRUE(form_.HasUnsavedEdits());
}

// A file is the same design whatever form its check marks and an automatic
// design's core row take; what it was opened from is not an edit.
TEST_F(UnsavedEdits, AFreshlyOpenedFileHasNoEdits) {
  DesignFileRecord record{.core_row = 1,
                          .design_mode = 0,
                          .Idc = "10",
                          .Idelta = "2",
                          .Freq = "100",
                          .CurDens = "600",
                          .Lfl = "100",
                          .Lnl = "150",
                          .TempInput = "35",
                          .MaterialCode = 3,
                          .FullLoadLMax = 7,
                          .ambient_c = 25.0f,
                          .stack_count = 1,
                          .SingleLayer = 2};
  std::ofstream(Path("odd.tov"), std::ios::binary) << WriteDesignFile(record);
  ASSERT_TRUE(form_.OpenDesign(Path("odd.tov")));
  EXPECT_FALSE(form_.HasUnsavedEdits());
  SetAmbientTemp(W().state, 26.0f);
  EXPECT_TRUE(form_.HasUnsavedEdits());
}

struct Answer {
  const char* name;
  UnsavedEditsAnswer answer;
  std::optional<std::string> save_as;  // the Save As dialog's answer, when asked
  bool opens;
  bool saved;
};

// Open asks first; only a saved or discarded edit lets it go on.
TEST_F(UnsavedEdits, OpenAsksBeforeDroppingEdits) {
  std::ofstream(Path("other.tov"), std::ios::binary) << WriteDesignFile({.Idc = "5",
                                                                         .Idelta = "1",
                                                                         .Freq = "100",
                                                                         .CurDens = "600",
                                                                         .Lfl = "100",
                                                                         .Lnl = "150",
                                                                         .TempInput = "35",
                                                                         .MaterialCode = 3,
                                                                         .FullLoadLMax = 1});
  const Answer answers[] = {
      {"cancel", UnsavedEditsAnswer::Cancel, std::nullopt, false, false},
      {"discard", UnsavedEditsAnswer::Discard, std::nullopt, true, false},
      {"save", UnsavedEditsAnswer::Save, Path("mine.tov"), true, true},
      {"save cancelled", UnsavedEditsAnswer::Save, std::nullopt, false, false},
  };
  for (const Answer& a : answers) {
    SCOPED_TRACE(a.name);
    testing::ScriptedUi ui;
    DesignController form(cores_, ui);
    form.Startup();
    form.Model().dc_current.text = "12";
    ui.unsaved_edits_answers.push_back(a.answer);
    if (a.answer == UnsavedEditsAnswer::Save) ui.save_paths.push_back(a.save_as);
    if (a.opens) ui.open_paths.push_back(Path("other.tov"));
    form.ChooseAndOpenDesign();
    ASSERT_EQ(ui.unsaved_edits_questions.size(), 1u);
    EXPECT_EQ(ui.unsaved_edits_questions[0].title, "Open Design");
    EXPECT_EQ(ui.unsaved_edits_questions[0].text,
              "The design has not been saved.\r\rSave it first?");
    EXPECT_EQ(ui.open_requests.size(), a.opens ? 1u : 0u);
    EXPECT_EQ(form.Model().dc_current.text, a.opens ? "5" : "12");
    EXPECT_EQ(fs::exists(Path("mine.tov")), a.saved);
    if (a.saved) {
      EXPECT_EQ(ReadDesignFile(Read(Path("mine.tov"))).record->Idc, "12");
    }
    fs::remove(Path("mine.tov"));
  }
}

TEST_F(UnsavedEdits, NewDesignStartsOverAfterAsking) {
  SaveAs("choke.tov");
  form_.SelectMaterial(Material::MPP);
  form_.ShowMillimetres();
  W().dc_current.text = "3";
  form_.Calculate();
  ASSERT_TRUE(form_.ShownDesign());

  ui_.unsaved_edits_answers.push_back(UnsavedEditsAnswer::Cancel);
  form_.NewDesign();
  EXPECT_EQ(ui_.unsaved_edits_questions.back().title, "New Design");
  EXPECT_EQ(ui_.unsaved_edits_questions.back().text,
            "The design has been changed since it was saved as\r" + Path("choke.tov") +
                "\r\rSave the changes first?");
  EXPECT_EQ(W().dc_current.text, "3");

  ui_.unsaved_edits_answers.push_back(UnsavedEditsAnswer::Discard);
  form_.NewDesign();
  const WindowModel fresh;
  EXPECT_EQ(W().dc_current.text, fresh.dc_current.text);
  EXPECT_EQ(W().material, fresh.material);
  EXPECT_TRUE(W().full_load_l_max);
  EXPECT_TRUE(W().inches && !W().state.metric);
  EXPECT_EQ(W().core_id_caption, fresh.core_id_caption);
  EXPECT_TRUE(W().part_number.text.empty());
  EXPECT_FALSE(form_.ShownDesign());
  EXPECT_TRUE(form_.DesignFile().empty());
  EXPECT_FALSE(form_.HasUnsavedEdits());

  // Without edits nothing is asked.
  form_.NewDesign();
  EXPECT_EQ(ui_.unsaved_edits_questions.size(), 2u);
}

}  // namespace
}  // namespace tov

// Save Design, New Design and the question before unsaved edits are dropped,
// on a small core table and a scripted user.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "io/design_file.h"
#include "window_fixture.h"

namespace tov {
namespace {

namespace fs = std::filesystem;

class UnsavedEdits : public ::testing::Test {
 protected:
  UnsavedEdits() {
    form_.Startup();
    ui_.messages.clear();
  }
  WindowModel& W() { return form_.Model(); }
  // The DC current of the design file `name`.
  std::string SavedIdc(const std::string& name) const {
    const DesignFileRead read = ReadDesignFile(dir_.Bytes(name));
    return read.record ? read.record->Idc : "no design file";
  }
  // Writes the design file `name`: the start-up inputs of a Velmax design but
  // for what `change` changes.
  void Write(const std::string& name, void (*change)(DesignFileRecord&)) const {
    // Row and mode, the seven input texts, material, Full Load L Maximum.
    DesignFileRecord record{0, 0, "10", "2", "100", "600", "100", "150", "35", 3, 1};
    change(record);
    std::ofstream(dir_.Path(name), std::ios::binary) << WriteDesignFile(record);
  }

  testing::TempFolder dir_;
  CoreTable cores_ = testing::SmallWindowTable();
  testing::ScriptedUi ui_;
  DesignController form_{cores_, ui_};
};

// Each input, the material and each option stored in the file is an edit; the
// units, a design run on the same inputs and an edit typed back are none.
TEST_F(UnsavedEdits, OnlyWhatTheFileHoldsCountsAsAnEdit) {
  const struct {
    const char* name;
    std::function<void(DesignController&)> apply;
    bool edits;
  } changes[] = {
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
  for (const auto& change : changes) {
    SCOPED_TRACE(change.name);
    DesignController form(cores_, ui_);
    form.Startup();
    EXPECT_FALSE(form.HasUnsavedEdits());
    change.apply(form);
    EXPECT_EQ(form.HasUnsavedEdits(), change.edits);
  }
}

// Before there is a file Save asks for a name, then writes that file without
// a dialog; a file that cannot be written is told and the edits stay unsaved.
TEST_F(UnsavedEdits, SaveWritesTheDesignFileOnceThereIsOne) {
  W().dc_current.text = "8";
  ui_.save_paths.push_back(dir_.Path("choke.tov"));
  form_.SaveDesign();
  EXPECT_EQ(form_.DesignFile(), dir_.Path("choke.tov"));
  EXPECT_FALSE(form_.HasUnsavedEdits());
  W().dc_current.text = "9";
  EXPECT_TRUE(form_.HasUnsavedEdits());
  form_.SaveDesign();
  EXPECT_EQ(ui_.save_requests.size(), 1u);
  EXPECT_EQ(SavedIdc("choke.tov"), "9");
  EXPECT_FALSE(form_.HasUnsavedEdits());
  EXPECT_TRUE(ui_.messages.empty());

  fs::remove(dir_.Path("choke.tov"));
  fs::create_directory(dir_.Path("choke.tov"));
  W().dc_current.text = "7";
  form_.SaveDesign();
  EXPECT_EQ(ui_.MessageTitles(), std::vector<std::string>{"Save Design"});
  EXPECT_TRUE(form_.HasUnsavedEdits());
}

// A file is the same design whatever form its check marks and an automatic
// design's core row take; what it was opened from is not an edit.
TEST_F(UnsavedEdits, AFreshlyOpenedFileHasNoEdits) {
  Write("odd.tov", [](DesignFileRecord& r) {
    r.core_row = 1;
    r.FullLoadLMax = 7;
    r.ambient_c = 25.0f;
    r.SingleLayer = 2;
  });
  ASSERT_TRUE(form_.OpenDesign(dir_.Path("odd.tov")));
  EXPECT_FALSE(form_.HasUnsavedEdits());
  SetAmbientTemp(W().state, 26.0f);
  EXPECT_TRUE(form_.HasUnsavedEdits());
}

// Open asks first; only a saved or discarded edit lets it go on.
TEST_F(UnsavedEdits, OpenAsksBeforeDroppingEdits) {
  Write("other.tov", [](DesignFileRecord& r) { r.Idc = "5"; });
  const struct {
    const char* name;
    UnsavedEditsAnswer answer;
    std::optional<std::string> save_as;  // the Save As dialog's answer, when asked
    bool opens;
  } answers[] = {
      {"cancel", UnsavedEditsAnswer::Cancel, std::nullopt, false},
      {"discard", UnsavedEditsAnswer::Discard, std::nullopt, true},
      {"save", UnsavedEditsAnswer::Save, dir_.Path("mine.tov"), true},
      {"save cancelled", UnsavedEditsAnswer::Save, std::nullopt, false},
  };
  for (const auto& a : answers) {
    SCOPED_TRACE(a.name);
    testing::ScriptedUi ui;
    DesignController form(cores_, ui);
    form.Startup();
    form.Model().dc_current.text = "12";
    ui.unsaved_edits_answers.push_back(a.answer);
    if (a.answer == UnsavedEditsAnswer::Save) ui.save_paths.push_back(a.save_as);
    if (a.opens) ui.open_paths.push_back(dir_.Path("other.tov"));
    form.ChooseAndOpenDesign();
    ASSERT_EQ(ui.unsaved_edits_questions.size(), 1u);
    EXPECT_EQ(ui.unsaved_edits_questions[0].title, "Open Design");
    EXPECT_EQ(ui.unsaved_edits_questions[0].text,
              "The design has not been saved.\r\rSave it first?");
    EXPECT_EQ(ui.open_requests.size(), a.opens ? 1u : 0u);
    EXPECT_EQ(form.Model().dc_current.text, a.opens ? "5" : "12");
    EXPECT_EQ(SavedIdc("mine.tov"), a.save_as && a.opens ? "12" : "no design file");
    fs::remove(dir_.Path("mine.tov"));
  }
}

TEST_F(UnsavedEdits, NewDesignStartsOverAfterAsking) {
  ui_.save_paths.push_back(dir_.Path("choke.tov"));
  form_.SaveDesignAs();
  form_.SelectMaterial(Material::MPP);
  form_.ShowMillimetres();
  W().dc_current.text = "3";
  form_.Calculate();
  ASSERT_TRUE(form_.ShownDesign());

  ui_.unsaved_edits_answers = {UnsavedEditsAnswer::Cancel, UnsavedEditsAnswer::Discard};
  form_.NewDesign();
  EXPECT_EQ(ui_.unsaved_edits_questions.back().title, "New Design");
  EXPECT_EQ(ui_.unsaved_edits_questions.back().text,
            "The design has been changed since it was saved as\r" + dir_.Path("choke.tov") +
                "\r\rSave the changes first?");
  EXPECT_EQ(W().dc_current.text, "3");

  form_.NewDesign();
  const WindowModel fresh;
  EXPECT_EQ(W().dc_current.text, fresh.dc_current.text);
  EXPECT_EQ(W().material, fresh.material);
  EXPECT_EQ(W().core_id_caption, fresh.core_id_caption);
  EXPECT_TRUE(W().full_load_l_max && W().inches && !W().state.metric);
  EXPECT_TRUE(W().part_number.text.empty());
  EXPECT_FALSE(form_.ShownDesign());
  EXPECT_TRUE(form_.DesignFile().empty());
  EXPECT_FALSE(form_.HasUnsavedEdits());
  form_.NewDesign();
  EXPECT_EQ(ui_.unsaved_edits_questions.size(), 2u) << "without edits nothing is asked";
}

}  // namespace
}  // namespace tov

// The status bar's texts, and the input edit that marks the design shown as
// out of date until the next design.

#include "ui/logic/status_texts.h"

#include <gtest/gtest.h>

#include <functional>

#include "window_fixture.h"

namespace tov {
namespace {

TEST(StatusTexts, NameTheOptionsInForceAndWhatTheFieldsDoNotSay) {
  const std::string start_up =
      "Ambient 20 \u00b0C | 1 core | Single layer: off | Inches | Full Load L Maximum: on";
  const struct {
    std::function<void(WindowModel&)> change;
    std::string settings;
    const char* notes;
  } rows[] = {
      {[](WindowModel&) {}, start_up, ""},
      {[](WindowModel& w) {
         w.state.ambient_c = 37.5f;
         w.state.stack_count = 3;
         w.single_layer = true;
         w.inches = false;
         w.millimetres = true;
         w.full_load_l_max = false;
       },
       "Ambient 37.5 \u00b0C | 3 cores stacked | Single layer: on | Millimetres | "
       "Full Load L Maximum: off (No Load L sets no ceiling)",
       ""},
      {[](WindowModel& w) { w.notes.no_core_loss_data = true; }, start_up,
       "No loss data for this core grade (core loss 0.0)"},
      {[](WindowModel& w) {
         w.inputs_changed = true;
         w.notes = {true, true, false};
       },
       start_up,
       "Inputs changed since the last design | Inductance at full load is below Full Load L | "
       "No wire fits the window (AWG 43)"},
  };
  for (const auto& row : rows) {
    WindowModel window;
    ApplyStartupDefaults(window);
    row.change(window);
    const StatusTexts texts = ComposeStatus(window);
    EXPECT_EQ(texts.settings, row.settings);
    EXPECT_EQ(texts.notes, row.notes);
  }
}

// One Velmax toroid that fits the start-up inputs.
TEST(StatusTexts, AnEditMarksTheDesignShownUntilTheNextOneOrTooLarge) {
  CoreTable cores = testing::EmptyCoreTable();
  testing::PutCore(cores, 396, {});
  testing::StartUpWindow window(cores);
  DesignController& form = window.form;
  form.InputEdited();
  EXPECT_FALSE(form.Model().inputs_changed) << "no design to be out of date";
  form.Calculate();
  form.InputEdited();
  EXPECT_TRUE(form.Model().inputs_changed);
  form.Calculate();
  EXPECT_FALSE(form.Model().inputs_changed);
  form.InputEdited();
  form.Model().dc_current.text = "400";
  form.Calculate();
  EXPECT_EQ(form.Model().part_number.text, "Too Large");
  EXPECT_FALSE(form.Model().inputs_changed);
}

// The notes follow the design shown, from its numbers: picked cores of the
// shipped database that end below Full Load L, with no loss data (the 550
// grades), or with no wire that fits (a winding thinned past the tables).
TEST(StatusTexts, NotesComeFromTheDesignShown) {
  const struct {
    Material material;
    int16_t row;
    const char *Idc, *CurDens;
    DesignNotes notes;
  } rows[] = {
      {Material::MPP, 128, "10", "600", {.below_full_load_l = true}},  // MP094-060-E: 67.20 uH
      {Material::MPP, 10, "10", "600", {.no_core_loss_data = true}},   // MP014-550-P
      {Material::MPP, 1, "20", "300", {.no_wire_fits = true}},
      {Material::Velmax, 454, "10", "600", {}},  // the start-up design's core
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.row);
    testing::StartUpWindow window;
    window.Model().material = row.material;
    window.Model().dc_current.text = row.Idc;
    window.Model().current_density.text = row.CurDens;
    window.form.DesignSelectedCore(row.row);
    const DesignNotes& notes = window.Model().notes;
    EXPECT_EQ(notes.below_full_load_l, row.notes.below_full_load_l);
    EXPECT_EQ(notes.no_wire_fits, row.notes.no_wire_fits);
    EXPECT_EQ(notes.no_core_loss_data, row.notes.no_core_loss_data);
  }
}

}  // namespace
}  // namespace tov

#pragma once
// A main window over a small core table, driven by a scripted user.

#include <gtest/gtest.h>

#include "support/core_fixture.h"
#include "support/scripted_ui.h"
#include "ui/logic/frm_tov.h"

namespace tov::testing {

// Velmax toroids: AL 75 at row 395 (over the no-load ceiling of the start-up
// inputs, fine without it) and AL 135 at row 396. Every other section holds a
// core in its first and last row.
inline CoreTable WindowTestTable() {
  CoreTable table = EmptyCoreTable();
  PutCore(table, 395, VelmaxAL75());
  PutCore(table, 396, VelmaxAL135());
  for (Material m : {Material::MPP, Material::HF}) {
    PutCore(table, SectionOf(m).first_row, VelmaxAL135());
    PutCore(table, SectionOf(m).last_core_row, VelmaxAL135());
  }
  PutCore(table, SectionOf(Material::Velmax).last_core_row, VelmaxAL135());
  for (int row = 522; row <= 551; ++row) PutCore(table, row, VelmaxECore());
  return table;
}

class FrmTovTest : public ::testing::Test {
 protected:
  FrmTovTest() : cores_(WindowTestTable()), form_(cores_, ui_) { ApplyStartupDefaults(Window()); }

  WindowModel& Window() { return form_.Model(); }
  DesignState& State() { return form_.Model().state; }

  CoreTable cores_;
  ScriptedUi ui_;
  FrmTov form_;
};

}  // namespace tov::testing

// File > Export MAS... and File > Import MAS... of the main window, driven by
// a scripted user.

#include "ui/logic/mas_exchange.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "state/message_titles.h"
#include "ui/logic/window_fields.h"
#include "window_fixture.h"

namespace tov {
namespace {

std::string Inputs(const DesignController& form) {
  std::string texts;
  for (const InputField& field : kInputFields) texts += (form.Model().*field.box).text + " ";
  return texts;
}

// What the scripted user was told last; empty when nothing was said.
std::string Said(const testing::ScriptedUi& ui) {
  return ui.messages.empty() ? std::string() : ui.messages.back().text;
}

class MasExchangeTest : public ::testing::Test {
 protected:
  testing::TempFolder dir_;
  testing::StartUpWindow window_;
  testing::ScriptedUi& ui_ = window_.ui;
  DesignController& form_ = window_.form;
};

TEST_F(MasExchangeTest, ExportsTheDesignShownAndImportsItIntoAnotherWindow) {
  form_.Calculate();
  ASSERT_TRUE(form_.ShownDesign());
  ui_.messages.clear();
  ui_.save_paths.push_back(dir_.Path("choke.json"));
  ExportMasFile(form_);
  EXPECT_TRUE(ui_.messages.empty());
  ASSERT_EQ(ui_.save_requests.size(), 1u);
  EXPECT_EQ(ui_.save_requests[0].title, kExportMasTitle);
  EXPECT_TRUE(ui_.save_requests[0].confirm_overwrite);
  EXPECT_EQ(dir_.Bytes("choke.json"), ShownDesignMas(form_).text);

  testing::StartUpWindow other;
  other.Model().dc_current.text = "5";
  other.Model().current_density.text = "450";
  other.form.Calculate();
  other.ui.messages.clear();
  other.ui.open_paths.push_back(dir_.Path("choke.json"));
  ImportMasFile(other.form);
  EXPECT_EQ(Inputs(other.form), "10 2 100 450 100 150 35 ");  // the current density stays
  EXPECT_TRUE(other.Model().inputs_changed);
  EXPECT_EQ(other.ui.MessageTitles(), std::vector<std::string>{kImportMasTitle});
  for (const char* part : {"DC Current (A): 10\r", "Temperature Rise: 35\r",
                           "Kept as they were: Current Density (A/sq cm)."}) {
    EXPECT_NE(Said(other.ui).find(part), std::string::npos) << Said(other.ui);
  }
}

// No design, a design out of date, a cancelled dialog or a file that cannot
// be written: the user is told why (no dialog for a document that cannot be
// made) and no file is left.
TEST_F(MasExchangeTest, ExportSaysWhyThereIsNothingToWrite) {
  ExportMasFile(form_);
  EXPECT_NE(Said(ui_).find("No design is shown"), std::string::npos);
  form_.Calculate();
  form_.Model().dc_current.text = "12";
  form_.InputEdited();
  ExportMasFile(form_);
  EXPECT_NE(Said(ui_).find("calculate the design again"), std::string::npos);
  EXPECT_TRUE(ui_.save_requests.empty());

  form_.Calculate();
  ui_.messages.clear();
  ui_.save_paths.push_back(std::nullopt);
  ExportMasFile(form_);
  EXPECT_TRUE(ui_.messages.empty());
  std::filesystem::create_directory(dir_.Path("folder.json"));
  ui_.save_paths.push_back(dir_.Path("folder.json"));
  ExportMasFile(form_);
  EXPECT_NE(Said(ui_).find("could not be written"), std::string::npos);
  EXPECT_EQ(ui_.messages.size(), 1u);
  EXPECT_TRUE(std::filesystem::is_directory(dir_.Path("folder.json")));
}

TEST_F(MasExchangeTest, ARefusedImportSaysWhyAndChangesNothing) {
  std::ofstream(dir_.Path("two.json")) << R"({"inputs": {"operatingPoints": [{}, {}]}})";
  const std::string before = Inputs(form_);
  for (const std::string& path : {dir_.Path("two.json"), dir_.Path("missing.json")}) {
    ui_.messages.clear();
    ui_.open_paths.push_back(path);
    ImportMasFile(form_);
    EXPECT_EQ(ui_.messages.size(), 1u);
    EXPECT_NE(Said(ui_).find("The inputs have not been changed."), std::string::npos);
  }
  EXPECT_NE(Said(ui_).find("cannot be read"), std::string::npos);
  EXPECT_EQ(Inputs(form_), before);
  EXPECT_FALSE(form_.Model().inputs_changed);
  ui_.open_paths.push_back(std::nullopt);
  ImportMasFile(form_);
  EXPECT_EQ(Inputs(form_), before);
}

}  // namespace
}  // namespace tov

// File > Export MAS... and File > Import MAS... of the main window, driven by
// a scripted user.

#include "ui/logic/mas_exchange.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "state/message_titles.h"
#include "support/random_designs.h"
#include "support/scripted_ui.h"
#include "ui/logic/design_controller.h"
#include "ui/logic/window_fields.h"

namespace tov {
namespace {

namespace fs = std::filesystem;

class MasExchangeTest : public ::testing::Test {
 protected:
  MasExchangeTest() {
    ApplyStartupDefaults(form_.Model());
    fs::create_directories(dir_);
  }
  ~MasExchangeTest() override { fs::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  std::string Read(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static std::string Inputs(const DesignController& form) {
    std::string texts;
    for (const InputField& field : kInputFields) texts += (form.Model().*field.box).text + " ";
    return texts;
  }

  fs::path dir_ = fs::temp_directory_path() / ("mas_exchange." + std::to_string(getpid()));
  testing::ScriptedUi ui_;
  DesignController form_{testing::ShippedCores(), ui_};
};

TEST_F(MasExchangeTest, ExportsTheDesignShownAndImportsItIntoAnotherWindow) {
  form_.Calculate();
  ASSERT_TRUE(form_.ShownDesign());
  ui_.messages.clear();
  ui_.save_paths.push_back(Path("choke.json"));
  ExportMasFile(form_);
  EXPECT_TRUE(ui_.messages.empty());
  ASSERT_EQ(ui_.save_requests.size(), 1u);
  EXPECT_EQ(ui_.save_requests[0].title, kExportMasTitle);
  EXPECT_TRUE(ui_.save_requests[0].confirm_overwrite);
  EXPECT_EQ(Read(Path("choke.json")), ShownDesignMas(form_).text);

  testing::ScriptedUi other_ui;
  DesignController other(testing::ShippedCores(), other_ui);
  ApplyStartupDefaults(other.Model());
  other.Model().dc_current.text = "5";
  other.Model().current_density.text = "450";
  other.Calculate();
  other_ui.messages.clear();
  other_ui.open_paths.push_back(Path("choke.json"));
  ImportMasFile(other);
  EXPECT_EQ(Inputs(other), "10 2 100 450 100 150 35 ");  // the current density stays
  EXPECT_TRUE(other.Model().inputs_changed);
  ASSERT_EQ(other_ui.messages.size(), 1u);
  EXPECT_EQ(other_ui.messages[0].title, kImportMasTitle);
  const std::string& said = other_ui.messages[0].text;
  EXPECT_NE(said.find("DC Current (A): 10\r"), std::string::npos) << said;
  EXPECT_NE(said.find("Temperature Rise: 35\r"), std::string::npos) << said;
  EXPECT_NE(said.find("Kept as they were: Current Density (A/sq cm)."), std::string::npos);
}

TEST_F(MasExchangeTest, ExportSaysWhyThereIsNothingToWrite) {
  ExportMasFile(form_);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].text.find("No design is shown"), std::string::npos);

  form_.Calculate();
  form_.Model().dc_current.text = "12";
  form_.InputEdited();
  ui_.messages.clear();
  ExportMasFile(form_);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].text.find("calculate the design again"), std::string::npos);
  EXPECT_TRUE(ui_.save_requests.empty());  // no dialog for a document that cannot be made
}

TEST_F(MasExchangeTest, AFailedOrCancelledExportLeavesNoFile) {
  form_.Calculate();
  ui_.messages.clear();
  ui_.save_paths.push_back(std::nullopt);
  ExportMasFile(form_);
  EXPECT_TRUE(ui_.messages.empty());
  fs::create_directory(Path("folder.json"));
  ui_.save_paths.push_back(Path("folder.json"));
  ExportMasFile(form_);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].text.find("could not be written"), std::string::npos);
  EXPECT_TRUE(fs::is_directory(Path("folder.json")));
}

TEST_F(MasExchangeTest, ARefusedImportSaysWhyAndChangesNothing) {
  std::ofstream(Path("two.json")) << R"({"inputs": {"operatingPoints": [{}, {}]}})";
  const std::string before = Inputs(form_);
  for (const std::string& path : {Path("two.json"), Path("missing.json")}) {
    ui_.messages.clear();
    ui_.open_paths.push_back(path);
    ImportMasFile(form_);
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_NE(ui_.messages[0].text.find("The inputs have not been changed."), std::string::npos);
  }
  EXPECT_NE(ui_.messages[0].text.find("cannot be read"), std::string::npos);
  EXPECT_EQ(Inputs(form_), before);
  EXPECT_FALSE(form_.Model().inputs_changed);
  ui_.open_paths.push_back(std::nullopt);
  ImportMasFile(form_);
  EXPECT_EQ(Inputs(form_), before);
}

}  // namespace
}  // namespace tov

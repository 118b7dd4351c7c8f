#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "frm_tov_fixture.h"

namespace tov {
namespace {

using testing::FrmTovTest;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '\r')
      lines.emplace_back();
    else
      lines.back() += c;
  }
  return lines;
}

TEST(StartupTest, DisclaimerComesBeforeTheDefaults) {
  const CoreTable cores = testing::WindowTestTable();
  testing::ScriptedUi ui;
  FrmTov form(cores, ui);
  form.Model().state.StackCount = 3;
  form.Startup();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "***CORVANE Disclaimer***");
  EXPECT_TRUE(std::regex_search(ui.messages[0].text, std::regex("prototype")));
  EXPECT_TRUE(std::regex_search(ui.messages[0].text, std::regex("555-\\d{4}\\.?$")));
  EXPECT_TRUE(form.Model().mnuLfl);
  EXPECT_EQ(form.Model().state.StackCount, 1);
  EXPECT_TRUE(form.Model().txtPN.text.empty());  // no design at start
}

TEST_F(FrmTovTest, AboutHasThreeLinesTheMiddleEmpty) {
  form_.mnuAbout_Click();
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].title, "About Inductor Design Using Powder Cores");
  const auto lines = Lines(ui_.messages[0].text);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Corvane Inductor Design Using Powder Cores");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "Version 1.0");
}

TEST_F(FrmTovTest, ContactHasFiveLinesWithTheirInnerBlanks) {
  form_.mnuContact_Click();
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].title, "Contacting Corvane");
  const auto lines = Lines(ui_.messages[0].text);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "Contact CORVANE Applications Engineering and Sales at:");
  EXPECT_EQ(lines[1], "");
  EXPECT_TRUE(std::regex_match(lines[2], std::regex("Phone: \\S.*555.*")));
  EXPECT_TRUE(std::regex_match(lines[3], std::regex("Fax: {6}\\S.*555.*")));
  EXPECT_TRUE(std::regex_match(lines[4], std::regex("Email: {3}\\S+@example\\.com")));
}

TEST_F(FrmTovTest, HelpOpensContentsAndIndex) {
  form_.mnuContents_Click();
  form_.mnuIndex_Click();
  EXPECT_EQ(ui_.help, (std::vector<HelpRequest>{HelpRequest::Contents, HelpRequest::Index}));
  EXPECT_TRUE(ui_.messages.empty());
}

}  // namespace
}  // namespace tov

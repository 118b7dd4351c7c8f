// Full-text search over help pages: which pages a query finds, in which order,
// and the passage it shows for each.

#include "ui/logic/help_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tov {
namespace {

const std::vector<HelpPageText> kPages = {
    {"core.html", "Core saturation", "A powder core saturates softly. Saturation limits the bias."},
    {"bias.html", "DC bias", "The bias current lowers the permeability; the peak current sets H."},
    {"wire.html", "Wire", "Copper loss rises with the current squared. \u00b5 is not used here."},
    {"empty.html", "Empty", ""},
    {"winding.html", "Winding", "Core after core, the core of every core."},
};

std::vector<std::string> Found(std::string_view query) {
  std::vector<std::string> pages;
  for (const HelpMatch& match : SearchHelp(kPages, query)) pages.push_back(match.page);
  return pages;
}

TEST(HelpSearch, FindsThePagesHoldingEveryWordBestFirst) {
  const struct {
    const char* query;
    std::vector<std::string> pages;
  } cases[] = {
      {"saturation", {"core.html"}},
      {"SATUR", {"core.html"}},                 // the start of a word, any case
      {"ration", {}},                           // not the inside of a word
      {"bias", {"bias.html", "core.html"}},     // in the title first
      {"core", {"core.html", "winding.html"}},  // in the title before four hits
      {"current", {"bias.html", "wire.html"}},  // two hits before one
      {"peak current", {"bias.html"}},          // every word
      {"peak copper", {}},
      {"  copper\tloss ", {"wire.html"}},
      {"\u00b5", {"wire.html"}},
      {"", {}},
      {"   ", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Found(c.query), c.pages) << "\"" << c.query << "\"";
}

TEST(HelpSearch, ShowsThePassageOfTheFirstMatchCutAtBlanks) {
  HelpPageText long_page{"long.html", "Long", ""};
  // Words of 13 letters, so that 60 bytes before the match fall inside one.
  for (int i = 10; i < 50; ++i) long_page.text += "fillerwords" + std::to_string(i) + " \n ";
  long_page.text += "the saturation point";
  for (int i = 0; i < 40; ++i) long_page.text += " tail" + std::to_string(i);
  const std::vector<HelpMatch> found = SearchHelp({long_page}, "saturation");
  ASSERT_EQ(found.size(), 1u);
  const std::string& excerpt = found[0].excerpt;
  EXPECT_EQ(excerpt.substr(0, 14), "...fillerwords") << "cut at a blank";
  EXPECT_EQ(excerpt.substr(excerpt.size() - 3), "...");
  EXPECT_NE(excerpt.find("fillerwords49 the saturation point tail0"), std::string::npos) << excerpt;
  EXPECT_EQ(excerpt.find("  "), std::string::npos) << "blanks made single spaces";
  EXPECT_EQ(excerpt.find('\n'), std::string::npos);
  EXPECT_LT(excerpt.size(), 200u);
  EXPECT_EQ(found[0].hits, 1);
  EXPECT_EQ(SearchHelp(kPages, "copper")[0].excerpt, kPages[2].text) << "a short page whole";

  // Without blanks the cut falls between characters, never inside one.
  std::string dense;
  for (int i = 0; i < 100; ++i) dense += "\u00b5-";
  const HelpPageText blank_free{"dense.html", "Dense", dense + "saturation-" + dense};
  const std::string cut = SearchHelp({blank_free}, "saturation").at(0).excerpt;
  EXPECT_LT(cut.size(), 200u);
  EXPECT_NE(cut.find("-saturation-"), std::string::npos);
  // Whole characters only: a continuation byte right after each lead byte
  // of the \u00b5 and nowhere else.
  for (std::size_t i = 0; i < cut.size(); ++i) {
    const bool continuation = (static_cast<unsigned char>(cut[i]) & 0xC0) == 0x80;
    EXPECT_EQ(continuation, i > 0 && cut[i - 1] == '\xC2') << i;
  }
  EXPECT_NE(cut.back(), '\xC2');
}

}  // namespace
}  // namespace tov

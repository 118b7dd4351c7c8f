#pragma once
// Full-text search over the help pages: the pages that hold every word of a
// query, best first, each with an excerpt around its first match.

#include <string>
#include <string_view>
#include <vector>

namespace tov {

// A help page as plain text (UTF-8).
struct HelpPageText {
  std::string page;   // "model.html"
  std::string title;  // "The engineering model"
  std::string text;   // the page's text without markup
};

struct HelpMatch {
  std::string page;
  std::string title;
  std::string excerpt;  // the text around the first match, "..." where cut
  int hits = 0;         // matches of the query's words in title and text
};

// The pages whose title or text holds every word of `query` (words split at
// blanks; each must start a word of the page: "satur" finds "saturation",
// "ration" does not; ASCII letters in either case). Pages with every word in
// the title first, then by hits, then by title. Nothing for a query without
// words.
std::vector<HelpMatch> SearchHelp(const std::vector<HelpPageText>& pages, std::string_view query);

}  // namespace tov

#include "ui/logic/help_search.h"

#include <algorithm>
#include <cstddef>
#include <tuple>

namespace tov {
namespace {

// Bytes of text shown before and after the first match.
constexpr std::size_t kExcerptBefore = 60;
constexpr std::size_t kExcerptAfter = 100;

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(), Lower);
  return lowered;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// A letter or digit of a word: ASCII ones and every byte of a UTF-8 sequence.
bool InWord(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u >= 0x80;
}

std::vector<std::string> Words(std::string_view query) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < query.size()) {
    while (i < query.size() && IsBlank(query[i])) ++i;
    const std::size_t start = i;
    while (i < query.size() && !IsBlank(query[i])) ++i;
    if (i > start) words.push_back(Lowered(query.substr(start, i - start)));
  }
  return words;
}

// Positions in `lowered` where `word` starts a word (lower-case both).
std::vector<std::size_t> WordStarts(const std::string& lowered, const std::string& word) {
  std::vector<std::size_t> at;
  for (std::size_t p = lowered.find(word); p != std::string::npos; p = lowered.find(word, p + 1)) {
    if (p == 0 || !InWord(lowered[p - 1]) || !InWord(word.front())) at.push_back(p);
  }
  return at;
}

// Moves `p` back to the start of a UTF-8 sequence.
std::size_t CharStart(const std::string& text, std::size_t p) {
  while (p > 0 && p < text.size() && (static_cast<unsigned char>(text[p]) & 0xC0) == 0x80) --p;
  return p;
}

// The text around byte `at`, its blanks made single spaces, cut at blanks.
std::string Excerpt(const std::string& text, std::size_t at) {
  std::size_t from = at - std::min(at, kExcerptBefore);
  std::size_t to = std::min(text.size(), at + kExcerptAfter);
  if (from > 0) {
    const std::size_t blank = text.find_first_of(" \t\n", from);
    from = blank != std::string::npos && blank < at ? blank + 1 : CharStart(text, from);
  }
  if (to < text.size()) {
    const std::size_t blank = text.find_last_of(" \t\n", to);
    to = blank != std::string::npos && blank > at ? blank : CharStart(text, to);
  }
  std::string excerpt = from > 0 ? "..." : "";
  bool blank = false;
  for (std::size_t i = from; i < to; ++i) {
    if (IsBlank(text[i])) {
      blank = true;
      continue;
    }
    if (blank && excerpt.size() > (from > 0 ? 3u : 0u)) excerpt += ' ';
    blank = false;
    excerpt += text[i];
  }
  if (to < text.size()) excerpt += "...";
  return excerpt;
}

}  // namespace

std::vector<HelpMatch> SearchHelp(const std::vector<HelpPageText>& pages, std::string_view query) {
  const std::vector<std::string> words = Words(query);
  std::vector<std::pair<bool, HelpMatch>> found;  // every word in the title, the match
  if (words.empty()) return {};
  for (const HelpPageText& page : pages) {
    const std::string title = Lowered(page.title), text = Lowered(page.text);
    HelpMatch match{page.page, page.title, {}, 0};
    bool all_in_title = true;
    std::size_t first_in_text = std::string::npos;
    bool every_word = true;
    for (const std::string& word : words) {
      const auto in_title = WordStarts(title, word), in_text = WordStarts(text, word);
      if (in_title.empty() && in_text.empty()) {
        every_word = false;
        break;
      }
      all_in_title = all_in_title && !in_title.empty();
      match.hits += static_cast<int>(in_title.size() + in_text.size());
      if (!in_text.empty()) first_in_text = std::min(first_in_text, in_text.front());
    }
    if (!every_word) continue;
    match.excerpt = first_in_text == std::string::npos ? Excerpt(page.text, 0)
                                                       : Excerpt(page.text, first_in_text);
    found.emplace_back(all_in_title, std::move(match));
  }
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    return std::forward_as_tuple(b.first, b.second.hits, a.second.title) <
           std::forward_as_tuple(a.first, a.second.hits, b.second.title);
  });
  std::vector<HelpMatch> matches;
  for (auto& [in_title, match] : found) matches.push_back(std::move(match));
  return matches;
}

}  // namespace tov

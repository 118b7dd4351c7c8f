#pragma once
// What every fuzz target counts as a failure besides a crash, a hang or a
// sanitizer report: a number text the user would see as "nan" or "inf".

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tov::fuzz {

inline bool ShowsNonFinite(std::string_view text) {
  for (std::size_t i = 0; i + 3 <= text.size(); ++i) {
    char word[3];
    for (std::size_t k = 0; k < 3; ++k) word[k] = static_cast<char>(text[i + k] | 0x20);
    if (std::string_view(word, 3) == "nan" || std::string_view(word, 3) == "inf") return true;
  }
  return false;
}

[[noreturn]] inline void Fail(std::string_view what, std::string_view text) {
  std::fprintf(stderr, "FUZZ FAILURE: %.*s: [%.*s]\n", static_cast<int>(what.size()), what.data(),
               static_cast<int>(text.size()), text.data());
  std::abort();
}

inline void ExpectFinite(std::string_view what, std::string_view text) {
  if (ShowsNonFinite(text)) Fail(what, text);
}

}  // namespace tov::fuzz

// check_candidates: runs the agreement check of the candidate table with
// Calculate on random requests and reports every request that disagrees.
// Usage: check_candidates [--count N] [--seed S] [--coredat PATH]
// Exit status: 0 all agree, 1 some disagree, 2 usage error or no core database.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "candidates_check/candidates_check.h"
#include "state/core_table_loader.h"

int main(int argc, char** argv) {
  long count = 10000;
  unsigned long long seed = 1;
  std::string coredat = "data/coredat";
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    char* end = nullptr;
    if (arg == "--count" && value) {
      count = std::strtol(value, &end, 10);
    } else if (arg == "--seed" && value) {
      seed = std::strtoull(value, &end, 10);
    } else if (arg == "--coredat" && value) {
      coredat = value;
    } else {
      std::fprintf(stderr, "usage: check_candidates [--count N] [--seed S] [--coredat PATH]\n");
      return 2;
    }
    if (end && *end != '\0') {
      std::fprintf(stderr, "check_candidates: %s takes a number, not \"%s\"\n", argv[i], value);
      return 2;
    }
    ++i;
  }
  const tov::CoreTableLoad load = tov::LoadCoreTable(coredat);
  if (!load.table) {
    std::fprintf(stderr, "check_candidates: %s: %s\n", coredat.c_str(), load.error.c_str());
    return 2;
  }

  std::mt19937_64 rng(seed);
  long disagreements = 0;
  for (long n = 0; n < count; ++n) {
    const tov::DesignRequest request = tov::check::RandomRequest(rng);
    if (const auto failure = tov::check::CheckAgainstSearch(request, *load.table)) {
      if (++disagreements <= 20) {
        std::printf("request %ld (%s): %s\n", n, tov::check::Describe(request).c_str(),
                    failure->c_str());
      }
    }
  }
  std::printf("%ld requests (seed %llu), %ld disagree with Calculate\n", count, seed,
              disagreements);
  return disagreements == 0 ? 0 : 1;
}

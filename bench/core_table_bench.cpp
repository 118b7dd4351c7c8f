// Speed of loading the core database the program ships with, as start-up does.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "state/core_table_loader.h"

namespace tov {
namespace {

void BM_LoadCoreTable(benchmark::State& state) {
  const std::filesystem::path file =
      std::filesystem::read_symlink("/proc/self/exe").parent_path() / kCoreDatabaseName;
  for (auto _ : state) {
    CoreTableLoad load = LoadCoreTable(file);
    if (!load.table) {
      state.SkipWithError(load.error.c_str());
      return;
    }
    benchmark::DoNotOptimize(load);
  }
}
BENCHMARK(BM_LoadCoreTable)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tov

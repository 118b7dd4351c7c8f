// Speed of comparing every core: all four materials on one to five stacked
// cores (about 2,600 rows judged as the search judges them), alone and as
// the "Compare Cores" window builds its lines.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "engines/candidates.h"
#include "state/core_table_loader.h"
#include "ui/logic/candidate_rows.h"

namespace tov {
namespace {

const CoreTable* ShippedCores() {
  static const CoreTableLoad load = LoadCoreTable(
      std::filesystem::read_symlink("/proc/self/exe").parent_path() / kCoreDatabaseName);
  return load.table ? &*load.table : nullptr;
}

CandidateScope EveryMaterialAndStack() {
  CandidateScope scope;
  scope.stacks = {1, 2, 3, 4, 5};
  return scope;
}

// The start-up inputs.
void BM_CandidatesAllMaterialsFiveStacks(benchmark::State& state) {
  const CoreTable* cores = ShippedCores();
  if (!cores) return state.SkipWithError("coredat not found beside the benchmark");
  const CandidateScope scope = EveryMaterialAndStack();
  std::size_t rows = 0;
  for (auto _ : state) {
    const CandidateSet set = EvaluateCandidates(DesignRequest{}, *cores, scope);
    rows = set.candidates.size();
    benchmark::DoNotOptimize(rows);
  }
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_CandidatesAllMaterialsFiveStacks)->Unit(benchmark::kMillisecond);

// The same as the "Compare Cores" window gets its lines (texts are formatted
// only for the cells it shows).
void BM_CompareTableLines(benchmark::State& state) {
  const CoreTable* cores = ShippedCores();
  if (!cores) return state.SkipWithError("coredat not found beside the benchmark");
  const CandidateScope scope = EveryMaterialAndStack();
  for (auto _ : state) {
    CandidateSet set = EvaluateCandidates(DesignRequest{}, *cores, scope);
    const auto rows = CandidateRows(std::move(set.candidates), Material::Velmax, 1, true);
    benchmark::DoNotOptimize(rows.data());
  }
}
BENCHMARK(BM_CompareTableLines)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tov

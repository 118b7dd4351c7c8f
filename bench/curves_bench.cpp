// Speed of the curves of a design: all four, as the Curves window, the PDF
// export and tovcalc --curve compute them.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "engines/automatic_selection.h"
#include "engines/curves.h"
#include "state/core_table_loader.h"

namespace tov {
namespace {

// The start-up inputs on Molypermalloy, whose section holds the most
// permeabilities (ten lines of permeability against field).
void BM_DesignCurves(benchmark::State& state) {
  const CoreTableLoad load = LoadCoreTable(
      std::filesystem::read_symlink("/proc/self/exe").parent_path() / kCoreDatabaseName);
  if (!load.table) {
    state.SkipWithError("coredat not found beside the benchmark");
    return;
  }
  DesignRequest request;
  request.material = Material::MPP;
  const auto design = SearchCores(request, *load.table).design;
  if (!design) {
    state.SkipWithError("no design");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(DesignCurves(*design, *load.table));
  }
}
BENCHMARK(BM_DesignCurves);

}  // namespace
}  // namespace tov

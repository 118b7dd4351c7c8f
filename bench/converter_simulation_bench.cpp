// Speed of one converter simulation: the choke of the 36..60 V to 12 V buck
// at 10 A (32 uH, 30 % ripple) built, put in its converter and run in
// ngspice. It should take well under 3 s.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "engines/automatic_selection.h"
#include "engines/converter.h"
#include "engines/spice_model.h"
#include "io/converter_deck.h"
#include "io/ngspice_run.h"
#include "state/core_table_loader.h"

namespace tov {
namespace {

void SimulateBuck(benchmark::State& state) {
  const std::filesystem::path dir = std::filesystem::read_symlink("/proc/self/exe").parent_path();
  const CoreTableLoad load = LoadCoreTable(dir / kCoreDatabaseName);
  if (!load.table || !NgspiceInstalled()) {
    state.SkipWithError("coredat beside the benchmark and ngspice are needed");
    return;
  }
  ConverterRequest r;
  r.topology = Topology::Buck;
  r.vin_min = 36;
  r.vin_max = 60;
  r.vout = 12;
  r.iout = 10;
  r.fsw_khz = 100;
  r.ripple_percent = 30;
  const ConverterDesign converter = *DesignConverter(r).design;
  DesignRequest q;
  q.material = Material::MPP;
  q.dc_current_a = converter.idc;
  q.ripple_a = converter.ripple_pp;
  q.frequency_khz = r.fsw_khz;
  q.full_load_l_uh = converter.inductance_uh;
  q.no_load_l_uh = 2 * converter.inductance_uh;
  const std::optional<DesignResult> choke = SearchCores(q, *load.table).design;
  if (!choke) {
    state.SkipWithError("no choke designed");
    return;
  }
  for (auto _ : state) {
    const std::optional<ConverterDeck> deck =
        BuildConverterDeck(*BuildSpiceModel(*choke), r, converter);
    const NgspiceRun run = RunNgspice(deck->text, 60);
    if (!run.finished) state.SkipWithError(run.error.c_str());
    benchmark::DoNotOptimize(run.output.size());
  }
}
BENCHMARK(SimulateBuck)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
}  // namespace tov

// Speed of a whole Calculate on the shipped core database: the usual
// start-up design, and the worst case that walks a whole section.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "silent_ui.h"
#include "state/core_table_loader.h"
#include "ui/logic/design_controller.h"

namespace tov {
namespace {

// The database beside the benchmark, as the program finds it beside itself.
const CoreTable& Cores() {
  static const CoreTableLoad load = LoadCoreTable(
      std::filesystem::read_symlink("/proc/self/exe").parent_path() / kCoreDatabaseName);
  static const CoreTable empty;
  return load.table ? *load.table : empty;
}

// The design inputs of one benchmark: the window's texts.
struct Inputs {
  std::string_view Idc_A = "10", dI_A = "2", Lfl_uH = "100", Lnl_uH = "150", rise_degC = "35";
};

void RunCalculate(benchmark::State& state, Material material, const Inputs& in) {
  if (!std::filesystem::exists(std::filesystem::read_symlink("/proc/self/exe").parent_path() /
                               kCoreDatabaseName)) {
    state.SkipWithError("coredat not found beside the benchmark");
    return;
  }
  SilentUi ui;
  DesignController form(Cores(), ui);
  WindowModel& window = form.Model();
  ApplyStartupDefaults(window);
  window.material = material;
  window.dc_current.text = in.Idc_A;
  window.ripple_current.text = in.dI_A;
  window.full_load_l.text = in.Lfl_uH;
  window.no_load_l.text = in.Lnl_uH;
  window.allowable_rise.text = in.rise_degC;
  for (auto _ : state) {
    form.Calculate();
    benchmark::DoNotOptimize(window.state.core_row);
  }
}

void BM_CalculateStartup(benchmark::State& state) {
  RunCalculate(state, Material::Velmax, {});
}
BENCHMARK(BM_CalculateStartup);

// 1 mH at 0.1 A and a temperature rise no core can keep to: the search starts
// at the first Molypermalloy row (the longest section), solves the turns and
// winds and heats every core on its way, and ends at the end row. Of the
// requirements no core meets, this kind walks furthest and trims longest.
void BM_CalculateWholeSection(benchmark::State& state) {
  RunCalculate(
      state, Material::MPP,
      {.Idc_A = "0.1", .dI_A = "0.02", .Lfl_uH = "1000", .Lnl_uH = "1500", .rise_degC = "1e-9"});
}
BENCHMARK(BM_CalculateWholeSection);

}  // namespace
}  // namespace tov

// Speed of a whole Calculate on the shipped core database: the usual
// start-up design, and the worst case that walks a whole section.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "engines/automatic_selection.h"
#include "state/core_table_loader.h"

namespace tov {
namespace {

// A user who closes every box at once.
class SilentUi : public UserInterface {
 public:
  void ShowMessage(std::string_view, std::string_view) override {}
  std::string AskInput(std::string_view, std::string_view, std::string_view answer) override {
    return std::string(answer);
  }
  std::optional<std::string> ChooseOpenFile(const FileDialogRequest&) override { return {}; }
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest&) override { return {}; }
  void PrintReport(const ReportDocument&) override {}
  void ShowHelp(HelpRequest) override {}
};

// The database beside the benchmark, as the program finds it beside itself.
const CoreTable& Cores() {
  static const CoreTableLoad load = LoadCoreTable(
      std::filesystem::read_symlink("/proc/self/exe").parent_path() / kCoreDatabaseName);
  static const CoreTable empty;
  return load.table ? *load.table : empty;
}

void RunCalculate(benchmark::State& state, Material material, std::string_view rise_degC) {
  if (!std::filesystem::exists(std::filesystem::read_symlink("/proc/self/exe").parent_path() /
                               kCoreDatabaseName)) {
    state.SkipWithError("coredat not found beside the benchmark");
    return;
  }
  SilentUi ui;
  WindowModel window;
  ApplyStartupDefaults(window);
  window.material = material;
  window.txtTempInput.text = rise_degC;
  for (auto _ : state) {
    cmdCalculate_Click({window, Cores(), ui});
    benchmark::DoNotOptimize(window.state.CoreIdx);
  }
}

void BM_CalculateStartup(benchmark::State& state) {
  RunCalculate(state, Material::Velmax, "35");
}
BENCHMARK(BM_CalculateStartup);

// A temperature rise no core can keep to: the search starts low, winds and
// heats every Molypermalloy core that passes (the longest section) and ends
// at the end row.
void BM_CalculateWholeSection(benchmark::State& state) {
  RunCalculate(state, Material::MPP, "0.001");
}
BENCHMARK(BM_CalculateWholeSection);

}  // namespace
}  // namespace tov

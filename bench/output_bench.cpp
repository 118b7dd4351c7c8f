// Speed of what tovcalc writes, each output kind beside the design work it
// writes out: a batch of 10,000 random requests as JSON lines and as CSV
// against the window's Calculate of the same requests, and every core
// compared as JSON and as CSV against the comparison alone.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/tovcalc/candidates_output.h"
#include "app/tovcalc/design_actions.h"
#include "silent_ui.h"
#include "state/core_table_loader.h"
#include "ui/logic/design_controller.h"

namespace tov::tovcalc {
namespace {

const CoreTable* ShippedCores() {
  static const CoreTableLoad load = LoadCoreTable(
      std::filesystem::read_symlink("/proc/self/exe").parent_path() / kCoreDatabaseName);
  return load.table ? &*load.table : nullptr;
}

// One request of the batch: its options as a batch line gives them, and the
// settings they make.
struct BatchRequest {
  GivenOptions given;
  std::vector<RequestOption> options;  // sorted by name
  Settings settings;
};

std::string Digits(double value, int significant) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*g", significant, value);
  return text;
}

// 10,000 requests drawn the same way every run: any material, 1 to 3 cores,
// currents from 0.1 to 50 A, full-load inductances from 5 uH to 5 mH.
const std::vector<BatchRequest>& RandomRequests() {
  static const std::vector<BatchRequest> requests = [] {
    std::mt19937_64 random(23);
    std::uniform_real_distribution<double> unit(0, 1);
    const auto log_uniform = [&](double lo, double hi) {
      return lo * std::exp(unit(random) * std::log(hi / lo));
    };
    constexpr const char* kMaterialNames[] = {"mpp", "hf", "velmax", "velmax-e"};
    constexpr const char* kFrequencies[] = {"20", "50", "100", "200"};
    std::vector<BatchRequest> list;
    for (int i = 0; i < 10000; ++i) {
      const double idc = log_uniform(0.1, 50), lfl = log_uniform(5, 5000);
      BatchRequest r;
      r.options = {
          {OptionId::Freq, kFrequencies[random() % 4]},
          {OptionId::Idc, Digits(idc, 4)},
          {OptionId::Lfl, Digits(lfl, 4)},
          {OptionId::Lnl, Digits(lfl * (1.2 + 1.8 * unit(random)), 4)},
          {OptionId::Material, kMaterialNames[random() % 4]},
          {OptionId::Ripple, Digits(idc * (0.05 + 0.45 * unit(random)), 3)},
          {OptionId::Stack, std::to_string(1 + random() % 3)},
          {OptionId::Trise, "35"},
      };
      for (const RequestOption& o : r.options) r.given[o.id] = o.text;
      SettingsOrError read = ReadSettings(r.given);
      if (!read.settings) continue;
      r.settings = std::move(*read.settings);
      list.push_back(std::move(r));
    }
    return list;
  }();
  return requests;
}

// The same requests designed by the window's Calculate: the baseline.
void BM_CalculateRandomRequests(benchmark::State& state) {
  const CoreTable* cores = ShippedCores();
  if (!cores) return state.SkipWithError("coredat not found beside the benchmark");
  const std::vector<BatchRequest>& requests = RandomRequests();
  SilentUi ui;
  DesignController form(*cores, ui);
  WindowModel& w = form.Model();
  ApplyStartupDefaults(w);
  for (auto _ : state) {
    for (const BatchRequest& r : requests) {
      const Settings& s = r.settings;
      w.state.loading_design = true;
      form.SelectMaterial(*s.material);
      w.state.loading_design = false;
      w.dc_current.text = *s.dc_current;
      w.ripple_current.text = *s.ripple_current;
      w.frequency.text = *s.frequency;
      w.full_load_l.text = *s.full_load_l;
      w.no_load_l.text = *s.no_load_l;
      w.allowable_rise.text = *s.allowable_rise;
      w.state.stack_count = *s.stack;
      form.Calculate();
      benchmark::DoNotOptimize(w.state.core_row);
    }
  }
  state.counters["designs"] = static_cast<double>(requests.size());
  state.counters["us_per_design"] = benchmark::Counter(
      static_cast<double>(requests.size()) * 1e-6,
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CalculateRandomRequests)->Unit(benchmark::kMillisecond);

// Every request run as a batch runs it, its line written to a buffer that
// is emptied as standard output empties it.
void RunBatchLines(benchmark::State& state, RequestAction& action) {
  const std::vector<BatchRequest>& requests = RandomRequests();
  std::string out;
  out.reserve(1 << 17);
  std::size_t bytes = 0;
  for (auto _ : state) {
    long long line = 0;
    for (const BatchRequest& r : requests) {
      action.Run(out, {++line, r.given, r.options}, r.settings);
      if (out.size() >= (1 << 16)) {
        bytes += out.size();
        out.clear();
      }
    }
  }
  bytes += out.size();
  state.counters["designs"] = static_cast<double>(requests.size());
  state.counters["us_per_design"] = benchmark::Counter(
      static_cast<double>(requests.size()) * 1e-6,
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["bytes_per_line"] =
      static_cast<double>(bytes) / static_cast<double>(state.iterations() * requests.size());
}

void BM_BatchJsonLines(benchmark::State& state) {
  const CoreTable* cores = ShippedCores();
  if (!cores) return state.SkipWithError("coredat not found beside the benchmark");
  DesignJsonLines action(*cores, nullptr);
  RunBatchLines(state, action);
}
BENCHMARK(BM_BatchJsonLines)->Unit(benchmark::kMillisecond);

void BM_BatchCsvLines(benchmark::State& state) {
  const CoreTable* cores = ShippedCores();
  if (!cores) return state.SkipWithError("coredat not found beside the benchmark");
  DesignCsvLines action(*cores, nullptr);
  RunBatchLines(state, action);
}
BENCHMARK(BM_BatchCsvLines)->Unit(benchmark::kMillisecond);

// tovcalc --candidates --materials all --stacks 1-5 on the start-up inputs,
// evaluated and written; BM_CandidatesAllMaterialsFiveStacks is the
// evaluation alone.
void WriteEveryCore(benchmark::State& state, CandidateFormat format) {
  const CoreTable* cores = ShippedCores();
  if (!cores) return state.SkipWithError("coredat not found beside the benchmark");
  CandidateOptions options;
  options.scope.stacks = {1, 2, 3, 4, 5};
  options.format = format;
  // One text kept from run to run, as the program keeps its output buffer.
  std::string text;
  for (auto _ : state) {
    text.clear();
    const CandidateComparison comparison(DesignRequest{}, *cores, options);
    comparison.Write(text);
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["bytes"] = static_cast<double>(text.size());
}

void BM_CandidatesJson(benchmark::State& state) {
  WriteEveryCore(state, CandidateFormat::Json);
}
BENCHMARK(BM_CandidatesJson)->Unit(benchmark::kMillisecond);

void BM_CandidatesCsv(benchmark::State& state) {
  WriteEveryCore(state, CandidateFormat::Csv);
}
BENCHMARK(BM_CandidatesCsv)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tov::tovcalc

// Speed of the digit patterns every shown result goes through.

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "state/number_format.h"

namespace tov {
namespace {

// Stored 4-byte results from a milliohm to ten kilowatts, in the widest
// pattern of the result fields.
void BM_FormatNumberStoredResults(benchmark::State& state) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> exponent(-3, 4);
  std::vector<double> values(1024);
  for (double& v : values) v = static_cast<float>(std::pow(10.0f, exponent(random)));
  for (auto _ : state) {
    for (double v : values) benchmark::DoNotOptimize(FormatNumber(v, "#####0.00"));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(values.size()));
}
BENCHMARK(BM_FormatNumberStoredResults);

}  // namespace
}  // namespace tov

// Speed of the models the automatic search runs for every core row.

#include <benchmark/benchmark.h>

#include "models/core_loss.h"
#include "models/rolloff.h"
#include "models/winding_build.h"
#include "models/wire_sizing.h"

namespace tov {
namespace {

// Molypermalloy, ui 125, AL 100, le 5 cm at 11 A for 0.1 mH: 192 turns
// trimmed down to 64, the longest trim of the usual designs.
void BM_SolveTurns(benchmark::State& state) {
  const TurnsCore core{100, 125, 5, RollOffFor(Material::MPP)};
  for (auto _ : state) {
    benchmark::DoNotOptimize(SolveTurns(0.1f, core, 11));
  }
}
BENCHMARK(BM_SolveTurns);

// 50 turns of gauge 18 in two layers.
void BM_WindToroid50(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(WindToroid(50, 1, 0.0437f, 0.5f, 1.0f, 0.4f, 1));
  }
}
BENCHMARK(BM_WindToroid50);

void BM_SizeWireSixStrands(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(SizeWire(100, 300));
  }
}
BENCHMARK(BM_SizeWireSixStrands);

void BM_CoreLoss(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(CoreLoss(1, 125, 100, 1, 1, 1, 1));
  }
}
BENCHMARK(BM_CoreLoss);

}  // namespace
}  // namespace tov

// The Compare Cores window filling its table anew (every material on one to
// five stacked cores, 2,620 lines for the start-up inputs) after an input
// changed: the candidates judged and the lines laid out (then also painted),
// beside the judging alone, so the difference is what the window itself costs.

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>

#include "qt/shown_window.h"
#include "ui/logic/candidate_rows.h"
#include "ui/qt/compare_window.h"

namespace tov::qt {
namespace {

// Switches the DC current between two values, so each refresh sees a new request.
void ChangeDcCurrent(Shown& shown, int64_t turn) {
  shown.frm->Model().dc_current.text = turn % 2 == 0 ? "10" : "10.5";
}

void Refill(benchmark::State& state, bool paint) {
  Shown& shown = MainWindowWithDesign();
  shown.window->findChild<QAction*>("mnuCompare")->trigger();
  QApplication::processEvents();
  CompareWindow* compare = shown.window->Compare();
  if (compare == nullptr) return state.SkipWithError("the Compare Cores window did not open");
  int64_t turn = 0;
  for (auto _ : state) {
    ChangeDcCurrent(shown, ++turn);
    compare->Refresh();
    if (paint) compare->repaint();
  }
  compare->close();
  ChangeDcCurrent(shown, 0);
}

void BM_CompareWindowRefill(benchmark::State& state) {
  Refill(state, false);
}
BENCHMARK(BM_CompareWindowRefill)->Unit(benchmark::kMillisecond);

void BM_CompareWindowRefillAndPaint(benchmark::State& state) {
  Refill(state, true);
}
BENCHMARK(BM_CompareWindowRefillAndPaint)->Unit(benchmark::kMillisecond);

void BM_CompareCoresJudgedOnly(benchmark::State& state) {
  Shown& shown = MainWindowWithDesign();
  int64_t turn = 0;
  for (auto _ : state) {
    ChangeDcCurrent(shown, ++turn);
    benchmark::DoNotOptimize(CompareCores(*shown.frm).rows.size());
  }
  ChangeDcCurrent(shown, 0);
}
BENCHMARK(BM_CompareCoresJudgedOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tov::qt

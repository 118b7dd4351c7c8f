// Opening the Curves window on the design of the start-up inputs, until it
// has been painted: the first time in the process (Qt Charts and its fonts
// load), then again and again.

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <memory>

#include "qt/shown_window.h"

namespace tov::qt {
namespace {

void OpenCurves(benchmark::State& state) {
  Shown& shown = MainWindowWithDesign();
  if (!shown.frm->ShownDesign()) {
    state.SkipWithError("no design: is coredat beside the benchmark?");
    return;
  }
  for (auto _ : state) {
    shown.window->findChild<QAction*>("mnuCurves")->trigger();
    QApplication::processEvents();  // shown and painted
    state.PauseTiming();
    shown.window->Curves()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
  }
}

void BM_OpenCurvesWindowFirst(benchmark::State& state) {
  OpenCurves(state);
}
BENCHMARK(BM_OpenCurvesWindowFirst)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_OpenCurvesWindow(benchmark::State& state) {
  OpenCurves(state);
}
BENCHMARK(BM_OpenCurvesWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tov::qt

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  tov::qt::shown_window.reset();
  return 0;
}

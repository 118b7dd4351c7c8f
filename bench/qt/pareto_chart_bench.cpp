// The Compare Cores chart for the start-up inputs with every material on one
// to five stacked cores: from the table's lines to a painted chart with its
// front and pick, and from the request on (the candidates judged first).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTableView>

#include "state/core_table_loader.h"
#include "ui/qt/compare_window.h"
#include "ui/qt/pareto_chart.h"

namespace tov::qt {
namespace {

const CoreTable* Cores() {
  static const CoreTableLoad load = LoadCoreTable(
      QDir(QCoreApplication::applicationDirPath()).filePath(kCoreDatabaseName).toStdString());
  return load.table ? &*load.table : nullptr;
}

std::vector<CandidateRow> StartupRows(const CoreTable& cores) {
  CandidateScope scope;
  scope.stacks = {1, 2, 3, 4, 5};
  CandidateSet set = EvaluateCandidates(DesignRequest{}, cores, scope);
  return CandidateRows(std::move(set.candidates), Material::Velmax, 1, true);
}

void PaintChart(benchmark::State& state, bool judge_candidates) {
  const CoreTable* cores = Cores();
  if (!cores) return state.SkipWithError("coredat not found beside the benchmark");
  CandidateTableModel model(*cores, nullptr);
  CandidateFilter filter;
  filter.setSourceModel(&model);
  filter.SetFilter(std::nullopt, std::nullopt, false);
  QTableView table;
  table.setModel(&filter);
  ParetoChart chart(model, filter, table, nullptr);
  chart.resize(1100, 600);
  const std::vector<CandidateRow> rows = StartupRows(*cores);
  QImage image(1100, 600, QImage::Format_ARGB32_Premultiplied);
  std::size_t front = 0;
  for (auto _ : state) {
    model.SetRows(judge_candidates ? StartupRows(*cores) : rows, false);
    QPainter painter(&image);
    chart.Plot()->Paint(painter, QRectF(image.rect()));
    front = static_cast<std::size_t>(std::count_if(chart.Plot()->Points().begin(),
                                                   chart.Plot()->Points().end(),
                                                   [](const ChartPoint& p) { return p.front; }));
  }
  state.counters["points"] = static_cast<double>(chart.Plot()->Points().size());
  state.counters["front"] = static_cast<double>(front);
}

void BM_ParetoChartFromLines(benchmark::State& state) {
  PaintChart(state, false);
}
BENCHMARK(BM_ParetoChartFromLines)->Unit(benchmark::kMillisecond);

void BM_ParetoChartFromRequest(benchmark::State& state) {
  PaintChart(state, true);
}
BENCHMARK(BM_ParetoChartFromRequest)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tov::qt

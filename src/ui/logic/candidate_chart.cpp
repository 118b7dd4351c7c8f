#include "ui/logic/candidate_chart.h"

#include "engines/pareto_front.h"
#include "engines/part_volume.h"
#include "state/number_format.h"

namespace tov {
namespace {

std::string Figure(std::optional<double> value, std::string_view pattern) {
  return value ? FormatNumber(*value, pattern).value_or("") : std::string();
}

}  // namespace

std::optional<double> AxisFigure(const CandidateRow& row, ChartAxis axis, const CoreTable& cores) {
  const Candidate& c = row.candidate;
  switch (axis) {
    case ChartAxis::WoundVolume:
      return WoundVolumeCm3(c.design, c.wound, cores);
    case ChartAxis::TempRise:
      return c.wound ? std::optional<double>(c.design.dT) : std::nullopt;
    case ChartAxis::CoreVolume:
      return CoreVolumeCm3(c.design);
  }
  return std::nullopt;
}

std::vector<ChartPoint> ChartPoints(const std::vector<CandidateRow>& rows,
                                    std::span<const std::size_t> shown, ChartAxis axis,
                                    const CoreTable& cores) {
  std::vector<ChartPoint> points;
  std::vector<ParetoPoint> figures;
  for (std::size_t line : shown) {
    if (line >= rows.size()) continue;
    const CandidateRow& row = rows[line];
    if (!row.passes || !row.candidate.wound) continue;
    const std::optional<double> x = AxisFigure(row, axis, cores);
    const double loss = row.candidate.design.Ptot;
    if (!x || !(*x > 0) || !(loss > 0)) continue;
    points.push_back({line, *x, row.candidate.design.Ptot, false});
    figures.push_back({*x, row.candidate.design.Ptot, true});
  }
  const std::vector<bool> front = ParetoFront(figures);
  for (std::size_t i = 0; i < points.size(); ++i) points[i].front = front[i];
  return points;
}

std::string PointReadOut(const CandidateRow& row, const CoreTable& cores) {
  const Candidate& c = row.candidate;
  const std::string stack =
      c.stack_count > 1 ? " on " + std::to_string(c.stack_count) + " cores" : std::string();
  return c.part_number + " (" + std::string(InfoOf(c.material).caption) + stack + ")\n" +
         "Total loss " + Figure(c.design.Ptot, "####0.0") + " mW\n" + "Wound volume " +
         Figure(WoundVolumeCm3(c.design, c.wound, cores), "##0.00") + " cm\u00b3\n" +
         "Core volume " + Figure(CoreVolumeCm3(c.design), "##0.00") + " cm\u00b3\n" +
         "Temperature rise " +
         Figure(c.wound ? std::optional<double>(c.design.dT) : std::nullopt, "##0.0") + " \u00b0C";
}

}  // namespace tov

#pragma once
// The Compare Cores chart without any toolkit: each passing line as a point
// of total loss against a size or heat figure, with the Pareto front of the
// points shown and the read-out of a point.

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "state/core_table.h"
#include "ui/logic/candidate_rows.h"

namespace tov {

// What the total loss is plotted against.
enum class ChartAxis { WoundVolume, TempRise, CoreVolume };

struct ChartAxisInfo {
  ChartAxis axis;
  std::string_view title;  // with its unit
};
inline constexpr std::array<ChartAxisInfo, 3> kChartAxes = {{
    {ChartAxis::WoundVolume, "Wound volume (cm\u00b3)"},
    {ChartAxis::TempRise, "Temperature rise (\u00b0C)"},
    {ChartAxis::CoreVolume, "Core volume (cm\u00b3)"},
}};

// A point of the chart: the line of `rows` it stands for, its figure on the
// axis (x) and its total loss in mW (y), and whether it is on the front.
struct ChartPoint {
  std::size_t line = 0;
  double x = 0;
  double y = 0;
  bool front = false;
};

// The points of the lines `shown` (indexes into `rows`) that pass and have
// both figures above zero (the chart's scales are logarithmic), in that order; on the front is a
// point that no other of them beats with no more loss and no more of x, and less of one.
std::vector<ChartPoint> ChartPoints(const std::vector<CandidateRow>& rows,
                                    std::span<const std::size_t> shown, ChartAxis axis,
                                    const CoreTable& cores);

// The figure a line shows on the axis; nullopt where it has none.
std::optional<double> AxisFigure(const CandidateRow& row, ChartAxis axis, const CoreTable& cores);

// The read-out of a line: part number, material, stack, total loss, wound and
// core volume and temperature rise, one per line of text.
std::string PointReadOut(const CandidateRow& row, const CoreTable& cores);

}  // namespace tov

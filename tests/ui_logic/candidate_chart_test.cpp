// The chart's points of the compare lines: passing lines only, with their own
// figures, the front of the wound-volume chart that tovcalc marks, and the
// read-out of a point.

#include "ui/logic/candidate_chart.h"

#include <gtest/gtest.h>

#include <numeric>

#include "engines/pareto_front.h"
#include "window_fixture.h"

namespace tov {
namespace {

TEST(CandidateChartTest, PassingLinesWithTheirFiguresAndTheFront) {
  testing::StartUpWindow window;
  const CompareTable table = CompareCores(window.form);
  const CoreTable& cores = testing::ShippedCores();
  std::vector<std::size_t> every(table.rows.size());
  std::iota(every.begin(), every.end(), std::size_t{0});
  std::vector<Candidate> candidates;
  for (const CandidateRow& row : table.rows) candidates.push_back(row.candidate);
  const std::vector<bool> marked = LossVolumeFront(candidates, cores);

  for (const ChartAxisInfo& axis : kChartAxes) {
    const std::vector<ChartPoint> points = ChartPoints(table.rows, every, axis.axis, cores);
    const auto passing = std::count_if(table.rows.begin(), table.rows.end(),
                                       [](const CandidateRow& r) { return r.passes; });
    EXPECT_EQ(points.size(), static_cast<std::size_t>(passing)) << axis.title;
    for (const ChartPoint& p : points) {
      const CandidateRow& row = table.rows[p.line];
      ASSERT_TRUE(row.passes);
      EXPECT_EQ(p.y, row.candidate.design.Ptot);
      EXPECT_EQ(p.x, *AxisFigure(row, axis.axis, cores));
      if (axis.axis == ChartAxis::TempRise) {
        EXPECT_EQ(p.x, row.candidate.design.dT);
      }
      if (axis.axis == ChartAxis::WoundVolume) {
        EXPECT_EQ(p.front, bool(marked[p.line]));
      }
    }
  }

  // Only the lines shown take part: the front of a part of them is its own.
  std::vector<std::size_t> stacked;
  for (std::size_t i = 0; i < table.rows.size(); ++i) {
    if (table.rows[i].candidate.stack_count == 3) stacked.push_back(i);
  }
  const auto points = ChartPoints(table.rows, stacked, ChartAxis::WoundVolume, cores);
  ASSERT_FALSE(points.empty());
  EXPECT_TRUE(
      std::any_of(points.begin(), points.end(), [](const ChartPoint& p) { return p.front; }));
  const CandidateRow& row = table.rows[points.front().line];
  const std::string read_out = PointReadOut(row, cores);
  EXPECT_EQ(read_out.rfind(row.candidate.part_number + " (", 0), 0u) << read_out;
  EXPECT_NE(read_out.find(" on 3 cores)"), std::string::npos) << read_out;
  EXPECT_EQ(PointReadOut(table.rows[0], cores).find(" on 1 cores"), std::string::npos);
}

}  // namespace
}  // namespace tov

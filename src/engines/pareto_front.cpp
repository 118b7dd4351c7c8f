#include "engines/pareto_front.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "engines/part_volume.h"

namespace tov {

std::vector<bool> ParetoFront(std::span<const ParetoPoint> points) {
  std::vector<std::size_t> order;
  order.reserve(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    const ParetoPoint& p = points[i];
    if (p.takes_part && std::isfinite(p.x) && std::isfinite(p.y)) order.push_back(i);
  }
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (points[a].x != points[b].x) return points[a].x < points[b].x;
    return points[a].y < points[b].y;
  });

  std::vector<bool> front(points.size(), false);
  // The least y of the points of smaller x seen so far.
  double least_before = std::numeric_limits<double>::infinity();
  for (std::size_t first = 0; first < order.size();) {
    const double x = points[order[first]].x;
    // Within a run of equal x, the first point holds the least y: a point of
    // more y is beaten by it, one of the same y only by a point of smaller x.
    const double least_here = points[order[first]].y;
    std::size_t end = first;
    for (; end < order.size() && points[order[end]].x == x; ++end) {
      const double y = points[order[end]].y;
      front[order[end]] = y == least_here && y < least_before;
    }
    least_before = std::min(least_before, least_here);
    first = end;
  }
  return front;
}

std::vector<bool> LossVolumeFront(std::span<const Candidate> candidates, const CoreTable& cores) {
  std::vector<ParetoPoint> points;
  points.reserve(candidates.size());
  for (const Candidate& c : candidates) {
    const std::optional<double> volume = WoundVolumeCm3(c.design, c.wound, cores);
    points.push_back({volume.value_or(0), c.design.Ptot, c.Passes() && c.wound && volume});
  }
  return ParetoFront(points);
}

}  // namespace tov

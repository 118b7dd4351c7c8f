#pragma once
// The Pareto front of a set of candidates: the ones no other beats on both
// of two figures that are best small (total loss and wound volume, say).

#include <span>
#include <vector>

#include "engines/candidates.h"
#include "state/core_table.h"

namespace tov {

// A candidate as two figures to keep small. A point that does not take part
// (it fails a requirement, or a figure has no value) is never on the front
// and never takes another off it.
struct ParetoPoint {
  double x = 0;
  double y = 0;
  bool takes_part = true;
};

// For each point, whether it is on the front: it takes part, its figures are
// finite, and no other such point has no more of x and no more of y and less
// of one of them. Equal points are on the front together. O(n log n).
std::vector<bool> ParetoFront(std::span<const ParetoPoint> points);

// The front of the passing candidates by total loss and wound volume
// (WoundVolumeCm3), one flag per candidate.
std::vector<bool> LossVolumeFront(std::span<const Candidate> candidates, const CoreTable& cores);

}  // namespace tov

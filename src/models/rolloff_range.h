#pragma once
// Where a material's roll-off fit describes the material. The fit falls from
// ui at no bias; past its range it either turns up again (a minimum of the
// fitted function, which a powder core does not have) or has no value (a
// negative radicand). Both happen at a fixed product ui H, since the fitted
// ratio ue/ui depends on ui H alone.

#include "state/material.h"

namespace tov {

enum class RollOffLimit {
  Minimum,  // the fit turns up past this point
  NoValue,  // the fit has no value past this point
  None,     // the fit falls over every field
};

struct RollOffRange {
  double ui_H_Oe;  // the largest ui H (Oe) of the range; infinity with RollOffLimit::None
  RollOffLimit limit;
};

// The range of the fit: from ui H = 0 to the first ui H > 0 where the fitted
// ue/ui stops falling (its derivative turns zero) or loses its value (its
// radicand reaches zero), whichever comes first. A fit that
// does not fall at zero bias has an empty range (ui H = 0, Minimum).
RollOffRange RangeOf(const RollOffCoefficients& k);

// True when the field H (Oe) on a core of initial permeability ui lies in the
// range of the fit: ui H at most the range's end.
bool InFitRange(const RollOffRange& range, float ui, float H);

}  // namespace tov

#include "engines/search_material.h"

#include "state/constants.h"
#include "state/numeric.h"

namespace tov {

std::optional<double> RequiredSizeFigure(float Ltarget, float Ipk, float J, float r,
                                         const MaterialInfo& m) {
  const double K = m.K;
  const double divisor = 4 * kPi * K * K * static_cast<double>(J) * J * m.ui0 * r;
  if (divisor == 0) return std::nullopt;
  return Finite(kSizeFigureScale * Ltarget * static_cast<double>(Ipk) * Ipk / divisor);
}

}  // namespace tov

#include "state/copper_factor.h"

#include "state/constants.h"
#include "state/numeric.h"

namespace tov {

std::optional<float> CopperFactor(float ambient_c) {
  return ToSingle(1.0 + kCopperTempCoefficient * (double{ambient_c} - kWireTableTemperature));
}

bool CopperFactorPositive(float ambient_c) {
  const std::optional<float> factor = CopperFactor(ambient_c);
  return factor && *factor > 0;
}

}  // namespace tov

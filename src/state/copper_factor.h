#pragma once
// Copper's resistance at the ambient temperature, as a factor of its
// resistance at the wire table's 20 deg C.

#include <optional>

namespace tov {

// Copper resistance factor at an ambient temperature (deg C),
// 1 + 0.00393 (ambient_c - 20), as a 4-byte float; nullopt when it has no value.
std::optional<float> CopperFactor(float ambient_c);

// Whether copper keeps a positive resistance at this ambient temperature:
// a CopperFactor above 0, which holds above about -234.45 deg C.
bool CopperFactorPositive(float ambient_c);

}  // namespace tov

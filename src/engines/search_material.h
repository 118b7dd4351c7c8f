#pragma once
// The size figure a core must reach before the automatic search evaluates it.

#include <optional>

#include "state/material.h"

namespace tov {

// Required size figure Wa^2 Ae / le, cm^5, of the smallest core that can carry
// the winding: 1e6 Ltarget Ipk^2 / (4 pi K^2 J^2 ui0 r), in 8-byte arithmetic,
// with Ltarget in mH per core, Ipk in A, J in A/cm^2, r the allowed roll-off
// ratio, and the material's window factor K and permeability ui0. nullopt
// when it has no value (a zero divisor).
std::optional<double> RequiredSizeFigure(float Ltarget, float Ipk, float J, float r,
                                         const MaterialInfo& m);

}  // namespace tov

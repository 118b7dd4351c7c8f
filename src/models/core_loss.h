#pragma once
// Core loss: P_fe = k stack_count Ae le f^c Bac^a, an empirical power law whose
// coefficients depend on the material family and the permeability.

#include <cstdint>
#include <optional>

#include "state/material.h"

namespace tov {

// Coefficients for MatType (1 Molypermalloy, 2 High Flux, 3 Velmax) and the
// initial permeability ui; all 0 where no row of the table applies.
CoreLossCoefficients CoreLossCoefficientsFor(int16_t MatType, float ui);

// Core loss of the whole stack, mW. f in kHz, Bac (peak, half the swing) in kG,
// le in cm, Ae in cm^2. nullopt when a power or product has no finite value.
std::optional<double> CoreLoss(int16_t MatType, float ui, float f, float Bac, float le, float Ae,
                               int16_t stack_count);

// Peak AC flux density, kG: ue 0.001 0.4 pi N 0.5 dI / le, with dI the
// peak-to-peak ripple in A and le in cm. nullopt when it has no value.
std::optional<float> AcFluxDensity(float ue, int16_t N, float dI, float le);

}  // namespace tov

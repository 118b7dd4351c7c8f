#pragma once
// The inputs of a design run as it stores them: 4-byte values, inductances
// per core in mH. A value that cannot be formed stays 0 (the step rule).

#include <cstdint>

#include "engines/design_request.h"
#include "engines/design_result.h"

namespace tov {

// Tallow, Ltarget (Lfl_uH x 0.001 / stack_count), Idc, dI, J, f, the peak
// current Ipk = Idc + 0.5 dI (from the entered 8-byte Idc) and the winding
// current Iw = Idc + 0.577 dI / 2 (from the stored Idc). Lmax is left 0.
RunInputs ReadRunInputs(const DesignRequest& request, int16_t stack_count);

// An inductance of the whole stack (uH) as mH per core; nullopt without a value.
std::optional<float> PerCoreInductance(double uH, int16_t stack_count);

}  // namespace tov

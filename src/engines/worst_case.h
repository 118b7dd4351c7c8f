#pragma once
// The design at its worst corner: a core whose AL lies at the low end of its
// tolerance, and a winding whose copper has reached the temperature it runs
// at (ambient plus its own rise) instead of the ambient. The shown design is
// the nominal one: its resistance is taken at the ambient temperature.

#include <optional>

#include "engines/design_result.h"

namespace tov {

// The winding at its final temperature: the resistance heats the copper,
// which raises the resistance, until the rise settles.
struct HotWinding {
  float Rdc = 0;       // ohms
  float T_copper = 0;  // deg C, ambient + rise
  float Pcu = 0;       // mW
  float Ptot = 0;      // mW, the core loss as designed plus Pcu
  float dT = 0;        // deg C, temperature rise
};

// deg C: copper melts here; a winding that would settle hotter runs away.
inline constexpr double kCopperMeltingC = 1085.0;

struct WorstCase {
  float al_tolerance_percent = 0;  // the AL's lower limit, % of nominal
  // uH of the whole stack at full load: the design's, scaled by the AL's
  // lower limit as a whole (a lower permeability would roll off less, so
  // this is on the safe side).
  double Lfl_min_uH = 0;
  // nullopt when the rise does not settle within a bounded number of rounds,
  // leaves the range of numbers or settles with the copper past its melting
  // point (thermal runaway): no value rather than a meaningless one.
  std::optional<HotWinding> hot;
};

// deg C: the ambient temperature the design's copper factor was taken at.
double AmbientOf(const DesignResult& design);

// Whether `percent` is an AL tolerance the worst case takes: -99 to 0.
bool ALToleranceAllowed(double percent);

// The worst case of `design` with the AL at `al_tolerance_percent` (-99..0)
// of its nominal value. The core loss stays that of the design: the ripple
// is an input, and a lower AL lowers the flux swing it drives.
WorstCase WorstCaseOf(const DesignResult& design, float al_tolerance_percent);

}  // namespace tov

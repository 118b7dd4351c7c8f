#pragma once
// Round magnet wire by AWG gauge: insulated diameter and resistance.
// The tables cover gauges 12 to 42; 0 to 11 and 43 have no entry and read as 0.

#include <optional>

namespace tov {

// The thickest and the thinnest gauge of the tables.
inline constexpr int kThickestGauge = 12;
inline constexpr int kThinnestGauge = 42;

// Insulated outside diameter of one wire of gauge AWG, inches; 0 for gauges
// without an entry (0..11, 43); nullopt for a gauge outside 0..43.
std::optional<double> WireDia(int AWG);

// Copper cross-section of one wire of gauge AWG, circular mils; 0 for gauges
// without an entry; nullopt for a gauge outside 0..43.
std::optional<double> WireCrossSection(int AWG);

// Resistance of one wire of gauge AWG, ohms per 1000 ft at 20 deg C; 0 for
// gauges without an entry; nullopt for a gauge outside 0..43.
std::optional<double> WireRes(int AWG);

}  // namespace tov

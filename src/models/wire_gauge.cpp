#include "models/wire_gauge.h"

#include <array>

namespace tov {
namespace {

struct WireEntry {
  double circular_mils;  // copper cross-section
  double diameter_in;    // insulated outside diameter
  double ohms_per_kft;   // at 20 deg C
};

// Gauges 12 to 42, thickest first.
constexpr std::array<WireEntry, kThinnestGauge - kThickestGauge + 1> kWireTable = {{
    {6529, 0.0847, 1.589},   // 12
    {5184, 0.0757, 2.001},   // 13
    {4109, 0.0682, 2.524},   // 14
    {3260, 0.0609, 3.181},   // 15
    {2581, 0.0545, 4.019},   // 16
    {2052, 0.0488, 5.054},   // 17
    {1624, 0.0437, 6.386},   // 18
    {1289, 0.0391, 8.047},   // 19
    {1024, 0.0351, 10.13},   // 20
    {812.3, 0.0314, 12.77},  // 21
    {640.1, 0.0281, 16.2},   // 22
    {510.8, 0.0253, 20.31},  // 23
    {404, 0.0227, 25.67},    // 24
    {320.4, 0.0203, 32.37},  // 25
    {252.8, 0.0182, 41.02},  // 26
    {201.6, 0.0164, 51.43},  // 27
    {158.8, 0.0147, 65.33},  // 28
    {127.7, 0.0133, 81.22},  // 29
    {100, 0.0119, 103.7},    // 30
    {79.21, 0.0108, 130.9},  // 31
    {64, 0.0098, 162},       // 32
    {50.41, 0.0088, 205.7},  // 33
    {39.69, 0.0078, 261.3},  // 34
    {31.36, 0.0070, 330.7},  // 35
    {25, 0.0063, 414.8},     // 36
    {20.25, 0.0057, 512.1},  // 37
    {16, 0.0051, 648.2},     // 38
    {12.25, 0.0045, 846.6},  // 39
    {9.61, 0.0040, 1079},    // 40
    {7.84, 0.0036, 1423},    // 41
    {6.25, 0.0032, 1659},    // 42
}};

// Gauges 0..43 are valid arguments; only 12..42 have an entry.
constexpr int kLowestGaugeArgument = 0;
constexpr int kHighestGaugeArgument = kThinnestGauge + 1;

std::optional<WireEntry> Lookup(int AWG) {
  if (AWG < kLowestGaugeArgument || AWG > kHighestGaugeArgument) return std::nullopt;
  if (AWG < kThickestGauge || AWG > kThinnestGauge) return WireEntry{0, 0, 0};
  return kWireTable[static_cast<size_t>(AWG - kThickestGauge)];
}

}  // namespace

std::optional<double> WireDia(int AWG) {
  auto entry = Lookup(AWG);
  if (!entry) return std::nullopt;
  return entry->diameter_in;
}

std::optional<double> WireCrossSection(int AWG) {
  auto entry = Lookup(AWG);
  if (!entry) return std::nullopt;
  return entry->circular_mils;
}

std::optional<double> WireRes(int AWG) {
  auto entry = Lookup(AWG);
  if (!entry) return std::nullopt;
  return entry->ohms_per_kft;
}

}  // namespace tov

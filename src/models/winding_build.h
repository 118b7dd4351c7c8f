#pragma once
// The built winding: toroid build-up layer by layer, the E-core bobbin,
// DC resistance, copper loss, cooling surface and temperature rise.

#include <cstdint>
#include <optional>
#include <vector>

namespace tov {

// Outcome of winding a toroid.
struct ToroidBuild {
  float length = 0;    // wire length, in (all strands)
  float ODw = 0;       // wound outer diameter, in
  float HTw = 0;       // wound height, in
  bool fits = true;    // false: the hole was used up before every wire was placed
  int32_t placed = 0;  // wires placed (each strand counted), all N S when it fits
};

// One layer of a toroid winding: the wires it holds and the surface it lies
// on, the build-up so far (in): inner diameter, outer diameter, height.
struct ToroidLayer {
  int32_t wires = 0;
  float id = 0;
  float od = 0;
  float ht = 0;
};

// Winds N S wires of diameter d (in) layer by layer on a toroid of winding
// dimensions WindID, WindOD, WindHt (in), the height times stack_count. When a
// layer can hold no wire before all are placed, stops there with fits = false
// and what was built so far. A wire of diameter 0 (gauge 43, past the tables)
// lies in one layer without adding to the build. Always ends. With `layers`,
// appends each layer wound, innermost first.
ToroidBuild WindToroid(int16_t N, int16_t S, float d, float WindID, float WindOD, float WindHt,
                       int16_t stack_count, std::vector<ToroidLayer>* layers = nullptr);

// DC resistance of a wire length (in) of R' ohms per 1000 ft at 20 deg C,
// times the copper factor: length / 12000 R' copper_factor, ohms.
std::optional<float> WindingResistance(double length_in, float Rprime, float copper_factor);

// Wire length of an E-core bobbin winding, in: N MLT with MLT = WindHt (cm) / 2.54.
std::optional<double> BobbinWireLength(int16_t N, float WindHt_cm);

// Cooling surface of a wound toroid, cm^2: both end faces as full discs of the
// wound diameter plus the outer cylinder, (2 pi (OD/2)^2 + OD pi HT) 2.54^2.
std::optional<float> ToroidSurface(float ODw, float HTw);

// Copper loss 1000 R_dc I_w^2, mW.
std::optional<float> CopperLoss(float Rdc, float Iw);

// Temperature rise (P_tot / A_s)^0.833, deg C, with P_tot in mW and A_s in cm^2.
std::optional<float> TempRise(float Ptot, float As);

}  // namespace tov

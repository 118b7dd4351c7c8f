#pragma once
// The choke in the converter it was designed for, as an ngspice deck: the
// exported model of the choke, synchronous switches with a small
// on-resistance driven at the duty that holds the output against the
// winding's and the switches' drops, an output capacitor for a small voltage
// ripple and a resistive load for the output current. It starts at steady
// state (the flux of the choke at the ripple's valley, the capacitor at the
// output voltage), at the corner of the input range with the largest ripple,
// and measures the choke over its last switching periods.

#include <optional>
#include <string>
#include <string_view>

#include "engines/converter.h"
#include "engines/spice_model.h"

namespace tov {

struct ConverterDeck {
  std::string text;             // the deck, model included; ends with ".end"
  double vin = 0;               // V, the corner simulated
  double duty = 0;              // the duty the switches run at
  double inductor_idc = 0;      // A, the inductor's mean current the duty is set for
  double predicted_ripple = 0;  // A peak to peak, from the model's own flux curve
  double simulated_s = 0;       // s, the transient's length
};

// The deck of a buck, boost or buck-boost; nullopt for a PFC boost or a
// converter whose duty leaves (0, 1) once the drops are counted.
std::optional<ConverterDeck> BuildConverterDeck(const SpiceModel& model,
                                                const ConverterRequest& request,
                                                const ConverterDesign& converter);

// What ngspice measured of the choke, in the units of the names.
struct SimulatedChoke {
  double ripple_pp_a = 0;  // the inductance's current, peak to peak
  double i_avg_a = 0;      // the choke's mean current
  double i_peak_a = 0;     // the choke's largest current
  double i_rms_a = 0;      // the choke's RMS current
  double p_rdc_mw = 0;     // in R_DC
  double p_rloss_mw = 0;   // in R_LOSS (0 without one)
};

// A number ngspice printed: the whole text a finite number, else NaN.
double MeasuredNumber(const std::string& text);

// The measurements in ngspice's batch output; nullopt when one is missing
// (a value that is not a finite number is missing).
std::optional<SimulatedChoke> ReadSimulatedChoke(std::string_view output, bool has_rloss);

}  // namespace tov

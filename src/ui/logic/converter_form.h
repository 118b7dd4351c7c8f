#pragma once
// Tools > Converter...: the converter's fields as typed, the converter they
// describe, and the design inputs it fills (the DC current, the ripple, the
// frequency, Full Load L and No Load L, twice Full Load L).

#include <optional>
#include <string>

#include "engines/converter.h"
#include "ui/logic/window_model.h"

namespace tov {

// The dialog's fields; the start-up values are the buck of 36..60 V to 12 V.
struct ConverterFormTexts {
  Topology topology = Topology::Buck;
  std::string vin = "36:60";          // V or VMIN:VMAX (buck, boost, buck-boost)
  std::string vac = "90:265";         // VMIN:VMAX RMS (PFC boost)
  std::string vout = "12";            // V
  std::string iout = "10";            // A (buck, boost, buck-boost)
  std::string pout = "500";           // W (PFC boost)
  std::string fline = "50";           // Hz (PFC boost)
  std::string fsw = "100";            // kHz
  std::string ripple_percent = "30";  // empty: the inductance is given
  std::string inductance_uh;          // uH, used when the ripple goal is empty
  std::string efficiency = "1";
  friend bool operator==(const ConverterFormTexts&, const ConverterFormTexts&) = default;
};

struct ConverterFormResult {
  std::optional<ConverterRequest> request;
  std::optional<ConverterDesign> design;
  std::string error;  // the first field that is wrong, or why no converter does it
};

ConverterFormResult ReadConverterForm(const ConverterFormTexts& form);

// Writes the converter's figures into the design inputs: dc_current the largest
// DC current, ripple_current the worst corner's ripple, frequency the switching
// frequency, full_load_l the inductance and no_load_l twice it (seven significant
// digits each); marks the inputs changed.
void FillDesignInputs(WindowModel& window, const ConverterRequest& request,
                      const ConverterDesign& design);

// The converter's figures as lines for the dialog: every corner, then the
// choke's current, ripple, inductance and peak current.
std::string ConverterFigures(const ConverterRequest& request, const ConverterDesign& design);

}  // namespace tov

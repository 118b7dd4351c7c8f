#include "ui/logic/converter_form.h"

#include <cstdio>

#include "state/number_text.h"

namespace tov {
namespace {

std::string Digits(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.7g", value);
  return text;
}

// A field's number into `value`; false when it holds none.
bool Number(const std::string& text, double& value) {
  const std::optional<double> n = ParseNumber(text);
  if (n) value = *n;
  return n.has_value();
}

// "V" or "VMIN:VMAX" into the range.
bool Range(const std::string& text, double& low, double& high) {
  const std::size_t colon = text.find(':');
  if (!Number(text.substr(0, colon), low)) return false;
  if (colon == std::string::npos) {
    high = low;
    return true;
  }
  return Number(text.substr(colon + 1), high);
}

}  // namespace

ConverterFormResult ReadConverterForm(const ConverterFormTexts& form) {
  ConverterRequest r;
  r.topology = form.topology;
  const bool pfc = r.topology == Topology::PfcBoost;
  const auto wrong = [](const char* field) {
    return ConverterFormResult{std::nullopt, std::nullopt,
                               std::string(field) + " is not a number."};
  };
  if (!Range(pfc ? form.vac : form.vin, r.vin_min, r.vin_max)) {
    return {std::nullopt, std::nullopt,
            pfc ? "Line voltage takes VMIN:VMAX (V RMS)." : "Input voltage takes V or VMIN:VMAX."};
  }
  if (!Number(form.vout, r.vout)) return wrong("Output voltage");
  if (pfc && !Number(form.pout, r.pout)) return wrong("Output power");
  if (pfc && !Number(form.fline, r.fline)) return wrong("Line frequency");
  if (!pfc && !Number(form.iout, r.iout)) return wrong("Output current");
  if (!Number(form.fsw, r.fsw_khz)) return wrong("Switching frequency");
  if (!Number(form.efficiency, r.efficiency)) return wrong("Efficiency");
  double value = 0;
  if (!form.ripple_percent.empty()) {
    if (!Number(form.ripple_percent, value)) return wrong("Ripple goal");
    r.ripple_percent = value;
  } else {
    if (!Number(form.inductance_uh, value)) return wrong("Inductance");
    r.inductance_uh = value;
  }
  ConverterOutcome outcome = DesignConverter(r);
  if (!outcome.design) return {std::nullopt, std::nullopt, outcome.error};
  return {r, std::move(outcome.design), ""};
}

void FillDesignInputs(WindowModel& w, const ConverterRequest& r, const ConverterDesign& c) {
  w.dc_current.text = Digits(c.idc);
  w.ripple_current.text = Digits(c.ripple_pp);
  w.frequency.text = Digits(r.fsw_khz);
  w.full_load_l.text = Digits(c.inductance_uh);
  w.no_load_l.text = Digits(2 * c.inductance_uh);
  w.inputs_changed = true;
}

std::string ConverterFigures(const ConverterRequest& r, const ConverterDesign& c) {
  std::string text;
  char line[200];
  for (const OperatingPoint& p : c.corners) {
    std::snprintf(line, sizeof line, "%.4g V: duty %.4f, %.4g A, ripple %.4g A, peak %.4g A%s\n",
                  p.vin, p.duty, p.idc, p.ripple_pp, p.ipk, p.continuous ? "" : " (discontinuous)");
    text += line;
  }
  std::snprintf(line, sizeof line,
                "Choke: %.4g A DC, %.4g A ripple (at %.4g V), %.4g uH, %.4g A peak, %.4g kHz",
                c.idc, c.ripple_pp, c.ripple_vin, c.inductance_uh, c.ipk, r.fsw_khz);
  return text + line;
}

}  // namespace tov

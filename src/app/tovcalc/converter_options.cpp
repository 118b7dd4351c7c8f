#include "app/tovcalc/converter_options.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "state/number_text.h"

namespace tov::tovcalc {
namespace {

// A number as an input field takes it: seven significant digits.
std::string InputText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.7g", value);
  return text;
}

std::string Flag(OptionId id) {
  return "--" + std::string(EntryOf(id).name);
}

// "V" or "VMIN:VMAX" into the range; false when it is neither.
bool ReadRange(const std::string& text, double& low, double& high) {
  const std::size_t colon = text.find(':');
  const std::optional<double> a = ParseNumber(text.substr(0, colon));
  const std::optional<double> b =
      colon == std::string::npos ? a : ParseNumber(text.substr(colon + 1));
  if (!a || !b) return false;
  low = *a;
  high = *b;
  return true;
}

// The options only a converter takes, and those it sets itself.
constexpr OptionId kConverterOnly[] = {
    OptionId::Vin, OptionId::Vout,  OptionId::Iout, OptionId::Fsw,        OptionId::RipplePercent,
    OptionId::Vac, OptionId::Fline, OptionId::Pout, OptionId::Efficiency, OptionId::Simulate};
constexpr OptionId kConverterSets[] = {OptionId::Idc, OptionId::Ripple, OptionId::Freq};

// The number of a required option into `value`; the error when it is
// missing or no number.
std::string Required(const GivenOptions& given, OptionId id, double& value) {
  const std::optional<std::string>& text = given[id];
  if (!text) return "--converter needs " + Flag(id) + ".";
  const std::optional<double> number = ParseNumber(*text);
  if (!number) return Flag(id) + " takes a number, not \"" + *text + "\".";
  value = *number;
  return "";
}

std::string ReadRequest(const GivenOptions& given, ConverterRequest& r) {
  const bool pfc = r.topology == Topology::PfcBoost;
  const OptionId range = pfc ? OptionId::Vac : OptionId::Vin;
  const OptionId other = pfc ? OptionId::Vin : OptionId::Vac;
  if (given.Has(other)) {
    return Flag(other) + " is not an option of " + std::string(InfoOf(r.topology).name) + ": use " +
           Flag(range) + ".";
  }
  for (const OptionId id :
       pfc ? std::vector{OptionId::Iout} : std::vector{OptionId::Pout, OptionId::Fline}) {
    if (given.Has(id)) {
      return Flag(id) + " is not an option of " + std::string(InfoOf(r.topology).name) + ".";
    }
  }
  if (!given[range]) return "--converter needs " + Flag(range) + ".";
  if (!ReadRange(*given[range], r.vin_min, r.vin_max)) {
    return Flag(range) + " takes V or VMIN:VMAX, not \"" + *given[range] + "\".";
  }
  std::string error = Required(given, OptionId::Vout, r.vout);
  if (error.empty()) error = Required(given, OptionId::Fsw, r.fsw_khz);
  if (error.empty() && pfc) error = Required(given, OptionId::Pout, r.pout);
  if (error.empty() && pfc) error = Required(given, OptionId::Fline, r.fline);
  if (error.empty() && !pfc) error = Required(given, OptionId::Iout, r.iout);
  if (error.empty() && given.Has(OptionId::Efficiency)) {
    error = Required(given, OptionId::Efficiency, r.efficiency);
  }
  if (!error.empty()) return error;
  if (given.Has(OptionId::RipplePercent) == given.Has(OptionId::Lfl)) {
    return "--converter needs either --ripple-percent or --lfl.";
  }
  if (given.Has(OptionId::RipplePercent)) {
    double percent = 0;
    if (error = Required(given, OptionId::RipplePercent, percent); !error.empty()) return error;
    r.ripple_percent = percent;
  } else {
    double uH = 0;
    if (error = Required(given, OptionId::Lfl, uH); !error.empty()) return error;
    r.inductance_uh = uH;
  }
  return "";
}

}  // namespace

std::string ReadConverterOptions(const GivenOptions& given, Settings& s) {
  s.simulate = given.Has(OptionId::Simulate);
  const std::optional<std::string>& name = given[OptionId::Converter];
  if (!name) {
    for (const OptionId id : kConverterOnly) {
      if (given.Has(id)) return Flag(id) + " belongs to --converter.";
    }
    return "";
  }
  const std::optional<Topology> topology = TopologyNamed(*name);
  if (!topology) {
    return "Unknown converter \"" + *name + "\": use buck, boost, buck-boost or pfc-boost.";
  }
  for (const OptionId id : kConverterSets) {
    if (given.Has(id)) return "--converter sets " + Flag(id) + " itself: leave it out.";
  }
  if (given.Has(OptionId::Batch) || !given.sweeps.empty() || given.Has(OptionId::Candidates)) {
    return "--converter designs one choke: it takes no --batch, --sweep or --candidates.";
  }
  ConverterRequest r;
  r.topology = *topology;
  if (std::string error = ReadRequest(given, r); !error.empty()) return error;
  ConverterOutcome outcome = DesignConverter(r);
  if (!outcome.design) return outcome.error;
  const ConverterDesign& c = *outcome.design;
  s.dc_current = InputText(c.idc);
  s.ripple_current = InputText(c.ripple_pp);
  s.frequency = InputText(r.fsw_khz);
  s.full_load_l = InputText(c.inductance_uh);
  if (!given.Has(OptionId::Lnl)) s.no_load_l = InputText(2 * c.inductance_uh);
  s.converter = r;
  s.converter_design = std::move(outcome.design);
  return "";
}

namespace {

void Point(JsonWriter& json, const OperatingPoint& p) {
  json.BeginObject();
  json.Key("continuous");
  json.Bool(p.continuous);
  json.Key("duty");
  json.Double(p.duty);
  json.Key("i_dc_a");
  json.Double(p.idc);
  json.Key("i_peak_a");
  json.Double(p.ipk);
  json.Key("ripple_pp_a");
  json.Double(p.ripple_pp);
  json.Key("vin_v");
  json.Double(p.vin);
  json.EndObject();
}

}  // namespace

void WriteConverterJson(JsonWriter& json, const ConverterRequest& r, const ConverterDesign& c,
                        const std::optional<LineCycleLoss>& line_cycle) {
  const bool pfc = r.topology == Topology::PfcBoost;
  json.BeginObject();
  json.Key("corners");
  json.BeginArray();
  for (const OperatingPoint& p : c.corners) Point(json, p);
  json.EndArray();
  json.Key("efficiency");
  json.Double(r.efficiency);
  json.Key("fsw_khz");
  json.Double(r.fsw_khz);
  json.Key("i_dc_a");
  json.Double(c.idc);
  json.Key("i_peak_a");
  json.Double(c.ipk);
  json.Key("inductance_uh");
  json.Double(c.inductance_uh);
  if (pfc) {
    json.Key("i_rms_low_line_a");
    json.Double(std::sqrt(c.i_rms_squared));
    if (line_cycle) {
      json.Key("line_cycle");
      json.BeginObject();
      json.Key("angles_without_value");
      json.Int(line_cycle->angles_without_value);
      json.Key("copper_loss_mw");
      json.Double(line_cycle->copper_mw);
      json.Key("core_loss_mw");
      json.Double(line_cycle->core_mw);
      json.Key("i_rms_a");
      json.Double(line_cycle->i_rms_a);
      json.Key("ripple_pp_max_a");
      json.Double(line_cycle->ripple_pp_max_a);
      json.EndObject();
    }
    json.Key("line_hz");
    json.Double(r.fline);
    json.Key("pout_w");
    json.Double(r.pout);
  } else {
    json.Key("iout_a");
    json.Double(r.iout);
  }
  json.Key("ripple_goal_percent");
  if (r.ripple_percent) {
    json.Double(*r.ripple_percent);
  } else {
    json.Double(kNoNumber);
  }
  if (pfc) {
    json.Key("ripple_angle_deg");
    json.Double(c.ripple_angle_deg);
  }
  json.Key("ripple_pp_a");
  json.Double(c.ripple_pp);
  json.Key("ripple_vin_v");
  json.Double(c.ripple_vin);
  json.Key("topology");
  json.String(InfoOf(r.topology).name);
  json.Key(pfc ? "vac_max_v" : "vin_max_v");
  json.Double(r.vin_max);
  json.Key(pfc ? "vac_min_v" : "vin_min_v");
  json.Double(r.vin_min);
  json.Key("vout_v");
  json.Double(r.vout);
  json.EndObject();
}

std::string ConverterReport(const ConverterRequest& r, const ConverterDesign& c) {
  char line[200];
  std::string text = std::string(InfoOf(r.topology).caption) + " converter\n";
  for (const OperatingPoint& p : c.corners) {
    std::snprintf(line, sizeof line,
                  "  Vin %9.4g V  duty %6.4f  I_dc %9.4g A  ripple %9.4g A pp  I_pk %9.4g A%s\n",
                  p.vin, p.duty, p.idc, p.ripple_pp, p.ipk,
                  p.continuous ? "" : "  (discontinuous)");
    text += line;
  }
  std::snprintf(line, sizeof line,
                "  Choke: I_dc %.4g A, ripple %.4g A pp (at %.4g V), %.4g uH, I_pk %.4g A\n", c.idc,
                c.ripple_pp, c.ripple_vin, c.inductance_uh, c.ipk);
  return text + line;
}

}  // namespace tov::tovcalc

#include "io/mas_export.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "engines/run_inputs.h"
#include "models/core_loss.h"
#include "models/rolloff.h"
#include "models/wire_gauge.h"
#include "state/constants.h"
#include "state/number_text.h"

namespace tov {
namespace {

using Json = nlohmann::ordered_json;

// The maker of the cores and of this program.
constexpr const char* kMaker = "Corvane";
// How the outputs came about, as the format names it.
constexpr const char* kComputed = "simulation";

// --- SI units ---------------------------------------------------------------
constexpr double kMetresPerInch = 0.0254;
constexpr double kHenriesPerMicrohenry = 1e-6;
constexpr double kHenriesPerMillihenry = 1e-3;
constexpr double kHertzPerKilohertz = 1e3;
constexpr double kWattsPerMilliwatt = 1e-3;
constexpr double kCubicMetresPerCubicCm = 1e-6;
constexpr double kTeslaPerKilogauss = 0.1;
constexpr double kTeslaPerGauss = 1e-4;
// The program's oersted is 0.4 pi N I / le with its own pi, so that N I / le
// in A/m is H x 1000 / (4 pi) with that same pi.
constexpr double kAmperesPerMetrePerOersted = 1000.0 / (4 * kPi);
// A circular mil is the area of a circle of one mil (0.001 in) diameter.
constexpr double kInchesPerMil = 0.001;
// Steinmetz: mW/cm^3 with f in kHz and B in kG is W/m^3 with f in Hz and B
// in T when k is multiplied by 10^(3 - 3 alpha + beta).
constexpr double kSteinmetzPowerOfTen = 3;

// The convention of the format: a material's saturation lies where its
// differential permeability has fallen to a tenth of the initial one.
constexpr double kSaturationPermeabilityFraction = 0.1;
// The cores' bulk resistivity, ohm metres. The format needs one; the program
// has none, because its loss law holds the whole core loss. A powder core's
// insulated particles make it a near insulator: a value this high adds no
// eddy-current loss in a tool that computes one from it.
constexpr double kStandInResistivity = 1e6;

// A 4-byte value as its shortest decimal text reads (0.3, not 0.300000011920929).
double Single(float value) {
  return ParseNumber(PlainNumberText(value, 7)).value_or(value);
}

// Rounds every fractional number of `json` to 15 significant digits, so that
// the units' conversions leave no trailing noise (1e-4, not
// 9.999999999999999e-05). Returns false when a number is not finite.
bool Tidy(Json& json) {
  if (json.is_number_float()) {
    const double value = json.get<double>();
    if (!std::isfinite(value)) return false;
    json = ParseNumber(PlainNumberText(value, 15)).value_or(value);
    return true;
  }
  if (json.is_structured()) {
    for (Json& item : json) {
      if (!Tidy(item)) return false;
    }
  }
  return true;
}

// The inputs the design was made from: the request read as a run reads it.
bool MadeFrom(const DesignRequest& request, const DesignResult& d) {
  RunInputs expected = ReadRunInputs(request, d.stack_count);
  expected.Lmax = d.in.Lmax;
  return expected == d.in && request.material == d.material;
}

// Whether No Load L was a ceiling of the design.
bool HasCeiling(const DesignResult& d) {
  return d.in.Lmax > 0 && d.in.Lmax < kNoCeiling_mH;
}

Json Triangle(double offset, double peak_to_peak) {
  return {{"label", "triangular"},
          {"offset", offset},
          {"peakToPeak", peak_to_peak},
          {"peak", std::abs(offset) + peak_to_peak / 2},
          {"dutyCycle", 0.5}};
}

// The current: a symmetric triangle of dI peak to peak about Idc.
Json CurrentOf(const DesignRequest& r) {
  Json processed = Triangle(r.dc_current_a, r.ripple_a);
  processed["average"] = r.dc_current_a;
  processed["rms"] = std::sqrt(r.dc_current_a * r.dc_current_a + r.ripple_a * r.ripple_a / 12);
  return {{"processed", processed}};
}

// Whether the roll-off model has a value at the peak current: where it has
// none, the design's full-load figures kept those of an earlier step.
bool HasFullLoadPermeability(const DesignResult& d) {
  const std::optional<float> H = MagForce(d.N, d.in.Ipk, d.le);
  return H && EffPerm(d.ui, *H, RollOffFor(d.material)).has_value();
}

// Flux density at the DC current, T: ue H in gauss as the program computes it.
std::optional<double> DcFluxDensity(const DesignResult& d) {
  const std::optional<float> H = MagForce(d.N, d.in.Idc, d.le);
  if (!H) return std::nullopt;
  const std::optional<float> ue = EffPerm(d.ui, *H, RollOffFor(d.material));
  if (!ue) return std::nullopt;
  return double{*ue} * double{*H} * kTeslaPerGauss;
}

Json FluxDensityOf(const DesignResult& d, double dc_tesla) {
  return {{"processed", Triangle(dc_tesla, 2 * Single(d.Bac) * kTeslaPerKilogauss)}};
}

Json InputsOf(const MasExportInput& in, double ambient, double dc_tesla) {
  const DesignRequest& r = in.request;
  Json inductance = {{"minimum", r.full_load_l_uh * kHenriesPerMicrohenry}};
  if (HasCeiling(in.design)) inductance["maximum"] = r.no_load_l_uh * kHenriesPerMicrohenry;
  Json requirements = {{"magnetizingInductance", inductance},
                       {"turnsRatios", Json::array()},
                       {"operatingTemperature", {{"maximum", ambient + r.allowable_rise_c}}}};
  Json excitation = {{"name", "Winding"},
                     {"frequency", r.frequency_khz * kHertzPerKilohertz},
                     {"current", CurrentOf(r)},
                     {"magneticFluxDensity", FluxDensityOf(in.design, dc_tesla)}};
  Json point = {{"name", "Full load"},
                {"conditions", {{"ambientTemperature", ambient}}},
                {"excitationsPerWinding", {excitation}}};
  return {{"designRequirements", requirements}, {"operatingPoints", {point}}};
}

// The point where the differential permeability d(ue H)/dH of the samples
// has fallen to a tenth of ui, interpolated between the midpoints of the
// sample intervals; nullopt when it stays above.
std::optional<Json> SaturationOf(const std::vector<RollOffSample>& samples, double ui,
                                 double ambient) {
  const double limit = kSaturationPermeabilityFraction * ui;
  double last_mid = 0, last_differential = ui;
  for (std::size_t i = 1; i < samples.size(); ++i) {
    const RollOffSample& a = samples[i - 1];
    const RollOffSample& b = samples[i];
    const double differential = (b.ue * b.H_Oe - a.ue * a.H_Oe) / (b.H_Oe - a.H_Oe);
    const double mid = (a.H_Oe + b.H_Oe) / 2;
    if (differential > limit) {
      last_mid = mid;
      last_differential = differential;
      continue;
    }
    const double share = (last_differential - limit) / (last_differential - differential);
    const double H = last_mid + share * (mid - last_mid);
    // ue H between the samples that hold H.
    std::size_t k = 1;
    while (k + 1 < samples.size() && samples[k].H_Oe < H) ++k;
    const RollOffSample& lo = samples[k - 1];
    const RollOffSample& hi = samples[k];
    const double t = (H - lo.H_Oe) / (hi.H_Oe - lo.H_Oe);
    const double B_gauss = lo.ue * lo.H_Oe + t * (hi.ue * hi.H_Oe - lo.ue * lo.H_Oe);
    return Json{{"magneticFluxDensity", B_gauss * kTeslaPerGauss},
                {"magneticField", H * kAmperesPerMetrePerOersted},
                {"temperature", ambient}};
  }
  return std::nullopt;
}

Json MaterialOf(const MasExportInput& in, double ambient) {
  const DesignResult& d = in.design;
  const double ui = Single(d.ui);
  Json permeability = {{"initial", {{"value", ui}}}};
  if (!in.rolloff.empty()) {
    Json points = Json::array();
    for (const RollOffSample& s : in.rolloff) {
      points.push_back(
          {{"value", s.ue}, {"magneticFieldDcBias", s.H_Oe * kAmperesPerMetrePerOersted}});
    }
    permeability["incremental"] = points;
  }
  Json saturation = Json::array();
  if (std::optional<Json> point = SaturationOf(in.rolloff, ui, ambient)) {
    saturation.push_back(*point);
  } else if (!in.rolloff.empty()) {
    const RollOffSample& last = in.rolloff.back();
    saturation.push_back({{"magneticFluxDensity", last.ue * last.H_Oe * kTeslaPerGauss},
                          {"magneticField", last.H_Oe * kAmperesPerMetrePerOersted},
                          {"temperature", ambient}});
  }
  Json losses = Json::object();
  const CoreLossCoefficients c = CoreLossCoefficientsFor(d.MatType, d.ui);
  if (c.k > 0 && c.c > 0 && c.a > 0) {
    const double alpha = Single(c.c), beta = Single(c.a);
    const double k = Single(c.k) * std::pow(10.0, kSteinmetzPowerOfTen - 3 * alpha + beta);
    losses["default"] = {
        {{"method", "steinmetz"}, {"ranges", {{{"k", k}, {"alpha", alpha}, {"beta", beta}}}}}};
  }
  return {{"type", "custom"},
          {"material", "powder"},
          {"name", std::string(InfoOf(d.material).caption) + " " + PlainNumberText(ui, 7)},
          {"manufacturerInfo", {{"name", kMaker}}},
          {"permeability", permeability},
          {"saturation", saturation},
          {"resistivity", {{{"value", kStandInResistivity}}}},
          {"volumetricLosses", losses}};
}

Json ShapeOf(const MasCoreRow& core, bool e_core) {
  Json dimensions = Json::object();
  const auto put = [&](const char* key, const std::optional<double>& inches) {
    if (inches && *inches > 0) dimensions[key] = *inches * kMetresPerInch;
  };
  if (e_core) {
    put("A", core.nominal_id_in);  // length of the set
    put("C", core.nominal_od_in);  // width of the set
  } else {
    put("A", core.nominal_od_in);
    put("B", core.nominal_id_in);
    put("C", core.nominal_ht_in);
  }
  return {{"type", "custom"},
          {"family", e_core ? "e" : "t"},
          {"name", core.part_number},
          {"dimensions", dimensions}};
}

Json CoilOf(const MasExportInput& in, double conducting_in, double outer_in) {
  const DesignResult& d = in.design;
  const std::string gauge = "AWG " + std::to_string(d.G);
  Json wire = {{"type", "round"},
               {"name", gauge},
               {"material", "copper"},
               {"numberConductors", 1},
               {"conductingDiameter", {{"nominal", conducting_in * kMetresPerInch}}},
               {"outerDiameter", {{"nominal", outer_in * kMetresPerInch}}}};
  Json winding = {{"name", "Winding"},
                  {"numberTurns", d.N},
                  {"numberParallels", d.strands},
                  {"isolationSide", "primary"},
                  {"wire", wire}};
  return {{"bobbin", in.core.bobbin.empty() ? std::string("None") : in.core.bobbin},
          {"functionalDescription", {winding}}};
}

Json Inductance(double henries, const char* key, double bias_A, double ambient, int16_t N,
                std::optional<double> frequency_Hz) {
  Json condition = {{"dcBiasCurrent", bias_A}};
  if (frequency_Hz) condition["frequency"] = *frequency_Hz;
  condition["temperature"] = ambient;
  return {{"magnetizingInductance",
           {{"origin", kComputed},
            {"methodUsed", "N^2 AL ue/ui, the program's DC-bias roll-off of the permeability"},
            {"magnetizingInductance", {{key, henries}}},
            {"measurementCondition", condition},
            {"coreReluctance", static_cast<double>(N) * N / henries}}}};
}

Json OutputsOf(const MasExportInput& in, double ambient, double dc_tesla) {
  const DesignResult& d = in.design;
  const double per_core_to_stack = kHenriesPerMillihenry * d.stack_count;
  const double Ipk = in.request.dc_current_a + in.request.ripple_a / 2;
  const double f_Hz = in.request.frequency_khz * kHertzPerKilohertz;
  const double rise = Single(d.dT);

  Json full_load = {{"inductance", Inductance(Single(d.Lfl) * per_core_to_stack, "nominal", Ipk,
                                              ambient, d.N, f_Hz)}};
  if (d.Pfe > 0) {
    const double volume =
        double{Single(d.le)} * Single(d.Ae) * d.stack_count * kCubicMetresPerCubicCm;
    const double watts = Single(d.Pfe) * kWattsPerMilliwatt;
    full_load["coreLosses"] = {{"origin", kComputed},
                               {"methodUsed", "steinmetz"},
                               {"magneticFluxDensity", FluxDensityOf(d, dc_tesla)},
                               {"temperature", ambient + rise},
                               {"volumetricLosses", watts / volume},
                               {"coreLosses", watts}};
  }
  if (d.Pcu > 0) {
    full_load["windingLosses"] = {{"origin", kComputed},
                                  {"methodUsed", "dcResistance"},
                                  {"temperature", ambient},
                                  {"windingLosses", Single(d.Pcu) * kWattsPerMilliwatt},
                                  {"dcResistancePerWinding", {Single(d.Rdc)}}};
  }
  full_load["temperature"] = {{"origin", kComputed},
                              {"methodUsed", "natural convection: rise = (P / As)^0.833"},
                              {"initialTemperature", ambient},
                              {"maximumTemperature", ambient + rise}};

  const Json no_load = {{"inductance", Inductance(Single(d.Lnl) * per_core_to_stack, "nominal", 0,
                                                  ambient, d.N, std::nullopt)}};

  Json worst = {{"inductance", Inductance(in.worst.Lfl_min_uH * kHenriesPerMicrohenry, "minimum",
                                          Ipk, ambient, d.N, f_Hz)}};
  if (in.worst.hot && in.worst.hot->Pcu > 0) {
    const HotWinding& hot = *in.worst.hot;
    worst["windingLosses"] = {{"origin", kComputed},
                              {"methodUsed", "dcResistance"},
                              {"temperature", Single(hot.T_copper)},
                              {"windingLosses", Single(hot.Pcu) * kWattsPerMilliwatt},
                              {"dcResistancePerWinding", {Single(hot.Rdc)}}};
    worst["temperature"] = {{"origin", kComputed},
                            {"methodUsed", "natural convection: rise = (P / As)^0.833"},
                            {"initialTemperature", ambient},
                            {"maximumTemperature", ambient + Single(hot.dT)}};
  }
  return {full_load, no_load, worst};
}

}  // namespace

MasCoreRow MasCoreRowOf(const CoreTable& cores, int16_t row, bool e_core) {
  MasCoreRow core;
  core.part_number = cores.PartNumber(row, e_core);
  if (e_core) core.bobbin = cores.Display(row, CoreColumn::BobbinPN);
  const CoreRowNumbers& numbers = cores.Numbers(row);
  core.nominal_id_in = numbers.Number(CoreColumn::NomID);
  core.nominal_od_in = numbers.Number(CoreColumn::NomOD);
  core.nominal_ht_in = numbers.Number(CoreColumn::NomHt);
  return core;
}

std::vector<RollOffSample> RollOffSamplesOf(const Curve& curve, const DesignResult& design) {
  std::vector<RollOffSample> samples;
  if (curve.kind != CurveKind::PermeabilityVsField || curve.marks.empty()) return samples;
  const std::size_t series = curve.marks.front().series;
  if (series >= curve.series.size()) return samples;
  const std::vector<double>& percent = curve.series[series].y;
  for (std::size_t i = 0; i < curve.xs.size() && i < percent.size(); ++i) {
    if (!std::isfinite(percent[i]) || !(curve.xs[i] > 0)) continue;
    samples.push_back({curve.xs[i], percent[i] / 100 * Single(design.ui)});
  }
  return samples;
}

MasExportResult ExportMas(const MasExportInput& in) {
  const DesignResult& d = in.design;
  if (!MadeFrom(in.request, d)) {
    return {{},
            "The inputs are not those the design shown was made from: calculate the design "
            "again first."};
  }
  const std::optional<double> conducting_cmil = WireCrossSection(d.G);
  const std::optional<double> outer_in = WireDia(d.G);
  if (!conducting_cmil || !(*conducting_cmil > 0) || !outer_in || !(*outer_in > 0)) {
    return {{}, "The design shown has no wire that fits its core, so it describes no choke."};
  }
  if (d.N <= 0 || !(d.Lnl > 0)) {
    return {{}, "The design shown has no inductance: it has no turns or no permeability."};
  }
  if (!(d.Lfl > 0) || !(in.worst.Lfl_min_uH > 0) || !HasFullLoadPermeability(d)) {
    return {{},
            "The design shown has no inductance at full load: the roll-off model has no value at "
            "its peak current."};
  }
  if (in.rolloff.size() < 2) {
    return {{}, "The design shown has no roll-off curve to describe its material with."};
  }
  const std::optional<double> dc_tesla = DcFluxDensity(d);
  if (!dc_tesla) {
    return {{},
            "The design shown has no flux density at its DC current: the roll-off model has no "
            "value there."};
  }
  const double ambient = ParseNumber(PlainNumberText(AmbientOf(d), 6)).value_or(AmbientOf(d));
  const double conducting_in = std::sqrt(*conducting_cmil) * kInchesPerMil;

  Json core = {{"name", in.core.part_number},
               {"manufacturerInfo", {{"name", kMaker}, {"reference", in.core.part_number}}},
               {"functionalDescription",
                {{"type", d.e_core ? "twoPieceSet" : "toroidal"},
                 {"material", MaterialOf(in, ambient)},
                 {"shape", ShapeOf(in.core, d.e_core)},
                 {"gapping", Json::array()},
                 {"numberStacks", d.stack_count}}}};
  Json document = {{"masVersion", kMasVersion},
                   {"masConformance", "A"},
                   {"inputs", InputsOf(in, ambient, *dc_tesla)},
                   {"magnetic", {{"core", core}, {"coil", CoilOf(in, conducting_in, *outer_in)}}},
                   {"outputs", OutputsOf(in, ambient, *dc_tesla)}};
  if (!Tidy(document)) {
    return {{}, "A figure of the design shown has no finite value, so it cannot be exported."};
  }
  return {document.dump(2) + "\n", {}};
}

}  // namespace tov

#include "io/mas_import.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <vector>

#include "state/number_text.h"

namespace tov {
namespace {

using Json = nlohmann::json;

constexpr double kMicrohenriesPerHenry = 1e6;
constexpr double kKilohertzPerHertz = 1e-3;
// Deeper nesting than any MAS document has is refused before it is parsed.
constexpr int kMaxDepth = 64;
// A point lies on a triangle's side when it is off by less than this share
// of the peak-to-peak swing.
constexpr double kCollinearShare = 1e-6;

struct Refusal {
  std::string reason;
};

// Whether arrays and objects nest deeper than kMaxDepth outside of strings.
bool NestsTooDeep(std::string_view text) {
  int depth = 0;
  bool in_string = false, escaped = false;
  for (const char c : text) {
    if (in_string) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        in_string = false;
      }
    } else if (c == '"') {
      in_string = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxDepth) return true;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return false;
}

// The member `key` of an object, or null.
const Json* Member(const Json* object, const char* key) {
  if (object == nullptr || !object->is_object()) return nullptr;
  const auto it = object->find(key);
  return it == object->end() ? nullptr : &*it;
}

// A finite number, or nullopt (absent, not a number, not finite).
std::optional<double> Number(const Json* value) {
  if (value == nullptr || !value->is_number()) return std::nullopt;
  const double number = value->get<double>();
  if (!std::isfinite(number)) return std::nullopt;
  return number;
}

// A value as 15 significant digits give it back.
double Rounded(double value) {
  return ParseNumber(PlainNumberText(value, 15)).value_or(value);
}

struct Ripple {
  double dc = 0;            // A
  double peak_to_peak = 0;  // A
};

// A triangle from the processed description: its offset and its peak to
// peak, or its peak (the largest magnitude) and offset.
std::optional<Ripple> ProcessedTriangle(const Json& processed) {
  const std::optional<double> offset = Number(Member(&processed, "offset"));
  if (!offset) return std::nullopt;
  if (const std::optional<double> pp = Number(Member(&processed, "peakToPeak"))) {
    if (*pp < 0) return std::nullopt;
    return Ripple{*offset, *pp};
  }
  const std::optional<double> peak = Number(Member(&processed, "peak"));
  if (!peak || *peak < std::abs(*offset)) return std::nullopt;
  return Ripple{*offset, 2 * (*peak - std::abs(*offset))};
}

struct Sample {
  double t = 0;
  double i = 0;
};

// Whether the samples from..to (indices into `s`, to > from) lie on the
// straight line between the two ends; a jump at one instant is one step.
bool Straight(const std::vector<Sample>& s, std::size_t from, std::size_t to, double swing) {
  const Sample& a = s[from];
  const Sample& b = s[to];
  if (!(b.t > a.t)) return to == from + 1;
  for (std::size_t k = from + 1; k < to; ++k) {
    const double on_line = a.i + (b.i - a.i) * (s[k].t - a.t) / (b.t - a.t);
    if (!(std::abs(s[k].i - on_line) <= kCollinearShare * swing)) return false;
  }
  return true;
}

// DC plus a triangle from the samples of one period (without the next
// period's first): from its lowest point the current rises on a straight
// line to its highest and falls on another back to the lowest one period
// later.
std::optional<Ripple> TriangleOfPeriod(const std::vector<Sample>& s, double period) {
  if (s.empty() || !(period > 0)) return std::nullopt;
  const auto lowest = std::min_element(s.begin(), s.end(),
                                       [](const Sample& a, const Sample& b) { return a.i < b.i; });
  std::vector<Sample> cycle(lowest, s.end());
  for (auto it = s.begin(); it != lowest; ++it) cycle.push_back({it->t + period, it->i});
  cycle.push_back({lowest->t + period, lowest->i});
  const auto highest = std::max_element(cycle.begin(), cycle.end(),
                                        [](const Sample& a, const Sample& b) { return a.i < b.i; });
  const double low = cycle.front().i, high = highest->i;
  const double swing = high - low;
  if (!std::isfinite(swing)) return std::nullopt;
  const auto top = static_cast<std::size_t>(highest - cycle.begin());
  if (swing > 0 &&
      (!Straight(cycle, 0, top, swing) || !Straight(cycle, top, cycle.size() - 1, swing))) {
    return std::nullopt;
  }
  return Ripple{low / 2 + high / 2, swing};
}

// DC plus a triangle from a waveform: samples with their times, covering a
// period from the first time to the last, where the current is back at its
// first value; or equidistant samples of one period, the closing sample
// given or not.
std::optional<Ripple> WaveformTriangle(const Json& waveform) {
  const Json* data = Member(&waveform, "data");
  if (data == nullptr || !data->is_array() || data->empty()) return std::nullopt;
  const Json* time = Member(&waveform, "time");
  if (time != nullptr && (!time->is_array() || time->size() != data->size())) return std::nullopt;
  if (time == nullptr) {
    const Json* periods = Member(&waveform, "numberPeriods");
    if (periods != nullptr && Number(periods) != 1.0) return std::nullopt;
  }
  std::vector<Sample> s;
  for (std::size_t k = 0; k < data->size(); ++k) {
    const std::optional<double> i = Number(&(*data)[k]);
    const std::optional<double> t =
        time != nullptr ? Number(&(*time)[k]) : std::optional<double>(static_cast<double>(k));
    if (!i || !t || (k > 0 && *t < s.back().t)) return std::nullopt;
    s.push_back({*t, *i});
  }
  const bool closed = s.size() > 2 && s.back().i == s.front().i;
  if (time != nullptr && !closed) return std::nullopt;
  const double period = closed ? s.back().t - s.front().t : static_cast<double>(s.size());
  if (closed) s.pop_back();
  return TriangleOfPeriod(s, period);
}

// DC plus a triangle from a current's description: its processed figures
// when they name a triangle, else its waveform.
Ripple CurrentRipple(const Json* current) {
  const Refusal not_triangle{
      "The current of the document is not DC plus a triangular ripple, the only current this "
      "program designs for."};
  if (current == nullptr || !current->is_object()) {
    throw Refusal{"The operating point gives no current for the winding."};
  }
  const Json* processed = Member(current, "processed");
  const Json* label = Member(processed, "label");
  if (label != nullptr && label->is_string() && *label != "custom") {
    if (*label != "triangular") {
      throw Refusal{"The current of the document is " + label->get<std::string>() +
                    ", not DC plus a triangular ripple, the only current this program designs "
                    "for."};
    }
    if (const std::optional<Ripple> ripple = ProcessedTriangle(*processed)) return *ripple;
    throw not_triangle;
  }
  const Json* waveform = Member(current, "waveform");
  if (waveform == nullptr) throw not_triangle;
  if (const std::optional<Ripple> ripple = WaveformTriangle(*waveform)) return *ripple;
  throw not_triangle;
}

// The one element of an array that must hold exactly one.
const Json& OnlyOne(const Json* array, const std::string& none, const std::string& several) {
  if (array == nullptr || !array->is_array() || array->empty()) throw Refusal{none};
  if (array->size() > 1) throw Refusal{several};
  return array->front();
}

std::string Count(std::size_t n) {
  return std::to_string(n);
}

MasInputs Read(const Json& document) {
  if (!document.is_object()) throw Refusal{"The file holds no MAS document: no JSON object."};
  const Json* inputs = Member(&document, "inputs");
  if (inputs == nullptr || !inputs->is_object()) {
    throw Refusal{"The document has no inputs, so it states nothing to design for."};
  }
  const Json* requirements = Member(inputs, "designRequirements");
  const Json* ratios = Member(requirements, "turnsRatios");
  if (ratios != nullptr && ratios->is_array() && !ratios->empty()) {
    throw Refusal{"The document describes " + Count(ratios->size() + 1) +
                  " windings; this program designs a choke of one winding."};
  }
  const Json* coil = Member(Member(&document, "magnetic"), "coil");
  const Json* windings = Member(coil, "functionalDescription");
  if (windings != nullptr && windings->is_array() && windings->size() > 1) {
    throw Refusal{"The document describes " + Count(windings->size()) +
                  " windings; this program designs a choke of one winding."};
  }
  const Json* points = Member(inputs, "operatingPoints");
  const Json& point =
      OnlyOne(points, "The document has no operating point, so it gives no current to design for.",
              "The document has " + Count(points && points->is_array() ? points->size() : 0) +
                  " operating points; this program designs a choke for one.");
  const Json* excitations = Member(&point, "excitationsPerWinding");
  const Json& excitation =
      OnlyOne(excitations, "The operating point gives no excitation of a winding.",
              "The operating point excites " +
                  Count(excitations && excitations->is_array() ? excitations->size() : 0) +
                  " windings; this program designs a choke of one winding.");

  MasInputs result;
  const Ripple ripple = CurrentRipple(Member(&excitation, "current"));
  result[MasInput::Idc] = Rounded(std::abs(ripple.dc));
  result[MasInput::Ripple] = Rounded(ripple.peak_to_peak);
  const std::optional<double> f = Number(Member(&excitation, "frequency"));
  if (!f || !(*f > 0)) {
    throw Refusal{"The operating point gives no ripple frequency above 0 Hz."};
  }
  result[MasInput::Frequency] = Rounded(*f * kKilohertzPerHertz);

  const Json* inductance = Member(requirements, "magnetizingInductance");
  std::optional<double> required = Number(Member(inductance, "minimum"));
  if (!required) required = Number(Member(inductance, "nominal"));
  if (!required || !(*required > 0)) {
    throw Refusal{
        "The document requires no inductance above 0 H (a minimum or nominal "
        "magnetizing inductance among its design requirements)."};
  }
  result[MasInput::FullLoadL] = Rounded(*required * kMicrohenriesPerHenry);
  if (const Json* maximum = Member(inductance, "maximum")) {
    const std::optional<double> ceiling = Number(maximum);
    if (!ceiling || !(*ceiling >= *required)) {
      throw Refusal{"The document's largest inductance lies below the inductance it requires."};
    }
    result[MasInput::NoLoadL] = Rounded(*ceiling * kMicrohenriesPerHenry);
  }

  if (const Json* limit = Member(Member(requirements, "operatingTemperature"), "maximum")) {
    const std::optional<double> hottest = Number(limit);
    const std::optional<double> ambient =
        Number(Member(Member(&point, "conditions"), "ambientTemperature"));
    if (!hottest || !ambient || !(*hottest > *ambient)) {
      throw Refusal{
          "The document's highest operating temperature does not lie above the "
          "ambient temperature of its operating point."};
    }
    result[MasInput::Rise] = Rounded(*hottest - *ambient);
  }
  for (const std::optional<double>& value : result.value) {
    if (value && !std::isfinite(*value)) {
      throw Refusal{"A figure of the document lies beyond the range of numbers."};
    }
  }
  if (!(*result[MasInput::Frequency] > 0)) {
    throw Refusal{"The operating point gives no ripple frequency above 0 Hz."};
  }
  return result;
}

}  // namespace

MasImport ImportMas(std::string_view text) {
  if (text.size() > kMasMaxBytes) {
    return {std::nullopt, "The file is larger than any MAS document this program reads."};
  }
  if (NestsTooDeep(text)) {
    return {std::nullopt, "The file holds no MAS document: its JSON nests too deep."};
  }
  const Json document = Json::parse(text.begin(), text.end(), nullptr, false);
  if (document.is_discarded()) {
    return {std::nullopt, "The file holds no MAS document: it is not JSON text."};
  }
  try {
    return {Read(document), {}};
  } catch (const Refusal& refusal) {
    return {std::nullopt, refusal.reason};
  }
}

}  // namespace tov

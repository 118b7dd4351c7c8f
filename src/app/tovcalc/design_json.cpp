#include "app/tovcalc/design_json.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/tovcalc/command_line.h"
#include "state/number_text.h"
#include "state/powers_of_ten.h"
#include "ui/logic/window_fields.h"

namespace tov::tovcalc {
namespace {

void Member(JsonWriter& json, std::string_view key, double value) {
  json.Key(key);
  json.Double(value);
}

void OptionalMember(JsonWriter& json, std::string_view key, const std::optional<double>& value) {
  json.Key(key);
  json.Double(value.value_or(NAN));
}

// "worst_case": the AL tolerance, the least full-load inductance and the
// winding at its final temperature (null where it runs away).
void WriteWorstCase(JsonWriter& json, const std::optional<WorstCase>& worst) {
  if (!worst) {
    json.Double(NAN);
    return;
  }
  const std::optional<HotWinding>& hot = worst->hot;
  const auto hot_value = [&](float HotWinding::*field) {
    return hot ? FloatValue((*hot).*field) : NAN;
  };
  json.BeginObject();
  Member(json, "al_tolerance_percent", FloatValue(worst->al_tolerance_percent));
  Member(json, "copper_loss_mw", hot_value(&HotWinding::Pcu));
  Member(json, "copper_temp_c", hot_value(&HotWinding::T_copper));
  Member(json, "dcr_hot_ohm", hot_value(&HotWinding::Rdc));
  Member(json, "l_full_load_min_uh", FloatValue(static_cast<float>(worst->Lfl_min_uH)));
  Member(json, "temp_rise_c", hot_value(&HotWinding::dT));
  json.Key("thermal_runaway");
  json.Bool(!hot);
  Member(json, "total_loss_mw", hot_value(&HotWinding::Ptot));
  json.EndObject();
}

// The "captions" object member by member.
void WriteCaptions(JsonWriter& json, const WindowModel& w) {
  json.BeginObject();
  for (const OutputField& f : kOutputFields) {
    json.Key(f.key);
    json.String(f.live_caption ? std::string_view(w.*f.live_caption) : f.caption);
  }
  json.EndObject();
}

// The "captions" object on one line. It changes only with the captions the
// model words (units, material kind, watts), so each wording met is encoded
// once and kept.
std::string_view CompactCaptions(const WindowModel& w) {
  struct Wording {
    std::vector<std::string> live;  // the live captions, in the order of kOutputFields
    std::string json;
  };
  // Beyond this many wordings (never met: the captions have 8) a wording is
  // encoded each time.
  constexpr std::size_t kMostWordings = 16;
  thread_local std::vector<Wording> wordings;
  thread_local std::string uncached;
  const auto matches = [&](const Wording& wording) {
    std::size_t i = 0;
    for (const OutputField& f : kOutputFields) {
      if (f.live_caption && wording.live[i++] != w.*f.live_caption) return false;
    }
    return true;
  };
  for (const Wording& wording : wordings) {
    if (matches(wording)) return wording.json;
  }
  std::string json;
  JsonWriter writer(json, JsonLayout::Compact);
  WriteCaptions(writer, w);
  writer.Flush();
  if (wordings.size() == kMostWordings) {
    uncached = std::move(json);
    return uncached;
  }
  Wording& wording = wordings.emplace_back();
  for (const OutputField& f : kOutputFields) {
    if (f.live_caption) wording.live.push_back(w.*f.live_caption);
  }
  wording.json = std::move(json);
  return wording.json;
}

// "#RRGGBB".
std::string_view Colour(Rgb c, char (&text)[7]) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const unsigned char parts[] = {c.r, c.g, c.b};
  text[0] = '#';
  for (int i = 0; i < 3; ++i) {
    text[1 + 2 * i] = kHex[parts[i] >> 4];
    text[2 + 2 * i] = kHex[parts[i] & 0xF];
  }
  return {text, sizeof text};
}

void WriteChecks(JsonWriter& json, const std::vector<RequirementCheck>& checks) {
  json.BeginArray();
  for (const RequirementCheck& c : checks) {
    json.BeginObject();
    OptionalMember(json, "achieved", c.achieved);
    json.Key("check");
    json.String(DescriptorOf(c.kind).key);
    json.Key("pass");
    json.Bool(c.pass);
    json.Key("reason");
    json.String(c.reason);
    OptionalMember(json, "target", c.target);
    json.Key("unit");
    json.String(DescriptorOf(c.kind).unit);
    OptionalMember(json, "worst_case", c.worst_case);
    json.EndObject();
  }
  json.EndArray();
}

// The design as numbers: null without one ("Too Large").
void WriteDesign(JsonWriter& json, const DesignController& form, bool passes) {
  const std::optional<DesignResult>& design = form.ShownDesign();
  if (!design) {
    json.Double(NAN);
    return;
  }
  const DesignResult& r = *design;
  const double stack = r.stack_count;
  json.BeginObject();
  Member(json, "copper_loss_mw", FloatValue(r.Pcu));
  Member(json, "core_loss_mw", FloatValue(r.Pfe));
  json.Key("core_row");
  json.Int(r.row);
  Member(json, "dcr_ohm", FloatValue(r.Rdc));
  json.Key("design_mode");
  json.String(form.Model().state.design_mode == DesignMode::SelectedCore ? "selected_core"
                                                                         : "automatic");
  Member(json, "fill", FloatValue(r.fill));
  json.Key("gauge");
  json.Int(r.G);
  Member(json, "h_peak_oe", FloatValue(r.H));
  // Of the whole stack, as the checks hold them against the request.
  Member(json, "l_full_load_uh", 1000 * stack * double{r.Lfl});
  Member(json, "l_no_load_uh", 1000 * stack * double{r.Lnl});
  Member(json, "mu_e", FloatValue(r.ue));
  json.Key("part_number");
  json.String(form.Cores().PartNumber(r.row, r.e_core));
  json.Key("passes");
  json.Bool(passes);
  json.Key("stack");
  json.Int(r.stack_count);
  json.Key("strands");
  json.Int(r.strands);
  Member(json, "temp_rise_c", FloatValue(r.dT));
  Member(json, "total_loss_mw", FloatValue(r.Ptot));
  json.Key("turns");
  json.Int(r.N);
  Member(json, "wound_ht_in", r.e_core ? NAN : FloatValue(r.HTw));
  Member(json, "wound_od_in", r.e_core ? NAN : FloatValue(r.ODw));
  json.EndObject();
}

// The request the design was made from, named as the command-line options.
void WriteRequest(JsonWriter& json, const DesignController& form) {
  const DesignRequest& q = form.ShownRequest();
  const WindowModel& w = form.Model();
  json.BeginObject();
  Member(json, "al-tolerance", FloatValue(w.state.al_tolerance_percent));
  Member(json, "ambient", FloatValue(w.state.ambient_c));
  json.Key("core");
  if (w.state.design_mode == DesignMode::SelectedCore && form.ShownDesign()) {
    json.String(form.Cores().PartNumber(form.ShownDesign()->row, form.ShownDesign()->e_core));
  } else {
    json.Double(NAN);
  }
  Member(json, "density", q.current_density_a_cm2);
  Member(json, "freq", q.frequency_khz);
  Member(json, "idc", q.dc_current_a);
  Member(json, "lfl", q.full_load_l_uh);
  json.Key("lfl-max");
  json.Bool(q.full_load_l_max);
  Member(json, "lnl", q.no_load_l_uh);
  json.Key("material");
  json.String(MaterialOptionName(q.material));
  json.Key("metric");
  json.Bool(w.state.metric);
  Member(json, "ripple", q.ripple_a);
  json.Key("single-layer");
  json.Bool(q.single_layer);
  json.Key("stack");
  json.Int(q.stack_count);
  Member(json, "trise", q.allowable_rise_c);
  json.EndObject();
}

// 10^0 to 10^22: the powers of ten a double holds exactly.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// digits x 10^power rounded to the nearest double, as reading the decimal
// does: both factors are exact while |power| <= 22 and digits < 2^53, so
// one multiplication or division rounds correctly.
double NearestDouble(double digits, int power) {
  return power >= 0 ? digits * kExactPowers[power] : digits / kExactPowers[-power];
}

// The seven significant digits of a float, rounded half to even from its
// exact value: 1000000 to 9999999, the first worth 10^exponent.
struct SevenDigits {
  std::uint64_t digits = 0;
  int exponent = 0;
};

// Worked out in 128-bit whole numbers, which hold every step while the
// magnitude lies from 1e-9 (a normal float, numerator and denominator below
// 2^78) to 1e18; nullopt outside.
std::optional<SevenDigits> ExactSevenDigits(float magnitude) {
  if (!(magnitude >= 1e-9f && magnitude < 1e18f)) return std::nullopt;
  using Wide = unsigned __int128;
  const auto bits = std::bit_cast<std::uint32_t>(magnitude);
  const std::uint64_t mantissa = (bits & 0x7FFFFF) | 0x800000;
  const int binary_exponent = static_cast<int>(bits >> 23) - 150;
  // magnitude = numerator / denominator exactly.
  const Wide numerator = binary_exponent >= 0 ? Wide{mantissa} << binary_exponent : mantissa;
  const Wide denominator = binary_exponent >= 0 ? Wide{1} : Wide{1} << -binary_exponent;
  constexpr std::uint64_t kLeast = 1000000, kBeyond = 10000000;
  int exponent = static_cast<int>(std::floor(std::log10(double{magnitude})));
  Wide scaled, divisor;
  for (;;) {
    const int shift = 6 - exponent;  // scaled / divisor = magnitude x 10^shift
    scaled = shift >= 0 ? numerator * kWholePowersOfTen[shift] : numerator;
    divisor = shift >= 0 ? denominator : denominator * kWholePowersOfTen[-shift];
    if (scaled < divisor * kLeast) {
      --exponent;
    } else if (scaled >= divisor * kBeyond) {
      ++exponent;
    } else {
      break;
    }
  }
  Wide digits = scaled / divisor;
  const Wide twice_rest = 2 * (scaled % divisor);
  if (twice_rest > divisor || (twice_rest == divisor && (digits & 1) != 0)) ++digits;
  if (digits == kBeyond) {
    digits = kLeast;
    ++exponent;
  }
  return SevenDigits{static_cast<std::uint64_t>(digits), exponent};
}

}  // namespace

double FloatValue(float value) {
  if (!std::isfinite(value)) return ParseNumber(PlainNumberText(value, 7)).value_or(0.0);
  if (value == 0) return 0.0;
  const double sign = value < 0 ? -1.0 : 1.0;
  if (const std::optional<SevenDigits> seven = ExactSevenDigits(std::fabs(value))) {
    return sign * NearestDouble(static_cast<double>(seven->digits), seven->exponent - 6);
  }
  // Rare magnitudes: the seven digits printed and read back.
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text, std::fabs(double{value}),
                                     std::chars_format::scientific, 6);
  double rounded = 0;
  std::from_chars(text, written.ptr, rounded);
  return sign * rounded;
}

void WriteRequestJson(JsonWriter& json, const RequestEcho& echo) {
  json.BeginObject();
  for (const RequestOption& option : *echo.options) {
    json.Key(EntryOf(option.id).name);
    const std::optional<bool> truth =
        EntryOf(option.id).value_name.empty() ? ParseTruth(option.text) : std::nullopt;
    if (truth) {
      json.Bool(*truth);
    } else if (const std::optional<double> number = ParseNumber(option.text);
               number && std::isfinite(*number)) {
      json.Double(*number);
    } else {
      json.String(option.text);
    }
  }
  json.EndObject();
}

void WriteDesignJson(JsonWriter& json, const DesignController& form,
                     const std::vector<RecordedMessage>& messages, const RequestEcho* echo,
                     const std::vector<std::string>* report_lines, const ExtraJson& extra) {
  const WindowModel& w = form.Model();
  const std::vector<RequirementCheck>& checks = form.Checks();
  json.BeginObject();
  json.Key("captions");
  if (json.Layout() == JsonLayout::Compact) {
    json.Encoded(CompactCaptions(w));
  } else {
    WriteCaptions(json, w);
  }
  json.Key("checks");
  WriteChecks(json, checks);
  if (extra.converter) {
    json.Key("converter");
    extra.converter(json);
  }
  json.Key("design");
  WriteDesign(json, form, AllPass(checks));
  if (echo) {
    json.Key("line");
    json.Int(echo->line);
  }
  json.Key("messages");
  json.BeginArray();
  for (const RecordedMessage& m : messages) {
    json.BeginObject();
    json.Key("text");
    json.String(m.text);
    json.Key("title");
    json.String(m.title);
    json.EndObject();
  }
  json.EndArray();
  json.Key("options");
  json.BeginObject();
  Member(json, "ambient", FloatValue(w.state.ambient_c));
  json.Key("full_load_l_max");
  json.Bool(w.full_load_l_max);
  json.Key("lnl_enabled");
  json.Bool(w.no_load_l.enabled);
  json.Key("material");
  json.String(MaterialOptionName(w.material));
  json.Key("metric");
  json.Bool(w.state.metric);
  json.Key("single_layer");
  json.Bool(w.single_layer);
  json.Key("stack");
  json.Int(w.state.stack_count);
  json.EndObject();
  if (report_lines) {
    json.Key("report");
    json.BeginArray();
    for (const std::string& line : *report_lines) json.String(line);
    json.EndArray();
  }
  json.Key("request");
  WriteRequest(json, form);
  json.Key("schema_version");
  json.Int(kJsonSchemaVersion);
  json.Key("shown");
  json.BeginObject();
  for (const OutputField& f : kOutputFields) {
    json.Key(f.key);
    json.String((w.*f.box).text);
  }
  json.EndObject();
  if (extra.simulation) {
    json.Key("simulation");
    extra.simulation(json);
  }
  json.Key("trise_colour");
  char colour[7];
  json.String(Colour(w.temp_rise.background, colour));
  json.Key("worst_case");
  WriteWorstCase(json, form.ShownWorstCase());
  json.EndObject();
}

}  // namespace tov::tovcalc

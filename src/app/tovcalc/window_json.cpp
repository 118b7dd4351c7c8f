#include "app/tovcalc/window_json.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "app/tovcalc/command_line.h"
#include "state/number_text.h"
#include "state/window_fields.h"

namespace tov::tovcalc {
namespace {

// A stored 4-byte float as the decimal a user reads (20.1, not 20.100000381).
double FloatValue(float value) {
  return ParseNumber(PlainNumberText(value, 7)).value_or(0.0);
}

// The input and output fields, sorted by name once.
const std::vector<std::pair<std::string_view, const TextBox WindowModel::*>>& SortedFields() {
  static const auto fields = [] {
    std::vector<std::pair<std::string_view, const TextBox WindowModel::*>> list;
    for (const OutputField& f : kOutputFields) list.emplace_back(f.field, f.box);
    for (const InputField& f : kInputFields) list.emplace_back(f.field, f.box);
    std::sort(list.begin(), list.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    return list;
  }();
  return fields;
}

const std::vector<std::pair<std::string_view, std::string WindowModel::*>>& SortedCaptions() {
  static const auto captions = [] {
    std::vector<std::pair<std::string_view, std::string WindowModel::*>> list;
    for (const OutputField& f : kOutputFields) {
      if (f.live_caption) list.emplace_back(f.label, f.live_caption);
    }
    std::sort(list.begin(), list.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    return list;
  }();
  return captions;
}

// "worst_case": the AL tolerance, the least full-load inductance and the
// winding at its final temperature (null where the rise does not settle).
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
  json.Key("al_tolerance_percent");
  json.Double(FloatValue(worst->al_tolerance_percent));
  json.Key("copper_loss_mw");
  json.Double(hot_value(&HotWinding::Pcu));
  json.Key("copper_temp_c");
  json.Double(hot_value(&HotWinding::T_copper));
  json.Key("dcr_hot_ohm");
  json.Double(hot_value(&HotWinding::Rdc));
  json.Key("l_full_load_min_uh");
  json.Double(FloatValue(static_cast<float>(worst->Lfl_min_uH)));
  json.Key("temp_rise_c");
  json.Double(hot_value(&HotWinding::dT));
  json.Key("total_loss_mw");
  json.Double(hot_value(&HotWinding::Ptot));
  json.EndObject();
}

std::string Colour(Rgb c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", c.r, c.g, c.b);
  return text;
}

}  // namespace

void WriteRequestJson(JsonWriter& json, const RequestEcho& echo) {
  json.BeginObject();
  for (const RequestOption& option : *echo.options) {
    json.Key(EntryOf(option.id).name);
    if (EntryOf(option.id).value_name.empty()) {
      json.Bool(ParseTruth(option.text).value_or(false));
    } else {
      json.String(option.text);
    }
  }
  json.EndObject();
}

void WriteWindowJson(JsonWriter& json, const WindowModel& w,
                     const std::vector<RecordedMessage>& messages,
                     const std::vector<std::string>& report_lines, const RequestEcho* echo,
                     const std::optional<WorstCase>& worst_case, const ExtraJson& extra) {
  json.BeginObject();
  json.Key("captions");
  json.BeginObject();
  for (const auto& [name, caption] : SortedCaptions()) {
    json.Key(name);
    json.String(w.*caption);
  }
  json.EndObject();
  if (extra.converter) {
    json.Key("converter");
    extra.converter(json);
  }
  json.Key("core_row");
  json.Int(w.state.CoreIdx);
  json.Key("design_mode");
  json.Int(w.state.DesignMode);
  json.Key("fields");
  json.BeginObject();
  for (const auto& [name, box] : SortedFields()) {
    json.Key(name);
    json.String((w.*box).text);
  }
  json.EndObject();
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
  json.Key("ambient");
  json.Double(FloatValue(w.state.AmbientTemp));
  json.Key("full_load_l_max");
  json.Bool(w.mnuLfl);
  json.Key("lnl_enabled");
  json.Bool(w.txtLnl.enabled);
  json.Key("material");
  json.String(MaterialOptionName(w.material));
  json.Key("metric");
  json.Bool(w.state.metric);
  json.Key("single_layer");
  json.Bool(w.mnuSingleLayer);
  json.EndObject();
  json.Key("report");
  json.BeginArray();
  for (const std::string& line : report_lines) json.String(line);
  json.EndArray();
  if (echo) {
    json.Key("request");
    WriteRequestJson(json, *echo);
  }
  if (extra.simulation) {
    json.Key("simulation");
    extra.simulation(json);
  }
  json.Key("stack");
  json.Int(w.state.StackCount);
  json.Key("strands");
  json.Int(w.state.Strands);
  json.Key("total_loss_mw");
  json.Double(FloatValue(w.state.TotalLoss));
  json.Key("trise_colour");
  json.String(Colour(w.txtTrise.background));
  json.Key("worst_case");
  WriteWorstCase(json, worst_case);
  json.EndObject();
}

}  // namespace tov::tovcalc

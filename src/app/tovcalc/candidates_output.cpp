#include "app/tovcalc/candidates_output.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "app/tovcalc/design_json.h"
#include "app/tovcalc/staged_text.h"
#include "engines/pareto_front.h"
#include "engines/part_volume.h"
#include "io/csv_text.h"
#include "state/constants.h"
#include "ui/logic/candidate_rows.h"

namespace tov::tovcalc {
namespace {

// A value of an entry: nothing (null), a whole number, a real number, a
// truth or a text.
struct Value {
  enum class Kind : uint8_t { Null, Whole, Real, Truth, Text };
  Kind kind = Kind::Null;
  double number = 0;
  std::string_view text;

  static Value Whole(long long n) { return {Kind::Whole, static_cast<double>(n), {}}; }
  static Value Real(double x) { return {Kind::Real, x, {}}; }
  static Value Truth(bool t) { return {Kind::Truth, t ? 1.0 : 0.0, {}}; }
  static Value Text(std::string_view s) { return {Kind::Text, 0, s}; }
  static Value Maybe(std::optional<double> x) { return x ? Real(*x) : Value{}; }
};

// A value only a wound candidate has.
Value Wound(const Candidate& c, float value) {
  return c.wound ? Value::Real(value) : Value{};
}

Value CoreCell(const Candidate& c, const CoreTable& cores, CoreColumn column) {
  return Value::Maybe(cores.Numbers(c.row).Number(column));
}

struct Column {
  std::string_view key;
  Value (*value)(const Candidate&, const CoreTable&);
};

// The scalar columns of an entry, in order; "failed" and "margins" follow
// "passes" in the JSON. Inductances are of the whole stack. A toroid has a
// wound outer diameter and height; an E-core set a wound length and width
// and its bobbin height.
constexpr Column kColumns[] = {
    {"material",
     [](const Candidate& c, const CoreTable&) { return Value::Text(InfoOf(c.material).cli_name); }},
    {"core_row", [](const Candidate& c, const CoreTable&) { return Value::Whole(c.row); }},
    {"part_number",
     [](const Candidate& c, const CoreTable&) { return Value::Text(c.part_number); }},
    {"stack", [](const Candidate& c, const CoreTable&) { return Value::Whole(c.stack_count); }},
    {"search_start",
     [](const Candidate& c, const CoreTable&) { return Value::Truth(c.search_start); }},
    {"search_pick",
     [](const Candidate& c, const CoreTable&) { return Value::Truth(c.search_pick); }},
    {"passes", [](const Candidate& c, const CoreTable&) { return Value::Truth(c.Passes()); }},
    {"mu", [](const Candidate& c, const CoreTable& t) { return CoreCell(c, t, CoreColumn::Perm); }},
    {"turns", [](const Candidate& c, const CoreTable&) { return Value::Whole(c.design.N); }},
    {"gauge", [](const Candidate& c, const CoreTable&) { return Value::Whole(c.design.G); }},
    {"strands",
     [](const Candidate& c, const CoreTable&) { return Value::Whole(c.design.strands); }},
    {"fill", [](const Candidate& c, const CoreTable&) { return Value::Real(c.design.fill); }},
    {"l_full_load_uh",
     [](const Candidate& c, const CoreTable&) {
       return Value::Real(1000.0 * c.stack_count * c.design.Lfl);
     }},
    {"l_no_load_uh",
     [](const Candidate& c, const CoreTable&) {
       return Value::Real(1000.0 * c.stack_count * c.design.Lnl);
     }},
    {"mu_e", [](const Candidate& c, const CoreTable&) { return Value::Real(c.design.ue); }},
    {"dcr_ohm", [](const Candidate& c, const CoreTable&) { return Wound(c, c.design.Rdc); }},
    {"core_loss_mw",
     [](const Candidate& c, const CoreTable&) { return Value::Real(c.design.Pfe); }},
    {"copper_loss_mw", [](const Candidate& c, const CoreTable&) { return Wound(c, c.design.Pcu); }},
    {"total_loss_mw", [](const Candidate& c, const CoreTable&) { return Wound(c, c.design.Ptot); }},
    {"temp_rise_c", [](const Candidate& c, const CoreTable&) { return Wound(c, c.design.dT); }},
    {"wound_od_in",
     [](const Candidate& c, const CoreTable&) {
       return c.design.e_core ? Value{} : Wound(c, c.design.ODw);
     }},
    {"wound_length_in",
     [](const Candidate& c, const CoreTable& t) {
       return c.design.e_core ? CoreCell(c, t, CoreColumn::WindID) : Value{};
     }},
    {"wound_width_in",
     [](const Candidate& c, const CoreTable& t) {
       return c.design.e_core ? CoreCell(c, t, CoreColumn::WindOD) : Value{};
     }},
    {"wound_ht_in",
     [](const Candidate& c, const CoreTable& t) {
       return c.design.e_core ? CoreCell(c, t, CoreColumn::NomHt) : Wound(c, c.design.HTw);
     }},
    {"header", [](const Candidate& c, const CoreTable&) { return Value::Text(c.header); }},
    {"pareto", [](const Candidate& c, const CoreTable&) { return Value::Truth(c.pareto); }},
    {"wound_volume_cm3",
     [](const Candidate& c, const CoreTable& t) {
       return Value::Maybe(WoundVolumeCm3(c.design, c.wound, t));
     }},
    {"core_volume_cm3",
     [](const Candidate& c, const CoreTable&) { return Value::Maybe(CoreVolumeCm3(c.design)); }},
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> SplitCommas(std::string_view text) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t comma = text.find(',', start);
    parts.push_back(Trim(text.substr(start, comma - start)));
    if (comma == std::string_view::npos) return parts;
    start = comma + 1;
  }
}

std::optional<int> StackNumber(std::string_view text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < 1 || value > kMaxStackCount) return std::nullopt;
  return value;
}

bool SameLetters(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

void WriteValue(JsonWriter& json, const Value& v) {
  switch (v.kind) {
    case Value::Kind::Null:
      json.Null();
      break;
    case Value::Kind::Whole:
      json.Int(static_cast<long long>(v.number));
      break;
    case Value::Kind::Real:
      json.Real(v.number);
      break;
    case Value::Kind::Truth:
      json.Bool(v.number != 0);
      break;
    case Value::Kind::Text:
      json.String(v.text);
      break;
  }
}

std::size_t FailedCount(const Candidate& c) {
  return static_cast<std::size_t>(
      std::count_if(c.tests.begin(), c.tests.end(), [](const TestMargin& m) { return !m.passes; }));
}

// Sorts `order` (indexes of `candidates`) by the key, nulls last; "failed"
// by the number of failed tests; equal values keep their order.
void SortBy(std::vector<std::size_t>& order, const std::vector<Candidate>& candidates,
            const CoreTable& cores, std::string_view sort) {
  const bool descending = !sort.empty() && sort.front() == '-';
  if (descending) sort.remove_prefix(1);
  if (sort.empty()) return;
  std::vector<Value> values(candidates.size());
  const auto column = std::find_if(std::begin(kColumns), std::end(kColumns),
                                   [&](const Column& c) { return c.key == sort; });
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    if (sort == "failed") {
      values[i] = Value::Whole(static_cast<long long>(FailedCount(candidates[i])));
    } else if (column != std::end(kColumns)) {
      values[i] = column->value(candidates[i], cores);
    }
  }
  const auto less = [](const Value& a, const Value& b) {
    return a.kind == Value::Kind::Text ? a.text < b.text : a.number < b.number;
  };
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const Value& va = values[a];
    const Value& vb = values[b];
    const bool a_null = va.kind == Value::Kind::Null, b_null = vb.kind == Value::Kind::Null;
    if (a_null || b_null) return !a_null && b_null;
    return descending ? less(vb, va) : less(va, vb);
  });
}

void WriteRequest(JsonWriter& json, const DesignRequest& r, const CandidateOptions& o,
                  const CandidateSet& set) {
  // Named as the command-line options, as a design's request is.
  json.BeginObject();
  const std::pair<std::string_view, double> inputs[] = {
      {"idc", r.dc_current_a},      {"ripple", r.ripple_a},
      {"freq", r.frequency_khz},    {"density", r.current_density_a_cm2},
      {"lfl", r.full_load_l_uh},    {"lnl", r.no_load_l_uh},
      {"trise", r.allowable_rise_c}};
  for (const auto& [key, value] : inputs) {
    json.Key(key);
    json.Real(value);
  }
  json.Key("material");
  json.String(InfoOf(r.material).cli_name);
  json.Key("stack");
  json.Int(r.stack_count);
  json.Key("cu_factor");
  json.Real(r.copper_factor);
  json.Key("lfl-max");
  json.Bool(r.full_load_l_max);
  json.Key("single-layer");
  json.Bool(r.single_layer);
  json.Key("materials");
  json.BeginArray();
  for (Material m : o.scope.materials) json.String(InfoOf(m).cli_name);
  json.EndArray();
  json.Key("stacks");
  json.BeginArray();
  if (o.scope.stacks.empty()) json.Int(r.stack_count);
  for (int16_t s : o.scope.stacks) json.Int(s);
  json.EndArray();
  json.Key("notices");
  json.BeginArray();
  for (const Notice& n : set.notices) {
    json.BeginObject();
    json.Key("title");
    json.String(n.title);
    json.Key("text");
    json.String(n.text);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
}

// A value as a CSV field: empty for null, numbers and truths as the JSON
// writes them, a text as a spreadsheet reads it.
void AppendCsvValue(StagedText& out, const Value& v) {
  switch (v.kind) {
    case Value::Kind::Null:
      break;
    case Value::Kind::Whole:
      out.Put(kNumberRoom, [&](char* to) {
        return std::to_chars(to, to + kNumberRoom, static_cast<long long>(v.number)).ptr;
      });
      break;
    case Value::Kind::Real:
      out.Put(kNumberRoom, [&](char* to) { return WriteJsonReal(to, v.number); });
      break;
    case Value::Kind::Truth:
      out.Put(v.number != 0 ? "true" : "false");
      break;
    case Value::Kind::Text:
      if (CsvFieldNeedsQuotes(v.text)) {
        AppendCsvField(out.Direct(), v.text);
      } else {
        out.Put(v.text);
      }
      break;
  }
}

void AppendCsvHeader(std::string& out) {
  bool first = true;
  const auto field = [&](std::string_view a, std::string_view b = {}, std::string_view c = {}) {
    if (!first) out.push_back(',');
    first = false;
    out.append(a).append(b).append(c);
  };
  for (const Column& column : kColumns) {
    field(column.key);
    if (column.key == "passes") field("failed");
  }
  for (std::size_t i = 0; i < kCandidateTestCount; ++i) {
    const std::string_view name = TestName(static_cast<CandidateTest>(i));
    field("margin_", name, "_value");
    field("margin_", name, "_limit");
  }
  out.push_back('\n');
}

// Characters a terminal shows for UTF-8 text (the continuation bytes take no place).
std::size_t Width(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char ch) {
    return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  }));
}

// Sends the buffer of `stream` when it is full (nothing without one).
void FlushIfFull(StandardOutput* stream) {
  if (stream) stream->FlushIfFull();
}

// The window's table as aligned text: "*" marks the core Calculate picks for
// the request, "+" the one it picks for another material or stack count.
void AppendTable(std::string& text, StandardOutput* stream, std::vector<Candidate> candidates,
                 const CoreTable& cores, const DesignRequest& request, bool metric) {
  const std::vector<CandidateRow> rows =
      CandidateRows(std::move(candidates), request.material, request.stack_count, false);
  std::vector<std::vector<std::string>> lines(1, {" "});
  for (std::size_t c = 0; c < kCandidateColumnCount; ++c) {
    lines[0].push_back(CandidateColumnTitle(static_cast<CandidateColumn>(c), metric));
  }
  for (const CandidateRow& row : rows) {
    lines.push_back({row.calculate_pick ? "*" : row.candidate.search_pick ? "+" : " "});
    for (std::size_t c = 0; c < kCandidateColumnCount; ++c) {
      lines.back().push_back(CellText(row, static_cast<CandidateColumn>(c), cores, metric));
    }
  }
  std::vector<std::size_t> widths(kCandidateColumnCount + 1, 0);
  for (const auto& line : lines) {
    for (std::size_t c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], Width(line[c]));
  }
  for (const auto& line : lines) {
    const std::size_t start = text.size();
    for (std::size_t c = 0; c < line.size(); ++c) {
      text += line[c];
      if (c + 1 < line.size()) text.append(widths[c] - Width(line[c]) + 2, ' ');
    }
    while (text.size() > start && text.back() == ' ') text.pop_back();
    text.push_back('\n');
    FlushIfFull(stream);
  }
}

}  // namespace

void WriteCandidateJson(JsonWriter& json, const Candidate& c, const CoreTable& cores) {
  json.BeginObject();
  for (const Column& column : kColumns) {
    json.Key(column.key);
    WriteValue(json, column.value(c, cores));
    if (column.key != "passes") continue;
    json.Key("failed");
    json.BeginArray();
    for (std::size_t i = 0; i < kCandidateTestCount; ++i) {
      if (!c.tests[i].passes) json.String(TestName(static_cast<CandidateTest>(i)));
    }
    json.EndArray();
    json.Key("margins");
    json.BeginObject();
    for (std::size_t i = 0; i < kCandidateTestCount; ++i) {
      const TestMargin& m = c.tests[i];
      if (!m.applies) continue;
      json.Key(TestName(static_cast<CandidateTest>(i)));
      json.BeginObject();
      json.Key("value");
      json.Real(m.value);
      json.Key("limit");
      json.Real(m.limit);
      json.EndObject();
    }
    json.EndObject();
  }
  json.EndObject();
}

void AppendCandidateCsv(std::string& text, const Candidate& c, const CoreTable& cores) {
  StagedText out(text);
  bool first = true;
  for (const Column& column : kColumns) {
    if (!first) out.Put(',');
    first = false;
    AppendCsvValue(out, column.value(c, cores));
    if (column.key != "passes") continue;
    out.Put(',');
    bool first_failed = true;
    for (std::size_t i = 0; i < kCandidateTestCount; ++i) {
      if (c.tests[i].passes) continue;
      if (!first_failed) out.Put(' ');
      first_failed = false;
      out.Put(TestName(static_cast<CandidateTest>(i)));
    }
  }
  for (const TestMargin& m : c.tests) {
    out.Put(',');
    if (m.applies) out.Put(kNumberRoom, [&](char* to) { return WriteJsonReal(to, m.value); });
    out.Put(',');
    if (m.applies) out.Put(kNumberRoom, [&](char* to) { return WriteJsonReal(to, m.limit); });
  }
  out.Put('\n');
}

std::optional<std::vector<Material>> ParseMaterialList(std::string_view text, std::string& error) {
  if (SameLetters(Trim(text), "all"))
    return std::vector<Material>(kMaterials.begin(), kMaterials.end());
  std::vector<Material> materials;
  for (std::string_view name : SplitCommas(text)) {
    const auto info =
        std::find_if(kMaterialTable.begin(), kMaterialTable.end(),
                     [&](const MaterialInfo& m) { return SameLetters(m.cli_name, name); });
    if (info == kMaterialTable.end()) {
      error = "Unknown material \"" + std::string(name) +
              "\" in --materials: use all, or a comma list of mpp, hf, velmax and velmax-e.";
      return std::nullopt;
    }
    if (std::find(materials.begin(), materials.end(), info->material) == materials.end()) {
      materials.push_back(info->material);
    }
  }
  return materials;
}

std::optional<std::vector<int16_t>> ParseStackList(std::string_view text, std::string& error) {
  std::vector<int16_t> stacks;
  for (std::string_view part : SplitCommas(text)) {
    const std::size_t dash = part.find('-');
    const auto first = StackNumber(Trim(part.substr(0, dash)));
    const auto last =
        dash == std::string_view::npos ? first : StackNumber(Trim(part.substr(dash + 1)));
    if (!first || !last || *first > *last) {
      error = "--stacks takes stack counts from 1 to " + std::to_string(kMaxStackCount) +
              " such as 2, 1-3 or 1,4-5, not \"" + std::string(text) + "\".";
      return std::nullopt;
    }
    for (int s = *first; s <= *last; ++s) {
      const auto count = static_cast<int16_t>(s);
      if (std::find(stacks.begin(), stacks.end(), count) == stacks.end()) stacks.push_back(count);
    }
  }
  return stacks;
}

std::string ReadCandidateArguments(const CandidateArguments& a,
                                   std::optional<CandidateOptions>& options) {
  options.reset();
  const std::pair<bool, const char*> only[] = {{a.materials.has_value(), "--materials"},
                                               {a.stacks.has_value(), "--stacks"},
                                               {a.passing, "--passing"},
                                               {a.sort.has_value(), "--sort"},
                                               {a.csv, "--csv"}};
  for (const auto& [given, name] : only) {
    if (given && !a.candidates) return std::string(name) + " needs --candidates.";
  }
  if (!a.candidates) return {};
  if (a.one_design) return "--candidates compares every core: leave out --core, --list and --save.";
  if (a.json && a.csv) return "--json and --csv contradict each other.";
  CandidateOptions o;
  std::string error;
  if (a.materials) {
    const auto materials = ParseMaterialList(*a.materials, error);
    if (!materials) return error;
    o.scope.materials = *materials;
  }
  if (a.stacks) {
    const auto stacks = ParseStackList(*a.stacks, error);
    if (!stacks) return error;
    o.scope.stacks = *stacks;
  }
  o.passing_only = a.passing;
  o.sort = a.sort.value_or("");
  if (!o.sort.empty() && !IsSortKey(o.sort)) {
    return "--sort takes one of " + SortKeys() + ", not \"" + o.sort + "\".";
  }
  o.format = a.json ? CandidateFormat::Json : a.csv ? CandidateFormat::Csv : CandidateFormat::Table;
  o.metric = a.metric;
  options = std::move(o);
  return {};
}

bool IsSortKey(std::string_view key) {
  if (!key.empty() && key.front() == '-') key.remove_prefix(1);
  return key == "failed" || std::any_of(std::begin(kColumns), std::end(kColumns),
                                        [&](const Column& c) { return c.key == key; });
}

std::string SortKeys() {
  std::string keys;
  for (const Column& column : kColumns) {
    if (!keys.empty()) keys += ", ";
    keys += column.key;
    if (column.key == "passes") keys += ", failed";
  }
  return keys;
}

CandidateComparison::CandidateComparison(const DesignRequest& request, const CoreTable& cores,
                                         const CandidateOptions& options)
    : request_(request),
      cores_(cores),
      options_(options),
      set_(EvaluateCandidates(request, cores, options.scope)) {
  std::vector<Candidate>& candidates = set_.candidates;
  // Passing candidates first, each part in its order; the candidates stay
  // where they are and only their indexes move.
  order_.reserve(candidates.size());
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    if (candidates[i].Passes()) order_.push_back(i);
  }
  status_ = order_.empty() ? 1 : 0;
  if (!options.passing_only) {
    for (std::size_t i = 0; i < candidates.size(); ++i) {
      if (!candidates[i].Passes()) order_.push_back(i);
    }
  }
  // Only passing candidates take part in the front.
  const std::vector<bool> front = LossVolumeFront(candidates, cores);
  for (std::size_t i = 0; i < front.size(); ++i) candidates[i].pareto = front[i];
  SortBy(order_, candidates, cores, options.sort);
}

void CandidateComparison::Write(std::string& out) const {
  Write(out, nullptr);
}

void CandidateComparison::Write(StandardOutput& out) const {
  Write(out.Buffer(), &out);
}

void CandidateComparison::Write(std::string& out, StandardOutput* stream) const {
  const std::vector<Candidate>& candidates = set_.candidates;
  switch (options_.format) {
    case CandidateFormat::Json: {
      JsonWriter json(out, options_.batch_line ? JsonLayout::Compact : JsonLayout::IndentedByTwo);
      json.BeginObject();
      if (options_.batch_line) {
        json.Key("line");
        json.Int(*options_.batch_line);
      }
      json.Key("request");
      WriteRequest(json, request_, options_, set_);
      json.Key("candidates");
      json.BeginArray();
      for (std::size_t i : order_) {
        WriteCandidateJson(json, candidates[i], cores_);
        FlushIfFull(stream);
      }
      json.EndArray();
      json.Key("schema_version");
      json.Int(kJsonSchemaVersion);
      json.EndObject();
      json.Flush();
      if (options_.batch_line) out.push_back('\n');
      break;
    }
    case CandidateFormat::Csv:
      AppendCsvHeader(out);
      for (std::size_t i : order_) {
        AppendCandidateCsv(out, candidates[i], cores_);
        FlushIfFull(stream);
      }
      break;
    case CandidateFormat::Table: {
      std::vector<Candidate> sorted;
      sorted.reserve(order_.size());
      for (std::size_t i : order_) sorted.push_back(candidates[i]);
      AppendTable(out, stream, std::move(sorted), cores_, request_, options_.metric);
      break;
    }
  }
}

}  // namespace tov::tovcalc

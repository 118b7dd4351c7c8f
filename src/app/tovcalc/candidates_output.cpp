#include "app/tovcalc/candidates_output.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <nlohmann/json.hpp>
#include <numeric>

#include "app/tovcalc/design_json.h"
#include "engines/pareto_front.h"
#include "engines/part_volume.h"
#include "io/csv_text.h"
#include "state/constants.h"
#include "ui/logic/candidate_rows.h"

namespace tov::tovcalc {
namespace {

using Json = nlohmann::ordered_json;

// The scalar columns of an entry, in order; "failed" and "margins" follow
// "passes" in the JSON.
constexpr std::string_view kScalarKeys[] = {
    "material",       "core_row",        "part_number",    "stack",
    "search_start",   "search_pick",     "passes",         "mu",
    "turns",          "gauge",           "strands",        "fill",
    "l_full_load_uh", "l_no_load_uh",    "mu_e",           "dcr_ohm",
    "core_loss_mw",   "copper_loss_mw",  "total_loss_mw",  "temp_rise_c",
    "wound_od_in",    "wound_length_in", "wound_width_in", "wound_ht_in",
    "header",         "pareto",          "wound_volume_cm3", "core_volume_cm3"};

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

Json Number(std::optional<double> value) {
  return value ? Json(*value) : Json(nullptr);
}

Json Entry(const Candidate& c, const CoreTable& cores) {
  const DesignResult& d = c.design;
  const double uH = 1000.0 * c.stack_count;
  const auto cell = [&](CoreColumn column) { return cores.Cell(c.row, column).AsDouble(); };
  const auto wound = [&](double value) { return c.wound ? Json(value) : Json(nullptr); };

  Json failed = Json::array();
  for (std::string_view name : c.FailedTests()) failed.push_back(name);
  Json margins = Json::object();
  for (std::size_t i = 0; i < kCandidateTestCount; ++i) {
    const TestMargin& m = c.tests[i];
    if (m.applies) {
      margins[std::string(TestName(static_cast<CandidateTest>(i)))] = {{"value", m.value},
                                                                       {"limit", m.limit}};
    }
  }

  Json e;
  e["material"] = InfoOf(c.material).cli_name;
  e["core_row"] = c.row;
  e["part_number"] = c.part_number;
  e["stack"] = c.stack_count;
  e["search_start"] = c.search_start;
  e["search_pick"] = c.search_pick;
  e["passes"] = c.Passes();
  e["failed"] = std::move(failed);
  e["margins"] = std::move(margins);
  e["mu"] = Number(cell(CoreColumn::Perm));
  e["turns"] = d.N;
  e["gauge"] = d.G;
  e["strands"] = d.strands;
  e["fill"] = d.fill;
  e["l_full_load_uh"] = uH * d.Lfl;
  e["l_no_load_uh"] = uH * d.Lnl;
  e["mu_e"] = d.ue;
  e["dcr_ohm"] = wound(d.Rdc);
  e["core_loss_mw"] = d.Pfe;
  e["copper_loss_mw"] = wound(d.Pcu);
  e["total_loss_mw"] = wound(d.Ptot);
  e["temp_rise_c"] = wound(d.dT);
  // A toroid's wound outer diameter and height; an E-core set's wound
  // length and width and its bobbin height.
  e["wound_od_in"] = d.e_core ? Json(nullptr) : wound(d.ODw);
  e["wound_length_in"] = d.e_core ? Number(cell(CoreColumn::WindID)) : Json(nullptr);
  e["wound_width_in"] = d.e_core ? Number(cell(CoreColumn::WindOD)) : Json(nullptr);
  e["wound_ht_in"] = d.e_core ? Number(cell(CoreColumn::NomHt)) : wound(d.HTw);
  e["header"] = c.header;
  e["pareto"] = false;
  e["wound_volume_cm3"] = Number(WoundVolumeCm3(d, c.wound, cores));
  e["core_volume_cm3"] = Number(CoreVolumeCm3(d));
  return e;
}

// Sorts `order` (indexes of `entries`) by the key, nulls last; "failed" by
// the number of failed tests.
void SortBy(std::vector<std::size_t>& order, const std::vector<Json>& entries,
            std::string_view sort) {
  const bool descending = !sort.empty() && sort.front() == '-';
  if (descending) sort.remove_prefix(1);
  if (sort.empty()) return;
  const std::string key(sort);
  const auto value = [&](std::size_t i) -> Json {
    if (!entries[i].contains(key)) return nullptr;
    const Json& v = entries[i][key];
    return key == "failed" ? Json(v.size()) : v;
  };
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const Json va = value(a), vb = value(b);
    if (va.is_null() || vb.is_null()) return !va.is_null() && vb.is_null();
    return descending ? vb < va : va < vb;
  });
}

Json RequestJson(const DesignRequest& r, const CandidateOptions& o, const CandidateSet& set) {
  Json materials = Json::array();
  for (Material m : o.scope.materials) materials.push_back(InfoOf(m).cli_name);
  Json stacks = Json::array();
  for (int16_t s : o.scope.stacks.empty() ? std::vector<int16_t>{r.stack_count} : o.scope.stacks) {
    stacks.push_back(s);
  }
  Json notices = Json::array();
  for (const Notice& n : set.notices) notices.push_back({{"title", n.title}, {"text", n.text}});
  // Named as the command-line options, as a design's request is.
  return {{"idc", r.dc_current_a},
          {"ripple", r.ripple_a},
          {"freq", r.frequency_khz},
          {"density", r.current_density_a_cm2},
          {"lfl", r.full_load_l_uh},
          {"lnl", r.no_load_l_uh},
          {"trise", r.allowable_rise_c},
          {"material", InfoOf(r.material).cli_name},
          {"stack", r.stack_count},
          {"cu_factor", r.copper_factor},
          {"lfl-max", r.full_load_l_max},
          {"single-layer", r.single_layer},
          {"materials", std::move(materials)},
          {"stacks", std::move(stacks)},
          {"notices", std::move(notices)}};
}

std::string CsvValue(const Json& v) {
  if (v.is_null()) return "";
  if (v.is_string()) return v.get<std::string>();
  return v.dump();
}

std::string Csv(const std::vector<Json>& entries, const std::vector<std::size_t>& order) {
  std::vector<std::string> header;
  for (std::string_view key : kScalarKeys) {
    header.emplace_back(key);
    if (key == "passes") header.emplace_back("failed");
  }
  for (std::size_t i = 0; i < kCandidateTestCount; ++i) {
    const std::string name(TestName(static_cast<CandidateTest>(i)));
    header.push_back("margin_" + name + "_value");
    header.push_back("margin_" + name + "_limit");
  }
  std::string text = CsvRecord(header);
  for (std::size_t i : order) {
    const Json& e = entries[i];
    std::vector<std::string> fields;
    for (std::string_view key : kScalarKeys) {
      fields.push_back(CsvValue(e[std::string(key)]));
      if (key != "passes") continue;
      std::string failed;
      for (const Json& name : e["failed"]) {
        if (!failed.empty()) failed += ' ';
        failed += CsvValue(name);
      }
      fields.push_back(failed);
    }
    for (std::size_t t = 0; t < kCandidateTestCount; ++t) {
      const std::string name(TestName(static_cast<CandidateTest>(t)));
      const Json& margins = e["margins"];
      const bool has = margins.contains(name);
      fields.push_back(has ? CsvValue(margins[name]["value"]) : "");
      fields.push_back(has ? CsvValue(margins[name]["limit"]) : "");
    }
    text += CsvRecord(fields);
  }
  return text;
}

// Characters a terminal shows for UTF-8 text (the continuation bytes take no place).
std::size_t Width(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char ch) {
    return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  }));
}

// The window's table as aligned text: "*" marks the core Calculate picks for
// the request, "+" the one it picks for another material or stack count.
std::string Table(std::vector<Candidate> candidates, const CoreTable& cores,
                  const DesignRequest& request, bool metric) {
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
  std::string text;
  for (const auto& line : lines) {
    std::string out;
    for (std::size_t c = 0; c < line.size(); ++c) {
      out += line[c];
      if (c + 1 < line.size()) out += std::string(widths[c] - Width(line[c]) + 2, ' ');
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    text += out + "\n";
  }
  return text;
}

}  // namespace

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
  return key == "failed" ||
         std::find(std::begin(kScalarKeys), std::end(kScalarKeys), key) != std::end(kScalarKeys);
}

std::string SortKeys() {
  std::string keys;
  for (std::string_view key : kScalarKeys) {
    if (!keys.empty()) keys += ", ";
    keys += key;
    if (key == "passes") keys += ", failed";
  }
  return keys;
}

CandidatesOutput WriteCandidates(const DesignRequest& request, const CoreTable& cores,
                                 const CandidateOptions& options) {
  CandidateSet set = EvaluateCandidates(request, cores, options.scope);
  CandidatesOutput out;
  const bool any_passes = std::any_of(set.candidates.begin(), set.candidates.end(),
                                      [](const Candidate& c) { return c.Passes(); });
  out.status = any_passes ? 0 : 1;

  std::stable_partition(set.candidates.begin(), set.candidates.end(),
                        [](const Candidate& c) { return c.Passes(); });
  if (options.passing_only) {
    std::erase_if(set.candidates, [](const Candidate& c) { return !c.Passes(); });
  }
  std::vector<Json> entries;
  entries.reserve(set.candidates.size());
  for (const Candidate& c : set.candidates) entries.push_back(Entry(c, cores));
  const std::vector<bool> pareto = LossVolumeFront(set.candidates, cores);
  for (std::size_t i = 0; i < entries.size(); ++i) entries[i]["pareto"] = bool(pareto[i]);
  std::vector<std::size_t> order(entries.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  SortBy(order, entries, options.sort);

  switch (options.format) {
    case CandidateFormat::Json: {
      Json candidates = Json::array();
      for (std::size_t i : order) candidates.push_back(std::move(entries[i]));
      Json document = Json::object();
      if (options.batch_line) document["line"] = *options.batch_line;
      document["request"] = RequestJson(request, options, set);
      document["candidates"] = std::move(candidates);
      document["schema_version"] = kJsonSchemaVersion;
      out.text = (options.batch_line ? document.dump() : document.dump(2)) + "\n";
      break;
    }
    case CandidateFormat::Csv:
      out.text = Csv(entries, order);
      break;
    case CandidateFormat::Table: {
      std::vector<Candidate> sorted;
      sorted.reserve(order.size());
      for (std::size_t i : order) sorted.push_back(set.candidates[i]);
      out.text = Table(std::move(sorted), cores, request, options.metric);
      break;
    }
  }
  out.notices = std::move(set.notices);
  return out;
}

}  // namespace tov::tovcalc

#include "ui/logic/engineering_report.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <string_view>

#include "io/checks_report.h"
#include "io/program_version.h"
#include "io/worst_case_report.h"
#include "state/core_table_fingerprint.h"
#include "state/material.h"
#include "state/number_text.h"
#include "ui/logic/report_inputs.h"
#include "ui/logic/window_fields.h"

namespace tov {
namespace {

// The design's tables and the window's output fields each shows, by key.
struct DesignSection {
  std::string_view heading;
  std::array<std::string_view, 8> keys;  // empty keys end the list
};

constexpr std::array<DesignSection, 4> kDesignSections = {{
    {"Core",
     {"part_number", "permeability", "al", "ae", "le", "core_id", "core_od", "core_height"}},
    {"Winding",
     {"turns", "wire", "winding_factor", "dcr", "mu_e_full_dc", "wound_dimensions",
      "mount_part_number"}},
    {"Losses", {"core_loss", "copper_loss", "total_loss"}},
    {"Temperature Rise", {"temp_rise"}},
}};

const OutputField* FieldOf(std::string_view key) {
  const auto* field = std::find_if(kOutputFields.begin(), kOutputFields.end(),
                                   [&](const OutputField& f) { return f.key == key; });
  return field == kOutputFields.end() ? nullptr : field;
}

ReportTable LabelValueTable(std::string_view heading) {
  return {std::string(heading), {{"", 0.64, CellAlign::Left}, {"", 0.36, CellAlign::Right}}, {}};
}

void AddRow(ReportTable& table, std::string label, std::string value) {
  table.rows.push_back({{std::move(label), std::move(value)}, false, {}});
}

std::vector<ReportTable> DesignTables(const WindowModel& window) {
  std::vector<ReportTable> tables;
  for (const DesignSection& section : kDesignSections) {
    ReportTable& table = tables.emplace_back(LabelValueTable(section.heading));
    for (const std::string_view key : section.keys) {
      const OutputField* field = key.empty() ? nullptr : FieldOf(key);
      if (!field) continue;
      const std::string caption =
          field->live_caption ? window.*field->live_caption : std::string(field->caption);
      AddRow(table, caption, (window.*field->box).text);
    }
  }
  // The options that shape the core and its temperature, beside the figures.
  AddRow(tables[0], "Material", std::string(InfoOf(window.material).caption));
  AddRow(tables[0], "Stacked Cores", std::to_string(window.state.stack_count));
  AddRow(tables[3], "Ambient Temperature (degrees C)", PlainNumberText(window.state.ambient_c, 7));
  return tables;
}

ReportTable RequirementTable(const std::vector<RequirementCheck>& checks) {
  ReportTable table{"Requirements",
                    {{"Requirement", 0.49, CellAlign::Left},
                     {"Target", 0.13, CellAlign::Left},
                     {"Achieved", 0.13, CellAlign::Left},
                     {"Worst Case", 0.15, CellAlign::Left},
                     {"Result", 0.10, CellAlign::Left}},
                    {}};
  for (CheckRow& row : CheckRows(checks)) {
    table.rows.push_back(
        {{std::move(row.requirement), std::move(row.target), std::move(row.achieved),
          std::move(row.worst_case), std::move(row.result)},
         !row.pass,
         std::move(row.reason)});
  }
  return table;
}

// The inductance curve with the required full-load inductance as a line.
Curve ChartOf(const DesignResult& design, const std::vector<RequirementCheck>& checks) {
  Curve curve = InductanceCurve(design);
  const auto full_load = std::find_if(checks.begin(), checks.end(), [](const auto& c) {
    return c.kind == CheckKind::FullLoadInductance;
  });
  if (full_load != checks.end() && full_load->target) {
    curve.series.push_back(
        {"Full Load L", 0, std::vector<double>(curve.xs.size(), *full_load->target)});
  }
  return curve;
}

// Sections of report lines as tables: a bold line heads a new table, a line
// after a blank one starts a table without a heading; a labelled line is a
// row of label (without its colon) and value, a line of one text a row of
// its own.
std::vector<ReportTable> TablesOf(const ReportDocument& document) {
  std::vector<ReportTable> tables;
  bool new_table = true;
  for (const ReportLine& line : document.lines) {
    if (line.items.empty()) {
      new_table = true;
      continue;
    }
    if (line.bold || new_table) {
      tables.push_back({"", {{"", 0.5, CellAlign::Left}, {"", 0.5, CellAlign::Left}}, {}});
      new_table = false;
    }
    if (line.bold) {
      tables.back().heading = line.items.front().text;
      continue;
    }
    std::string label = line.items.front().text;
    while (!label.empty() && (label.back() == ' ' || label.back() == ':')) label.pop_back();
    AddRow(tables.back(), std::move(label), line.items.size() > 1 ? line.items[1].text : "");
  }
  return tables;
}

}  // namespace

EngineeringReport BuildEngineeringReport(const DesignController& frm, const std::string& date,
                                         const ReportSignature& signature) {
  const WindowModel& window = frm.Model();
  const std::vector<RequirementCheck> checks = frm.Checks();
  EngineeringReport report;
  report.title = kReportTitle;
  const std::string file = frm.DesignFile().empty()
                               ? std::string("not saved")
                               : std::filesystem::path(frm.DesignFile()).filename().string();
  report.title_block = {
      {"Project", signature.project},
      {"Designed by", signature.designed_by},
      {"Design file", file},
      {"Date", date},
      {"Program", "Corvane Inductor Design " + std::string(ProgramVersion())},
      {"Core database", "fingerprint " + FingerprintText(CoreTableFingerprint(frm.Cores()))},
  };
  report.requirements = RequirementTable(checks);
  report.design = DesignTables(window);
  if (const auto& design = frm.ShownDesign()) {
    report.chart = ChartOf(*design, checks);
    report.part = DrawPart(*design, frm.Cores(), window.state.metric);
  }

  report.details = TablesOf(BuildInputsReport(window, date, frm.DesignFile().empty() ? "" : file));
  if (const auto worst = frm.ShownWorstCase()) {
    for (ReportTable& table : TablesOf(BuildWorstCaseReport(*worst))) {
      report.details.push_back(std::move(table));
    }
  }
  return report;
}

}  // namespace tov

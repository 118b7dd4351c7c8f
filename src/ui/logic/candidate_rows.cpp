#include "ui/logic/candidate_rows.h"

#include <algorithm>
#include <string_view>

#include "io/csv_text.h"
#include "io/export_save.h"
#include "state/constants.h"
#include "state/message_titles.h"
#include "state/number_format.h"
#include "state/validation.h"
#include "ui/logic/design_controller.h"
#include "ui/logic/present_result.h"
#include "ui/logic/validate_inputs.h"

namespace tov {
namespace {

constexpr std::string_view kTitles[kCandidateColumnCount] = {
    "Part Number",
    "Material",
    "\u00b5",
    "Stack",
    "Turns",
    "Wire (AWG)",
    "Fill",
    "L Full Load (\u00b5H)",
    "L No Load (\u00b5H)",
    "\u00b5e (% of \u00b5)",
    "Resistance (Ohms)",
    "Core Loss (mW)",
    "Copper Loss (mW)",
    "Total Loss (mW)",
    "Temp. Rise (\u00b0C)",
    "Wound Size",
    "Header / Bobbin",
    "Failed Tests",
};

std::string Formatted(double value, std::string_view pattern) {
  return FormatNumber(value, pattern).value_or("");
}

// How a failed test reads: its name, its figure, the comparison that failed
// and its limit.
struct FailureForm {
  std::string_view op;
  std::string_view pattern;
};
constexpr std::array<FailureForm, kCandidateTestCount> kFailureForms = {{
    {"\u2265", "0.00"},   // fill
    {"\u2264", "0.00"},   // full_load_l
    {"\u2265", "0.00"},   // no_load_l
    {"\u2264", "0.000"},  // single_layer
    {">", "0"},           // winding
    {">", "0.0"},         // temperature
}};

std::string FailedTestsText(const Candidate& c) {
  std::string text;
  for (std::size_t i = 0; i < kCandidateTestCount; ++i) {
    const TestMargin& m = c.tests[i];
    if (m.passes) continue;
    const FailureForm& form = kFailureForms[i];
    if (!text.empty()) text += "; ";
    text += std::string(TestName(static_cast<CandidateTest>(i))) + " " +
            Formatted(m.value, form.pattern) + " " + std::string(form.op) + " " +
            Formatted(m.limit, form.pattern);
  }
  return text;
}

// The digit pattern of a number column; empty for the others.
std::string_view PatternOf(CandidateColumn column) {
  switch (column) {
    case CandidateColumn::Fill:
      return "0.00";
    case CandidateColumn::LFullLoad:
    case CandidateColumn::LNoLoad:
      return "#####0.00";
    case CandidateColumn::UePercent:
    case CandidateColumn::TempRise:
      return "##0.0";
    case CandidateColumn::Resistance:
      return "###0.000";
    case CandidateColumn::CoreLoss:
    case CandidateColumn::CopperLoss:
    case CandidateColumn::TotalLoss:
      return "####0.0";
    default:
      return {};
  }
}

}  // namespace

std::optional<double> CellNumber(const CandidateRow& row, CandidateColumn column,
                                 const CoreTable& cores) {
  const Candidate& c = row.candidate;
  const DesignResult& d = c.design;
  const double uH = 1000.0 * c.stack_count;
  switch (column) {
    case CandidateColumn::PartNumber:
    case CandidateColumn::Material:
    case CandidateColumn::Header:
      return std::nullopt;
    case CandidateColumn::Perm:
      return cores.Cell(c.row, CoreColumn::Perm).AsDouble();
    case CandidateColumn::Stack:
      return c.stack_count;
    case CandidateColumn::Turns:
      return d.N;
    case CandidateColumn::Wire:
      return d.G;
    case CandidateColumn::Fill:
      return d.fill;
    case CandidateColumn::LFullLoad:
      return uH * d.Lfl;
    case CandidateColumn::LNoLoad:
      return uH * d.Lnl;
    case CandidateColumn::UePercent:
      if (d.ui == 0) return std::nullopt;
      return 100.0 * d.ue / d.ui;
    case CandidateColumn::CoreLoss:
      return d.Pfe;
    case CandidateColumn::FailedTests:
      return static_cast<double>(c.FailedTests().size());
    default:
      break;
  }
  if (!c.wound) return std::nullopt;
  switch (column) {
    case CandidateColumn::Resistance:
      return d.Rdc;
    case CandidateColumn::CopperLoss:
      return d.Pcu;
    case CandidateColumn::TotalLoss:
      return d.Ptot;
    case CandidateColumn::TempRise:
      return d.dT;
    case CandidateColumn::WoundSize:
      if (d.e_core) return cores.Cell(c.row, CoreColumn::WindID).AsDouble();
      return d.ODw;
    default:
      return std::nullopt;
  }
}

std::string CellText(const CandidateRow& row, CandidateColumn column, const CoreTable& cores,
                     bool metric) {
  const Candidate& c = row.candidate;
  switch (column) {
    case CandidateColumn::PartNumber:
      return c.part_number;
    case CandidateColumn::Material:
      return std::string(InfoOf(c.material).caption);
    case CandidateColumn::Perm:
      return cores.Display(c.row, CoreColumn::Perm);
    case CandidateColumn::Stack:
      return std::to_string(c.stack_count);
    case CandidateColumn::Turns:
      return std::to_string(c.design.N);
    case CandidateColumn::Wire:
      return WireText(c.design.G, c.design.strands);
    case CandidateColumn::WoundSize:
      return c.wound ? WoundDimensionsText(cores, c.design, metric).value_or("") : "";
    case CandidateColumn::Header:
      return c.header;
    case CandidateColumn::FailedTests:
      return FailedTestsText(c);
    default: {
      const std::optional<double> number = CellNumber(row, column, cores);
      return number ? Formatted(*number, PatternOf(column)) : "";
    }
  }
}

std::string CandidateColumnTitle(CandidateColumn column, bool metric) {
  std::string title(kTitles[static_cast<std::size_t>(column)]);
  if (column == CandidateColumn::WoundSize) title += metric ? " (mm)" : " (in)";
  return title;
}

std::vector<CandidateRow> CandidateRows(std::vector<Candidate> candidates, Material material,
                                        int16_t stack_count, bool passing_first) {
  const int16_t stack = IsECore(material) ? std::min(stack_count, int16_t{1}) : stack_count;
  std::vector<CandidateRow> rows;
  rows.reserve(candidates.size());
  for (const bool passing : {true, false}) {
    for (Candidate& c : candidates) {
      const bool passes = c.Passes();
      if (passing_first && passes != passing) continue;
      const bool pick = c.search_pick && c.material == material && c.stack_count == stack;
      rows.push_back({std::move(c), passes, pick});
    }
    if (!passing_first) break;
  }
  return rows;
}

CompareTable CompareCores(const DesignController& form) {
  CompareTable table;
  const WindowModel& window = form.Model();
  if (const std::optional<InputPrompt> prompt = FirstInputPrompt(window)) {
    table.problem = prompt->title + ": " + prompt->prompt;
    std::replace(table.problem.begin(), table.problem.end(), '\r', ' ');
    return table;
  }
  CandidateScope scope;
  for (int16_t stack = 1; stack <= kMaxStackCount; ++stack) scope.stacks.push_back(stack);
  CandidateSet set = EvaluateCandidates(form.Request(), form.Cores(), scope);
  table.rows =
      CandidateRows(std::move(set.candidates), window.material, window.state.stack_count, true);

  const auto pick = std::find_if(table.rows.begin(), table.rows.end(),
                                 [](const CandidateRow& r) { return r.calculate_pick; });
  table.notes = pick == table.rows.end() ? "Calculate finds no core large enough."
                                         : "Calculate picks " + pick->candidate.part_number + ".";
  for (const Notice& notice : set.notices) {
    std::string text = notice.text;
    std::replace(text.begin(), text.end(), '\r', ' ');
    table.notes += " " + notice.title + ": " + text;
  }
  return table;
}

std::string CompareSummary(std::size_t shown, std::size_t shown_passing, std::size_t total,
                           const std::string& notes) {
  const std::string counts =
      shown == total
          ? std::to_string(total) + " lines (every core on 1 to " + std::to_string(kMaxStackCount) +
                " stacked cores), " + std::to_string(shown_passing) + " pass."
          : std::to_string(shown) + " of " + std::to_string(total) + " lines shown, " +
                std::to_string(shown_passing) + " of them pass.";
  return notes.empty() ? counts : counts + " " + notes;
}

std::string CandidateRowsCsv(const std::vector<CandidateRow>& rows, const CoreTable& cores,
                             bool metric) {
  std::vector<std::string> fields;
  for (std::size_t c = 0; c < kCandidateColumnCount; ++c) {
    fields.push_back(CandidateColumnTitle(static_cast<CandidateColumn>(c), metric));
  }
  std::string text = CsvRecord(fields);
  for (const CandidateRow& row : rows) {
    fields.clear();
    for (std::size_t c = 0; c < kCandidateColumnCount; ++c) {
      fields.push_back(CellText(row, static_cast<CandidateColumn>(c), cores, metric));
    }
    text += CsvRecord(fields);
  }
  return text;
}

void ExportCandidateRows(const std::vector<CandidateRow>& rows, const CoreTable& cores, bool metric,
                         const std::string& design_file, UserInterface& ui) {
  FileDialogRequest request;
  request.filter = "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*";
  request.filter_index = 1;
  request.default_extension = ".csv";
  request.confirm_overwrite = true;
  const std::optional<std::string> path = ui.ChooseSaveFile(request);
  if (!path) return;
  const std::string failure = SaveExport(*path, CandidateRowsCsv(rows, cores, metric), design_file);
  if (!failure.empty()) {
    ui.ShowMessage(kExportTableTitle, "The table could not be saved as " + *path + ":\r" + failure);
  }
}

}  // namespace tov

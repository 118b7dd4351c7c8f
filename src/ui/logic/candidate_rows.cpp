#include "ui/logic/candidate_rows.h"

#include <string_view>

#include "state/constants.h"
#include "state/number_format.h"
#include "state/validation.h"
#include "ui/logic/frm_tov.h"
#include "ui/logic/present_result.h"

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

CandidateCell Number(double value, std::string_view pattern) {
  return {FormatNumber(value, pattern).value_or(""), value};
}

CandidateCell Whole(int value) {
  return {std::to_string(value), value};
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

CandidateCell FailedTests(const Candidate& c) {
  std::string text;
  int failed = 0;
  for (std::size_t i = 0; i < kCandidateTestCount; ++i) {
    const TestMargin& m = c.tests[i];
    if (m.passes) continue;
    const FailureForm& form = kFailureForms[i];
    if (failed++ > 0) text += "; ";
    text += std::string(TestName(static_cast<CandidateTest>(i))) + " " +
            FormatNumber(m.value, form.pattern).value_or("") + " " + std::string(form.op) + " " +
            FormatNumber(m.limit, form.pattern).value_or("");
  }
  return {text, failed};
}

CandidateRow RowOf(const Candidate& c, const CoreTable& cores, bool metric) {
  const DesignResult& d = c.design;
  const double uH = 1000.0 * c.StackCount;
  CandidateRow r;
  r.material = c.material;
  r.row = c.row;
  r.StackCount = c.StackCount;
  r.passes = c.Passes();
  r.search_pick = c.search_pick;
  auto cell = [&r](CandidateColumn column) -> CandidateCell& {
    return r.cells[static_cast<std::size_t>(column)];
  };
  cell(CandidateColumn::PartNumber) = {c.part_number, std::nullopt};
  cell(CandidateColumn::Material) = {std::string(InfoOf(c.material).caption), std::nullopt};
  const CoreCell& perm = cores.Cell(c.row, CoreColumn::Perm);
  cell(CandidateColumn::Perm) = {perm.Display(), perm.AsDouble()};
  cell(CandidateColumn::Stack) = Whole(c.StackCount);
  cell(CandidateColumn::Turns) = Whole(d.N);
  cell(CandidateColumn::Wire) = {WireText(d.G, d.strands), d.G};
  cell(CandidateColumn::Fill) = Number(d.fill, "0.00");
  cell(CandidateColumn::LFullLoad) = Number(uH * d.Lfl, "#####0.00");
  cell(CandidateColumn::LNoLoad) = Number(uH * d.Lnl, "#####0.00");
  if (d.ui != 0) cell(CandidateColumn::UePercent) = Number(100.0 * d.ue / d.ui, "##0.0");
  cell(CandidateColumn::CoreLoss) = Number(d.Pfe, "####0.0");
  cell(CandidateColumn::FailedTests) = FailedTests(c);
  if (!c.wound) return r;
  cell(CandidateColumn::Resistance) = Number(d.Rdc, "###0.000");
  cell(CandidateColumn::CopperLoss) = Number(d.Pcu, "####0.0");
  cell(CandidateColumn::TotalLoss) = Number(d.Ptot, "####0.0");
  cell(CandidateColumn::TempRise) = Number(d.dT, "##0.0");
  // Wound sizes sort by their first figure, the outer diameter or length.
  const double first = d.e_core ? cores.Cell(c.row, CoreColumn::WindID).AsDouble().value_or(0)
                                : static_cast<double>(d.ODw);
  cell(CandidateColumn::WoundSize) = {WoundDimensionsText(cores, d, metric).value_or(""), first};
  cell(CandidateColumn::Header) = {c.header, std::nullopt};
  return r;
}

}  // namespace

std::string CandidateColumnTitle(CandidateColumn column, bool metric) {
  std::string title(kTitles[static_cast<std::size_t>(column)]);
  if (column == CandidateColumn::WoundSize) title += metric ? " (mm)" : " (in)";
  return title;
}

std::vector<CandidateRow> CandidateRows(const std::vector<Candidate>& candidates,
                                        const CoreTable& cores, bool metric, Material material,
                                        int16_t StackCount) {
  const int16_t stack = IsECore(material) ? int16_t{1} : StackCount;
  std::vector<CandidateRow> rows;
  rows.reserve(candidates.size());
  for (const Candidate& c : candidates) {
    rows.push_back(RowOf(c, cores, metric));
    rows.back().calculate_pick = c.search_pick && c.material == material && c.StackCount == stack;
  }
  return rows;
}

CompareTable CompareCores(const FrmTov& form) {
  CompareTable table;
  const WindowModel& window = form.Model();
  if (const std::optional<InputPrompt> prompt = FirstInputPrompt(window)) {
    table.problem = prompt->title + ": " + prompt->prompt;
    for (char& ch : table.problem) {
      if (ch == '\r') ch = ' ';
    }
    return table;
  }
  CandidateScope scope;
  for (int16_t stack = 1; stack <= kMaxStackCount; ++stack) scope.stacks.push_back(stack);
  CandidateSet set = EvaluateCandidates(form.Request(), form.Cores(), scope);
  OrderPassingFirst(set.candidates);
  table.rows = CandidateRows(set.candidates, form.Cores(), window.state.metric, window.material,
                             window.state.StackCount);
  table.notices = std::move(set.notices);
  return table;
}

}  // namespace tov

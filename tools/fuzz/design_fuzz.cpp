// A design session on fuzzed inputs, options, material, core rows and a small
// core table with odd cells (zeros, texts, negative, huge and tiny values,
// 99999 where no end row is): both engines and the report run on it, and no
// run may crash, hang, trip a sanitizer or show "nan" or "inf". Nor may it
// show a wrong but finite design: one on a sound core (all its cells positive,
// a toroid's winding window a ring) with settings the window accepts has positive turns and
// non-negative resistance, losses, dimensions and inductances.

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "candidates_check/candidates_check.h"
#include "engines/candidates.h"
#include "fuzz_checks.h"
#include "state/number_text.h"
#include "state/validation.h"
#include "support/core_fixture.h"
#include "ui/logic/candidate_rows.h"
#include "ui/logic/design_controller.h"
#include "ui/logic/report.h"
#include "ui/logic/validate_inputs.h"
#include "ui/logic/window_model.h"

namespace tov::fuzz {
namespace {

// A user who takes whatever every input box offers. An operation that keeps
// asking after more answers than its fields could need would never end.
class AcceptingUi : public UserInterface {
 public:
  void ShowMessage(std::string_view title, std::string_view text) override {
    ExpectFinite(title, text);
  }
  std::string AskInput(std::string_view prompt, std::string_view title,
                       std::string_view answer) override {
    ExpectFinite(title, answer);
    if (++asked_ > kMaxAnswers) Fail("input boxes without end", prompt);
    return std::string(answer);
  }
  UnsavedEditsAnswer AskAboutUnsavedEdits(std::string_view title, std::string_view text) override {
    ExpectFinite(title, text);
    return UnsavedEditsAnswer::Discard;
  }
  std::optional<std::string> ChooseOpenFile(const FileDialogRequest&) override { return {}; }
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest&) override { return {}; }
  void PrintReport(const ReportDocument&) override {}
  void ShowHelp(HelpRequest) override {}
  void NextOperation() { asked_ = 0; }

 private:
  static constexpr int kMaxAnswers = 32;
  int asked_ = 0;
};

constexpr int kCoresPerSection = 4;

// Four cores in each section, growing row by row as the database does.
const CoreTable& BaseTable() {
  static const CoreTable table = [] {
    CoreTable t = testing::EmptyCoreTable();
    for (Material m : kMaterials) {
      for (int k = 0; k < kCoresPerSection; ++k) {
        testing::FixtureCore c = IsECore(m) ? testing::VelmaxECore() : testing::FixtureCore{};
        const double scale = 0.5 + 0.5 * k;
        c.SizeFigure *= scale * scale * scale;
        c.WindowArea *= scale;
        c.CoreArea *= scale;
        c.AL *= scale;
        if (!IsECore(m)) c.WindID *= scale, c.WindOD *= scale, c.WindHt *= scale;
        testing::PutCore(t, SectionOf(m).first_row + k, c);
      }
    }
    return t;
  }();
  return table;
}

CoreCell OddCell(FuzzedDataProvider& in) {
  static constexpr double kNumbers[] = {0,      -1,    -1e-3,  1e-300, 1e-40, 3.4e38,
                                        3.5e38, 1e300, -1e300, 99999,  32768, 1e5};
  static constexpr const char* kTexts[] = {"", "x", "1,5", " 12.5", "--", "99999"};
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return CoreCell::Number(in.PickValueInArray(kNumbers));
    case 1:
      return CoreCell::Text(in.PickValueInArray(kTexts));
    case 2:
      return CoreCell();
  }
  const double value = in.ConsumeFloatingPoint<double>();
  return CoreCell::Number(std::isfinite(value) ? value : 0);
}

void Mutate(CoreTable& table, FuzzedDataProvider& in) {
  for (int n = in.ConsumeIntegralInRange(0, 12); n > 0; --n) {
    const MaterialSection section = SectionOf(in.PickValueInArray(kMaterials));
    const int offset = in.ConsumeIntegralInRange(0, kCoresPerSection + 1);
    const int row = offset > kCoresPerSection ? section.end_row : section.first_row + offset;
    table.Set(row, static_cast<CoreColumn>(in.ConsumeIntegralInRange(1, kCoreColumns)),
              OddCell(in));
  }
}

// An input text; never one that itself reads "nan" or "inf".
std::string InputText(FuzzedDataProvider& in) {
  static constexpr const char* kTexts[] = {"10",    "0",       "-1",    "1e-30", "1e30",   "3.4e38",
                                           "1e308", "1.7e308", "1e-45", "0.001", "1e5",    "32767",
                                           "65536", "",        "abc",   " 5 ",   "2.5e-6", "99999"};
  std::string text =
      in.ConsumeBool() ? in.PickValueInArray(kTexts) : in.ConsumeRandomLengthString(12);
  return ShowsNonFinite(text) ? std::string() : text;
}

int16_t CoreRow(FuzzedDataProvider& in, Material material) {
  const MaterialSection s = SectionOf(material);
  switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0:
      return static_cast<int16_t>(s.first_row + in.ConsumeIntegralInRange(0, kCoresPerSection));
    case 1:
      return in.PickValueInArray({s.end_row, s.last_core_row, int16_t{0}, int16_t{553}});
  }
  return in.ConsumeIntegral<int16_t>();
}

void CheckWindow(const WindowModel& w) {
  for (const TextBox* box : {&w.part_number,
                             &w.permeability,
                             &w.al,
                             &w.ae,
                             &w.le,
                             &w.core_id,
                             &w.core_od,
                             &w.core_height,
                             &w.mount_part_number,
                             &w.turns,
                             &w.wire,
                             &w.winding_factor,
                             &w.dcr,
                             &w.l_full_load,
                             &w.l_no_load,
                             &w.mu_e_full_dc,
                             &w.wound_dimensions,
                             &w.core_loss,
                             &w.copper_loss,
                             &w.total_loss,
                             &w.temp_rise}) {
    ExpectFinite("field", box->text);
  }
  for (const std::string& line : w.core_list) ExpectFinite("core list", line);
}

// Whether every cell a design on the row computes with, or shows as a core
// dimension, is a positive number a 4-byte float holds, and a toroid's
// winding window is a ring (its inside diameter below its outside one).
bool SoundCore(const CoreTable& table, int16_t row, bool e_core) {
  using C = CoreColumn;
  for (C column : {C::PathLen, C::WindID, C::WindOD, C::WindHt, C::CoreArea, C::WindowArea,
                   C::SizeFigure, C::Perm, C::AL, C::NomID, C::NomOD, C::NomHt, C::SurfaceArea}) {
    if (column == C::SurfaceArea && !e_core) continue;
    const std::optional<float> value = table.Cell(row, column).AsSingle();
    if (!value || !(*value > 0)) return false;
  }
  return e_core || *table.Cell(row, C::WindID).AsSingle() < *table.Cell(row, C::WindOD).AsSingle();
}

// The number a result field shows; fails the run when the field shows none.
double Shown(const TextBox& field, const std::string& context) {
  const std::optional<double> value = ParseNumber(field.text);
  if (!value) Fail("no number shown", context + ": [" + field.text + "]");
  return *value;
}

// The design shown, when it stands on a core of the material in force whose
// cells are all positive and the settings are ones the window accepts.
void CheckDesign(const WindowModel& w, const CoreTable& table) {
  const int16_t row = w.state.core_row;
  const bool e_core = IsECore(w.material);
  if (w.part_number.text.empty() || w.part_number.text == "Too Large" ||
      !SectionOf(w.material).HoldsCore(row) || !SoundCore(table, row, e_core) ||
      FirstInputPrompt(w) || !CopperFactorPositive(w.state.ambient_c) || w.state.stack_count < 1) {
    return;
  }
  const std::string context = w.part_number.text + " row " + std::to_string(row) + " stack " +
                              std::to_string(w.state.stack_count) + " ambient " +
                              std::to_string(w.state.ambient_c) + " Lfl " + w.full_load_l.text +
                              " turns " + w.turns.text;
  if (!(Shown(w.turns, context) > 0)) Fail("turns not positive", context);
  // Inductances are shown to 0.01 uH: a positive one below 0.005 uH shows as 0.00.
  const std::pair<const TextBox*, const char*> results[] = {{&w.dcr, "resistance"},
                                                            {&w.core_loss, "core loss"},
                                                            {&w.copper_loss, "copper loss"},
                                                            {&w.total_loss, "total loss"},
                                                            {&w.winding_factor, "fill"},
                                                            {&w.temp_rise, "rise"},
                                                            {&w.mu_e_full_dc, "roll-off"},
                                                            {&w.core_id, "ID"},
                                                            {&w.core_od, "OD"},
                                                            {&w.core_height, "height"},
                                                            {&w.l_full_load, "full-load L"},
                                                            {&w.l_no_load, "no-load L"}};
  for (const auto& [field, name] : results) {
    if (!(Shown(*field, context) >= 0)) Fail(name, context + ": " + field->text);
  }
  // Wound dimensions: "OD x HT" or, for an E-core, three sizes.
  std::string_view rest = w.wound_dimensions.text;
  while (!rest.empty()) {
    const std::size_t cut = rest.find(" x ");
    const std::optional<double> part = ParseNumber(rest.substr(0, cut));
    if (!part || !(*part >= 0)) Fail("wound dimensions", context + ": " + w.wound_dimensions.text);
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 3);
  }
}

void RunAction(DesignController& frm, FuzzedDataProvider& in) {
  WindowModel& w = frm.Model();
  switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0:
      return frm.Calculate();
    case 1:
      // As every caller of the selected-core design does, on the core core_row names.
      w.state.core_row = CoreRow(in, w.material);
      return frm.DesignSelectedCore(w.state.core_row);
    case 2:
      frm.ShowCoreList();
      return frm.PickListedCore(in.ConsumeIntegralInRange(-1, kCoresPerSection + 1));
    case 3:
      return frm.SelectMaterial(in.PickValueInArray(kMaterials));
    case 4:
      return frm.ToggleFullLoadLMaximum();
    case 5:
      return frm.ToggleSingleLayer();
    case 6:
      return in.ConsumeBool() ? frm.ShowMillimetres() : frm.ShowInches();
  }
  frm.OpenStackDialog();
  frm.ChooseStackCount(in.ConsumeIntegralInRange<int16_t>(0, 6));
  frm.AcceptStack();
}

}  // namespace
}  // namespace tov::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace tov;
  FuzzedDataProvider in(data, size);
  CoreTable table = fuzz::BaseTable();
  fuzz::Mutate(table, in);

  fuzz::AcceptingUi ui;
  DesignController frm(table, ui);
  WindowModel& w = frm.Model();
  ApplyStartupDefaults(w);
  w.material = in.PickValueInArray(kMaterials);
  for (TextBox* box : {&w.dc_current, &w.ripple_current, &w.frequency, &w.current_density,
                       &w.full_load_l, &w.no_load_l, &w.allowable_rise}) {
    box->text = fuzz::InputText(in);
  }
  w.full_load_l_max = in.ConsumeBool();
  w.single_layer = in.ConsumeBool();
  SetAmbientTemp(w.state, in.ConsumeFloatingPointInRange(-1e6f, 1e6f));
  w.state.stack_count =
      in.ConsumeBool() ? in.ConsumeIntegralInRange<int16_t>(0, 7) : in.ConsumeIntegral<int16_t>();
  if (in.ConsumeBool()) {
    w.state.metric = true;
    w.inches = false;
    w.millimetres = true;
  }

  for (int n = in.ConsumeIntegralInRange(1, 6); n > 0; --n) {
    fuzz::RunAction(frm, in);
    ui.NextOperation();
    fuzz::CheckWindow(w);
    fuzz::CheckDesign(w, table);
  }
  for (const std::string& line : RenderReportText(BuildReport(w))) {
    fuzz::ExpectFinite("report", line);
  }

  // Every core of the request compared: the first passing one from the start
  // row is Calculate's, and no cell of the table shows "nan" or "inf" (the
  // texts of the rows that hold cores; the empty rows after them all read alike).
  const DesignRequest request = frm.Request();
  if (const auto failure = check::CheckAgainstSearch(request, table)) {
    fuzz::Fail("candidates disagree with Calculate", *failure);
  }
  CandidateSet set = EvaluateCandidates(
      request, table, {.materials = {request.material}, .stacks = {request.stack_count}});
  const int last_core = SectionOf(request.material).first_row + fuzz::kCoresPerSection;
  std::erase_if(set.candidates, [&](const Candidate& c) { return c.row > last_core; });
  for (const CandidateRow& row :
       CandidateRows(std::move(set.candidates), request.material, request.stack_count, true)) {
    for (std::size_t c = 0; c < kCandidateColumnCount; ++c) {
      fuzz::ExpectFinite("compare table",
                         CellText(row, static_cast<CandidateColumn>(c), table, w.state.metric));
    }
  }
  return 0;
}

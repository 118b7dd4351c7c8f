// What the window exports of the design shown besides its report: the worst
// case and the SPICE model (File > Export SPICE Model...).

#include <optional>
#include <string>
#include <vector>

#include "engines/spice_model.h"
#include "engines/worst_case.h"
#include "io/export_save.h"
#include "io/spice_netlist.h"
#include "state/constants.h"
#include "state/message_titles.h"
#include "state/number_format.h"
#include "state/number_text.h"
#include "ui/logic/design_controller.h"
#include "ui/logic/present_result.h"

namespace tov {
namespace {

std::string NotExportedText(const std::string& path, const std::string& reason) {
  return "The SPICE model could not be written as\r" + path + "\r\r" + reason +
         "\rAn existing file of that name has not been changed.";
}

// A 4-byte value as typed (20.1, not 20.100000381).
std::string Plain(double value) {
  return PlainNumberText(value, 6);
}

std::string Formatted(double value, const char* pattern) {
  return FormatNumber(value, pattern).value_or("?");
}

// Every requirement check the design fails, one line each.
std::vector<std::string> Warnings(const std::vector<RequirementCheck>& checks) {
  std::vector<std::string> lines;
  for (const RequirementCheck& check : checks) {
    if (!check.pass)
      lines.push_back(std::string(DescriptorOf(check.kind).what) + ": " + check.reason);
  }
  return lines;
}

SpiceDescription Describe(const CoreTable& cores, const DesignResult& d, const WorstCase& worst,
                          const std::vector<RequirementCheck>& checks) {
  const double uH_per_mH = 1000.0 * d.stack_count;
  const std::string part = cores.PartNumber(d.row, d.e_core);
  SpiceDescription s;
  s.name = SpiceSubcktName(part, d.stack_count, d.N);
  const std::string stack =
      d.stack_count == 1 ? "1 core" : std::to_string(d.stack_count) + " stacked cores";
  s.lines.push_back("Core: " + part + ", " + std::string(InfoOf(d.material).caption) + ", " +
                    stack + " (mu " + Plain(d.ui) + ", AL " + Plain(d.AL) +
                    " mH per 1000 turns per core)");
  const std::string wire =
      d.strands == 1 ? "AWG " + std::to_string(d.G)
                     : std::to_string(d.strands) + " strands of AWG " + std::to_string(d.G);
  const double ambient = AmbientOf(d);
  s.lines.push_back("Winding: " + std::to_string(d.N) + " turns of " + wire + ", " +
                    Formatted(d.Rdc, "###0.0000") + " ohms at " + Formatted(ambient, "##0.0") +
                    " degrees C (the ambient)");
  std::string inputs = "Inputs: " + Plain(d.in.Idc) + " A DC, " + Plain(d.in.dI) +
                       " A ripple peak to peak at " + Plain(d.in.f) + " kHz, " +
                       Plain(d.in.Ltarget * uH_per_mH) + " uH at full load";
  if (d.in.Lmax > 0 && d.in.Lmax < kNoCeiling_mH) {
    inputs += ", at most " + Plain(d.in.Lmax * uH_per_mH) + " uH at no load";
  }
  s.lines.push_back(inputs + ",");
  s.lines.push_back("        " + Plain(d.in.J) + " A/sq cm, " + Plain(d.in.Tallow) +
                    " degrees C rise allowed");
  s.lines.push_back("Design: " + Formatted(uH_per_mH * d.Lnl, "#####0.00") + " uH at no load, " +
                    Formatted(uH_per_mH * d.Lfl, "#####0.00") + " uH at " + Plain(d.in.Ipk) +
                    " A (full load); core loss " + Formatted(d.Pfe, "####0.0") +
                    " mW, copper loss " + Formatted(d.Pcu, "####0.0") + " mW at I_w " +
                    Plain(d.in.Iw) + " A (I_dc + 0.577 dI/2), rise " + Formatted(d.dT, "##0.0") +
                    " degrees C");
  std::string worst_line = "Worst case (AL " + Plain(worst.al_tolerance_percent) +
                           " %): " + Formatted(worst.Lfl_min_uH, "#####0.00") + " uH at full load";
  if (worst.hot) {
    worst_line += ", " + Formatted(worst.hot->Rdc, "###0.0000") + " ohms at " +
                  Formatted(worst.hot->T_copper, "##0.0") + " degrees C";
  }
  s.lines.push_back(worst_line);
  s.warnings = Warnings(checks);
  return s;
}

}  // namespace

std::optional<WorstCase> DesignController::ShownWorstCase() const {
  if (!shown_design_) return std::nullopt;
  return Checked().worst;
}

std::optional<std::string> DesignController::SpiceModelText() const {
  if (!shown_design_) return std::nullopt;
  const std::optional<SpiceModel> model = BuildSpiceModel(*shown_design_);
  if (!model) return std::nullopt;
  return SpiceNetlist(*model, Describe(cores_, *shown_design_, *ShownWorstCase(), Checks()));
}

void DesignController::ExportSpiceModel() {
  if (!shown_design_) return;
  const std::optional<std::string> text = SpiceModelText();
  if (!text) {
    ui_.ShowMessage(kExportSpiceTitle,
                    "The design shown has no inductance to model: it has none at zero current.");
    return;
  }
  FileDialogRequest request;
  request.filter = "SPICE Models (*.cir)|*.cir|SPICE Libraries (*.lib)|*.lib|All Files (*.*)|*.*";
  request.filter_index = 1;
  request.default_extension = ".cir";
  request.confirm_overwrite = true;
  request.title = kExportSpiceTitle;
  const std::optional<std::string> path = ui_.ChooseSaveFile(request);
  if (!path) return;
  const std::string failure = SaveExport(*path, *text, DesignFile());
  if (!failure.empty()) ui_.ShowMessage(kExportSpiceTitle, NotExportedText(*path, failure));
}

}  // namespace tov

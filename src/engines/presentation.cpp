#include "engines/presentation.h"

#include <optional>
#include <string_view>

#include "state/number_format.h"
#include "state/numeric.h"

namespace tov {
namespace {

// A presentation step that has its text writes it; one that has none leaves
// the field as it was.
void Show(TextBox& field, const std::optional<std::string>& text) {
  Commit(field.text, text);
}

std::optional<std::string> Format(std::optional<double> value, std::string_view pattern) {
  if (!value) return std::nullopt;
  return FormatNumber(*value, pattern);
}

std::optional<double> Scaled(std::optional<double> value, double factor) {
  if (!value) return std::nullopt;
  return *value * factor;
}

// Several formatted parts joined by " x ", or nothing when one part has no text.
std::optional<std::string> Dimensions(std::initializer_list<std::optional<double>> parts,
                                      std::string_view pattern) {
  std::string text;
  for (const auto& part : parts) {
    const auto formatted = Format(part, pattern);
    if (!formatted) return std::nullopt;
    if (!text.empty()) text += " x ";
    text += *formatted;
  }
  return text;
}

constexpr std::string_view kRollOffTitle = "Inductance Roll-Off Warning";
constexpr std::string_view kRollOffMessage =
    "Inductance roll-off against current is higher than recommended.\r"
    "A larger core should be selected if possible.";
// Below this fraction of the no-load inductance left at full load the user is warned.
constexpr float kRollOffWarningRatio = 0.45f;

// The table holds inches; UnitsFactor 1 shows them as they are (three
// decimals), otherwise they are shown in millimetres (one decimal).
bool Inches(float UnitsFactor) {
  return UnitsFactor == 1.0f;
}
constexpr double kMillimetresPerInch = 25.4;

}  // namespace

std::string ChooseHeader(float ODw, float HTw) {
  if (ODw < 0.38f) return "SX-Q0705-8A";
  if (0.5f < ODw && ODw < 0.9f && HTw < 0.385f) return "TX-Q2206-4A";
  if (ODw < 1.1f && HTw < 0.51f) return "TX-Q2507-4A";
  if (ODw < 1.6f && HTw < 0.71f) return "TX-Q3813-4A";
  if (ODw < 2.5f && HTw < 0.81f) return "TX-Q4916-4A";
  return "None Available";
}

void PresentResult(WindowModel& window, const CoreTable& cores, const DesignResult& r) {
  if (!CoreTable::IsRow(r.row)) return;
  DesignState& state = window.state;
  const auto cell = [&](CoreColumn column) -> const CoreCell& { return cores.Cell(r.row, column); };
  const auto number = [&](CoreColumn column) { return cell(column).AsDouble(); };
  const double units = Inches(state.UnitsFactor) ? 1.0 : kMillimetresPerInch;

  // Part number and header; a stack is marked "(3x)".
  std::string part = cell(CoreColumn::PartNo).Display();
  if (r.e_core) {
    window.txtBobbin.text = cell(CoreColumn::BobbinPN).Display();
  } else {
    part += cell(CoreColumn::PartSuffix).Display();
    window.txtBobbin.text = ChooseHeader(r.ODw, r.HTw);
  }
  if (state.StackCount > 1) part = "(" + std::to_string(state.StackCount) + "x)" + part;
  window.txtPN.text = part;

  // Nominal dimensions of one core.
  const std::string_view nominal_pattern = Inches(state.UnitsFactor) ? "0.000" : "##0.0";
  Show(window.txtHt, Format(Scaled(number(CoreColumn::NomHt), units), nominal_pattern));
  Show(window.txtID, Format(Scaled(number(CoreColumn::NomID), units), nominal_pattern));
  Show(window.txtOD, Format(Scaled(number(CoreColumn::NomOD), units), nominal_pattern));

  Show(window.txtAe, Format(number(CoreColumn::CoreArea), "0.000"));
  Show(window.txtle, Format(number(CoreColumn::PathLen), "#0.00"));

  // Inductances of the whole stack, uH.
  if (const auto uH_per_mH = CheckedMul(state.StackCount, 1000)) {
    Show(window.txtLOutfl, FormatNumber(*uH_per_mH * static_cast<double>(r.Lfl), "#####0.00"));
    Show(window.txtLOutnl, FormatNumber(*uH_per_mH * static_cast<double>(r.Lnl), "#####0.00"));
  }

  window.txtPerm.text = cell(CoreColumn::Perm).Display();
  Show(window.txtAL, Format(number(CoreColumn::AL), "###"));
  Show(window.txtRollOff, FormatNumber(r.ue, "##0.0"));
  window.txtTurns.text = std::to_string(r.N);
  window.txtWire.text = r.strands == 1 ? std::to_string(r.G)
                                       : std::to_string(r.strands) + " x #" + std::to_string(r.G);
  Show(window.txtK, FormatNumber(r.fill, "0.00"));

  // Wound dimensions: the E-core set as wound, or the toroid's build-up.
  const std::string_view wound_pattern =
      Inches(state.UnitsFactor) ? (r.e_core ? "0.00" : "0.000") : "##0.0";
  if (r.e_core) {
    Show(window.txtDim, Dimensions({Scaled(number(CoreColumn::WindID), units),
                                    Scaled(number(CoreColumn::WindOD), units),
                                    Scaled(number(CoreColumn::NomHt), units)},
                                   wound_pattern));
  } else {
    Show(window.txtDim, Dimensions({units * r.ODw, units * r.HTw}, wound_pattern));
  }

  Show(window.txtDCR, FormatNumber(r.Rdc, "###0.000"));

  // Losses: all three in mW, or all three in W once the total reaches 10000 mW.
  const bool watts = r.Ptot >= 10000.0f;
  const double loss_unit = watts ? 1000.0 : 1.0;
  Show(window.txtPfe, FormatNumber(r.Pfe / loss_unit, "####0.0"));
  Show(window.txtPcu, FormatNumber(r.Pcu / loss_unit, "####0.0"));
  Show(window.txtPtot, FormatNumber(r.Ptot / loss_unit, "####0.0"));
  window.lblPfe = watts ? "Core Loss (W)" : "Core Loss (mW)";
  window.lblPcu = watts ? "Copper Loss (W)" : "Copper Loss (mW)";
  window.lblPtot = watts ? "Total Losses (W)" : "Total Losses (mW)";

  Show(window.txtTrise, FormatNumber(r.dT, "##0.0"));
  state.TotalLoss = r.Ptot;
  window.inputs_changed = false;
}

void PresentTooLarge(WindowModel& window) {
  window.txtPN.text = "Too Large";
  window.txtLOutfl.text = "N/A";
  window.txtLOutnl.text = "N/A";
  for (TextBox* field :
       {&window.txtID, &window.txtOD, &window.txtHt, &window.txtAe, &window.txtle, &window.txtPerm,
        &window.txtAL, &window.txtBobbin, &window.txtRollOff, &window.txtTurns, &window.txtWire,
        &window.txtK, &window.txtDim, &window.txtDCR, &window.txtPfe, &window.txtPcu,
        &window.txtPtot, &window.txtTrise}) {
    field->text.clear();
  }
  window.txtTrise.background = kWhite;
  window.inputs_changed = false;
}

void ColourTempRise(WindowModel& window, float dT, float Tallow) {
  const float hot = static_cast<float>(static_cast<double>(Tallow) + 15.0);
  if (dT < Tallow) {
    window.txtTrise.background = kWhite;
  } else if (Tallow < dT && dT < hot) {
    window.txtTrise.background = kLightYellow;
  } else if (dT > hot) {
    window.txtTrise.background = kLightRed;
  }
}

bool WarnRollOff(UserInterface& ui, float Lfl, float Lnl) {
  if (Lnl == 0) return false;
  const auto ratio = ToSingle(static_cast<double>(Lfl) / Lnl);
  if (!ratio || !(*ratio < kRollOffWarningRatio)) return false;
  ui.ShowMessage(kRollOffTitle, kRollOffMessage);
  return true;
}

}  // namespace tov

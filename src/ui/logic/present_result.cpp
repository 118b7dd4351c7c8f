#include "ui/logic/present_result.h"

#include <optional>
#include <string_view>

#include "engines/header_choice.h"
#include "models/core_loss.h"
#include "models/wire_gauge.h"
#include "state/constants.h"
#include "state/number_format.h"
#include "state/numeric.h"
#include "ui/logic/window_fields.h"

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

// What the fields do not say of a design: a picked core can end below Full
// Load L, the wire thinned past the tables (AWG 43) means no wire fits, and a
// grade the loss table does not cover shows a core loss of 0.
DesignNotes NotesOf(const DesignResult& r) {
  DesignNotes notes;
  notes.below_full_load_l = r.Lfl < r.in.Ltarget;
  notes.no_wire_fits = r.G > kThinnestGauge;
  notes.no_core_loss_data = CoreLossCoefficientsFor(r.MatType, r.ui).k == 0;
  return notes;
}

}  // namespace

void PresentResult(WindowModel& window, const CoreTable& cores, const DesignResult& r) {
  if (!CoreTable::IsRow(r.row)) return;
  DesignState& state = window.state;
  const CoreRowNumbers& numbers = cores.Numbers(r.row);
  const auto number = [&](CoreColumn column) { return numbers.Number(column); };
  const double units = state.metric ? kMmPerInch : 1.0;

  // Part number and header; a stack is marked "(3x)".
  std::string part = cores.PartNumber(r.row, r.e_core);
  window.mount_part_number.text =
      r.e_core ? cores.Display(r.row, CoreColumn::BobbinPN) : ChooseHeader(r.ODw, r.HTw);
  if (state.stack_count > 1) part = "(" + std::to_string(state.stack_count) + "x)" + part;
  window.part_number.text = part;

  // Nominal dimensions of one core.
  const std::string_view nominal_pattern = state.metric ? "##0.0" : "0.000";
  Show(window.core_height, Format(Scaled(number(CoreColumn::NomHt), units), nominal_pattern));
  Show(window.core_id, Format(Scaled(number(CoreColumn::NomID), units), nominal_pattern));
  Show(window.core_od, Format(Scaled(number(CoreColumn::NomOD), units), nominal_pattern));

  Show(window.ae, Format(number(CoreColumn::CoreArea), "0.000"));
  Show(window.le, Format(number(CoreColumn::PathLen), "#0.00"));

  // Inductances of the whole stack, uH, formed in 8 bytes: a stack of more
  // than 32 cores (possible from a design file) overflows 1000 x stack_count
  // as a 16-bit count, which left the previous design's inductances shown.
  const double uH_per_mH = 1000.0 * state.stack_count;
  Show(window.l_full_load, FormatNumber(uH_per_mH * static_cast<double>(r.Lfl), "#####0.00"));
  Show(window.l_no_load, FormatNumber(uH_per_mH * static_cast<double>(r.Lnl), "#####0.00"));

  window.permeability.text = cores.Display(r.row, CoreColumn::Perm);
  Show(window.al, Format(number(CoreColumn::AL), "###"));
  Show(window.mu_e_full_dc, FormatNumber(r.ue, "##0.0"));
  window.turns.text = std::to_string(r.N);
  window.wire.text = WireText(r.G, r.strands);
  Show(window.winding_factor, FormatNumber(r.fill, "0.00"));
  Show(window.wound_dimensions, WoundDimensionsText(cores, r, state.metric));

  Show(window.dcr, FormatNumber(r.Rdc, "###0.000"));

  // Losses: all three in mW, or all three in W once the total reaches 10000 mW.
  const bool watts = ShowsWatts(r.Ptot);
  const double loss_unit = watts ? 1000.0 : 1.0;
  Show(window.core_loss, FormatNumber(r.Pfe / loss_unit, "####0.0"));
  Show(window.copper_loss, FormatNumber(r.Pcu / loss_unit, "####0.0"));
  Show(window.total_loss, FormatNumber(r.Ptot / loss_unit, "####0.0"));
  window.core_loss_caption = watts ? "Core Loss (W)" : "Core Loss (mW)";
  window.copper_loss_caption = watts ? "Copper Loss (W)" : "Copper Loss (mW)";
  window.total_loss_caption = watts ? "Total Losses (W)" : "Total Losses (mW)";

  Show(window.temp_rise, FormatNumber(r.dT, "##0.0"));
  state.total_loss_mw = r.Ptot;
  window.inputs_changed = false;
  window.notes = NotesOf(r);
}

std::string WireText(int16_t G, int16_t strands) {
  return strands == 1 ? std::to_string(G) : std::to_string(strands) + " x #" + std::to_string(G);
}

// The E-core set as wound, or the toroid's build-up.
std::optional<std::string> WoundDimensionsText(const CoreTable& cores, const DesignResult& r,
                                               bool metric) {
  const double units = metric ? kMmPerInch : 1.0;
  const std::string_view pattern = metric ? "##0.0" : (r.e_core ? "0.00" : "0.000");
  if (!r.e_core) return Dimensions({units * r.ODw, units * r.HTw}, pattern);
  const auto number = [&](CoreColumn column) { return cores.Cell(r.row, column).AsDouble(); };
  return Dimensions(
      {Scaled(number(CoreColumn::WindID), units), Scaled(number(CoreColumn::WindOD), units),
       Scaled(number(CoreColumn::NomHt), units)},
      pattern);
}

void PresentTooLarge(WindowModel& window) {
  for (const OutputField& field : kOutputFields) {
    std::string& text = (window.*field.box).text;
    switch (field.too_large) {
      case TooLargeText::TooLarge:
        text = "Too Large";
        break;
      case TooLargeText::NotApplicable:
        text = "N/A";
        break;
      case TooLargeText::Empty:
        text.clear();
        break;
    }
  }
  window.temp_rise.background = kWhite;
  window.inputs_changed = false;
  window.notes = {};
}

void ColourTempRise(WindowModel& window, float dT, float Tallow) {
  const float hot = static_cast<float>(static_cast<double>(Tallow) + kHotMarginDegC);
  if (dT < Tallow) {
    window.temp_rise.background = kWhite;
  } else if (Tallow < dT && dT < hot) {
    window.temp_rise.background = kLightYellow;
  } else if (dT > hot) {
    window.temp_rise.background = kLightRed;
  }
}

}  // namespace tov

#include "ui/logic/report.h"

#include <cstddef>
#include <string_view>

#include "state/material.h"
#include "ui/logic/window_fields.h"

namespace tov {
namespace {

constexpr int kTitleColumn = 7;
constexpr int kSingleLayerColumn = 8;
constexpr int kLabelColumn = 1;
constexpr int kValueColumn = 30;
constexpr int kFollow = 0;

ReportLine Blank() {
  return {};
}

ReportLine At(int column, std::string text) {
  return {false, {{column, std::move(text)}}};
}

ReportLine Labelled(std::string label, std::string value) {
  return {false, {{kLabelColumn, std::move(label)}, {kValueColumn, std::move(value)}}};
}

std::string WireText(const WindowModel& window) {
  if (window.state.strands == 1) return "#" + window.wire.text + " AWG";
  // Both engines use gauge 12 whenever they use more than one strand.
  return std::to_string(window.state.strands) + " strands of #12 AWG";
}

// Characters (not bytes) of a UTF-8 text.
std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace

ReportDocument BuildReport(const WindowModel& window) {
  ReportDocument report;
  auto& lines = report.lines;
  lines.push_back({true, {{kTitleColumn, "Corvane DC Inductor Design"}}});
  lines.push_back(Blank());
  if (window.single_layer) {
    lines.push_back(At(kSingleLayerColumn, "Single Layer Winding Inductor"));
    lines.push_back(Blank());
  }
  lines.push_back(Labelled("Part Number: ", window.part_number.text));
  lines.push_back(Labelled("Permeability: ", window.permeability.text));
  lines.push_back(Labelled("Inductance Factor: ", window.al.text + " mH/1000 Turns"));
  lines.push_back(Labelled("Core Area (sq cm): ", window.ae.text));
  lines.push_back(Labelled("Path Length (cm): ", window.le.text));
  lines.push_back(Labelled("Turns: ", window.turns.text));
  lines.push_back(Labelled("Wire Size: ", WireText(window)));
  lines.push_back(Labelled("DC Resistance: ", window.dcr.text + " Ohms"));
  if (IsECore(window.material)) {
    lines.push_back(Labelled("Bobbin P/N: ", window.mount_part_number.text));
  } else if (window.mount_part_number.text != "None Available") {
    lines.push_back(Labelled("Header P/N: ", window.mount_part_number.text));
  }
  lines.push_back(
      Labelled("Wound Core Dimensions: ",
               window.wound_dimensions.text + (window.state.metric ? " (in mm)" : " (in inches)")));
  lines.push_back(Blank());
  lines.push_back(Labelled("Inductance (full load, µH): ", window.l_full_load.text));
  lines.push_back(
      {false, {{kLabelColumn, "Inductance (no load, µH): "}, {kFollow, window.l_no_load.text}}});
  const bool watts = ShowsWatts(window.state.total_loss_mw);
  lines.push_back(
      Labelled(watts ? "Core Losses (W): " : "Core Losses (mW): ", window.core_loss.text));
  lines.push_back(
      Labelled(watts ? "Copper Losses (W): " : "Copper Losses (mW): ", window.copper_loss.text));
  lines.push_back(
      Labelled(watts ? "Total Losses (W): " : "Total Losses (mW): ", window.total_loss.text));
  lines.push_back(Labelled("Temp. Rise (degrees C): ", window.temp_rise.text));
  return report;
}

std::vector<std::string> RenderReportText(const ReportDocument& report) {
  std::vector<std::string> out;
  out.reserve(report.lines.size());
  for (const ReportLine& line : report.lines) {
    std::string text;
    for (const ReportItem& item : line.items) {
      if (item.column > 0) {
        const std::size_t start = static_cast<std::size_t>(item.column - 1);
        const std::size_t length = CharacterCount(text);
        text.append(length <= start ? start - length : 1, ' ');
      }
      text += item.text;
    }
    out.push_back(std::move(text));
  }
  return out;
}

}  // namespace tov

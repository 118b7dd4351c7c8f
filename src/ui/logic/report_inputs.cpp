#include "ui/logic/report_inputs.h"

#include "state/material.h"
#include "state/number_text.h"
#include "ui/logic/window_fields.h"

namespace tov {
namespace {

constexpr int kLabelColumn = 1;
constexpr int kValueColumn = 36;

ReportLine Heading(std::string text) {
  return {true, {{kLabelColumn, std::move(text)}}};
}

ReportLine Labelled(std::string label, std::string value) {
  return {false, {{kLabelColumn, std::move(label)}, {kValueColumn, std::move(value)}}};
}

std::string YesNo(bool yes) {
  return yes ? "Yes" : "No";
}

}  // namespace

ReportDocument BuildInputsReport(const WindowModel& window, const std::string& date,
                                 const std::string& design_file) {
  ReportDocument report;
  auto& lines = report.lines;
  lines.push_back(Heading("Design Inputs"));
  for (const InputField& field : kInputFields) {
    lines.push_back(Labelled(std::string(field.caption) + ": ", (window.*field.box).text));
  }
  lines.push_back({});
  lines.push_back(Heading("Options"));
  lines.push_back(Labelled("Material: ", std::string(InfoOf(window.material).caption)));
  lines.push_back(Labelled("Stacked Cores: ", std::to_string(window.state.stack_count)));
  lines.push_back(
      Labelled("Ambient Temperature (degrees C): ", PlainNumberText(window.state.ambient_c, 7)));
  lines.push_back(Labelled("Single Layer Choke: ", YesNo(window.single_layer)));
  lines.push_back(Labelled("Full Load L Maximum: ", YesNo(window.full_load_l_max)));
  lines.push_back(
      Labelled("Dimensions: ", window.state.metric ? "Metric (mm)" : "English (inches)"));
  lines.push_back({});
  lines.push_back(Labelled("Date: ", date));
  if (!design_file.empty()) lines.push_back(Labelled("Design File: ", design_file));
  return report;
}

}  // namespace tov

#pragma once
// The design shown by the window as one JSON object, for scripts.

#include <QJsonObject>
#include <string>
#include <vector>

#include "app/tovcalc/recording_ui.h"
#include "state/window_model.h"

namespace tov::tovcalc {

// design_mode, core_row, strands, total_loss_mw, stack; the texts of the
// output and input fields; the captions that change; the colour of txtTrise;
// the options; the messages shown, in order; and the report as text lines.
QJsonObject WindowJson(const WindowModel& window, const std::vector<RecordedMessage>& messages,
                       const std::vector<std::string>& report_lines);

}  // namespace tov::tovcalc

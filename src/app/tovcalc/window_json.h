#pragma once
// The design shown by the window as one JSON object, for scripts.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/tovcalc/json_writer.h"
#include "app/tovcalc/recording_ui.h"
#include "app/tovcalc/request.h"
#include "engines/worst_case.h"
#include "state/window_model.h"

namespace tov::tovcalc {

// Where a request of a batch came from and what it asked for.
struct RequestEcho {
  long long line = 0;                         // of the batch file, or the request's number
  const std::vector<RequestOption>* options;  // sorted by name
};

// Members a front end adds to the object, each written at its place by name.
struct ExtraJson {
  std::function<void(JsonWriter&)> converter;   // the value of "converter"
  std::function<void(JsonWriter&)> simulation;  // the value of "simulation"
};

// design_mode, core_row, strands, total_loss_mw, stack; the texts of the
// output and input fields; the captions that change; the colour of txtTrise;
// the options; the messages shown, in order; the report as text lines; and
// for a request of a batch its line and its options; the worst case of the
// design shown (null without one). Members sorted by name.
void WriteWindowJson(JsonWriter& json, const WindowModel& window,
                     const std::vector<RecordedMessage>& messages,
                     const std::vector<std::string>& report_lines, const RequestEcho* echo,
                     const std::optional<WorstCase>& worst_case, const ExtraJson& extra = {});

// The "request" member of a batch line: the options by name, each with its
// text, or true or false for an option without a value.
void WriteRequestJson(JsonWriter& json, const RequestEcho& echo);

}  // namespace tov::tovcalc

#pragma once
// A design as one JSON object of schema version 2 (data/tovcalc.schema.json):
// the request as numbers, the design as numbers, every output text as the
// window shows it, the requirement checks, the messages shown, the options
// and the worst case.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/tovcalc/json_writer.h"
#include "app/tovcalc/recording_ui.h"
#include "app/tovcalc/request.h"
#include "ui/logic/design_controller.h"

namespace tov::tovcalc {

inline constexpr int kJsonSchemaVersion = 2;

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

// A stored 4-byte float as the decimal a user reads (20.1, not 20.100000381):
// the value rounded to 7 significant digits, the double nearest that decimal.
double FloatValue(float value);

// The design the controller shows with the messages it showed. `echo`: the
// batch line it came from (its number is written as "line"), or null for a
// single run. `report_lines`: the printed report's lines, or null to leave
// them out. Members sorted by name.
void WriteDesignJson(JsonWriter& json, const DesignController& form,
                     const std::vector<RecordedMessage>& messages, const RequestEcho* echo,
                     const std::vector<std::string>* report_lines, const ExtraJson& extra = {});

// The "request" member of a refused batch line: the options as given, each
// a number where its text is one, true or false for an option without a
// value that reads as one, else its text as given.
void WriteRequestJson(JsonWriter& json, const RequestEcho& echo);

}  // namespace tov::tovcalc

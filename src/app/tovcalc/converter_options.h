#pragma once
// tovcalc --converter: the converter's options read into a converter
// request, the seven inputs it fills, and its figures as the "converter"
// member of --json.

#include <memory>
#include <optional>
#include <string>

#include "app/tovcalc/command_line.h"
#include "app/tovcalc/design_json.h"
#include "app/tovcalc/json_writer.h"
#include "engines/converter.h"
#include "engines/line_cycle_loss.h"

namespace tov {
class DesignController;
}

namespace tov::tovcalc {

// With --converter: designs the converter, keeps it in `s` and fills the
// inputs it sets (--idc, --ripple, --freq, --lfl; --lnl twice --lfl unless
// given). Returns the usage error that refuses the options, empty when
// there is none; without --converter, refuses the converter's options.
std::string ReadConverterOptions(const GivenOptions& given, Settings& s);

// The "converter" member's value: the request and its figures.
// With `line_cycle` (a PFC boost with a design shown), its losses too.
void WriteConverterJson(JsonWriter& json, const ConverterRequest& request,
                        const ConverterDesign& design,
                        const std::optional<LineCycleLoss>& line_cycle = std::nullopt);

// The converter's figures as lines of text for the report.
std::string ConverterReport(const ConverterRequest& request, const ConverterDesign& design);

// The converter of `s` beside the design shown by `form`: its figures, and
// with --simulate the choke simulated in it by ngspice.
struct ConverterRun {
  ExtraJson json;     // the members --json adds (none without a converter)
  std::string text;   // the lines printed above the report without --json
  std::string error;  // why the simulation failed; empty when it ran or was not asked for
};
ConverterRun RunConverter(const Settings& s, const DesignController& form);

}  // namespace tov::tovcalc

#pragma once
// Designs as CSV: a header line, then one line per request with the options
// it was given and the numbers of its design at full precision.

#include <string>

#include "app/tovcalc/command_line.h"
#include "app/tovcalc/recording_ui.h"
#include "ui/logic/design_controller.h"

namespace tov::tovcalc {

// The header line, ended by a line break.
void AppendCsvHeader(std::string& out);

// One line: the request's line, its options (`given`: the command line's
// with the request's on top; an empty cell for one not given), the status
// it would end a single run with, the error that refused it, and for a run
// that designed, the design's numbers (empty when the window shows none,
// as after "Too Large") and the messages shown.
void AppendCsvLine(std::string& out, long long line, const GivenOptions& given, int status,
                   const std::string& error, const DesignController* form,
                   const std::vector<RecordedMessage>* messages);

// A CSV cell: quoted when it holds a comma, a quote or a line break; valid
// UTF-8 (see AppendValidUtf8).
void AppendCsvCell(std::string& out, std::string_view text);

}  // namespace tov::tovcalc

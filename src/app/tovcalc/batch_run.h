#pragma once
// A batch: request after request from a file, standard input or sweeps,
// each designed and written out as one line while the next is read, so that
// memory stays flat however many there are.

#include <string>
#include <vector>

#include "app/tovcalc/command_line.h"
#include "app/tovcalc/request.h"
#include "app/tovcalc/standard_output.h"

namespace tov::tovcalc {

// One request of the batch as an action sees it.
struct BatchItem {
  long long line = 0;                         // of the batch file, or the request's number
  const GivenOptions& given;                  // the command line's options, the request's on top
  const std::vector<RequestOption>& options;  // the request's own, sorted by name
};

// What the batch does with each request. The design lines of --json and
// --csv are actions; another table per request plugs in the same way.
class RequestAction {
 public:
  virtual ~RequestAction() = default;
  // Written once, before the first request.
  virtual void Header(std::string& out) = 0;
  // A request refused before it ran: its line cannot be read or its options
  // are wrong (`status` kUsageError).
  virtual void Refused(std::string& out, const BatchItem& item, int status,
                       const std::string& error) = 0;
  // Runs the request; returns the status a single run of it ends with.
  virtual int Run(std::string& out, const BatchItem& item, const Settings& settings) = 0;
};

// Runs every request: each line of `settings.batch` (every request once when
// there is none) times every combination of the sweeps. Returns the exit
// status: 0 every request designed, 1 some ended "Too Large", 2 some were
// refused; 3 the batch file could not be read; 2 for a bad sweep or CSV
// header, before any request runs. Errors that end the batch go to standard
// error.
int RunBatch(const Settings& settings, const GivenOptions& given, RequestAction& action,
             StandardOutput& out);

}  // namespace tov::tovcalc

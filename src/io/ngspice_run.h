#pragma once
// ngspice run in batch mode on a deck, as a child process under a time
// limit, cancellable from another thread.

#include <atomic>
#include <string>

namespace tov {

struct NgspiceRun {
  bool finished = false;  // ngspice ran to its end (whatever it printed)
  std::string output;     // what it printed, standard output and error together
  double seconds = 0;     // wall-clock time it ran
  std::string error;      // why it did not finish: not installed, timed out, cancelled
};

// Whether an ngspice program is on the search path.
bool NgspiceInstalled();

// Runs "ngspice -b" on `deck` in a temporary folder of its own, removed
// afterwards. Stops it after `timeout_seconds`, or soon after `cancel`
// becomes true.
NgspiceRun RunNgspice(const std::string& deck, double timeout_seconds,
                      const std::atomic<bool>* cancel = nullptr);

}  // namespace tov

#include "engines/automatic_selection.h"

#include <string>

#include "engines/search_walk.h"
#include "state/message_titles.h"

namespace tov {
namespace {

constexpr std::string_view kCoreTooLargeMessage =
    "Required core is larger than any in current database.\r\r"
    "Try reducing current or full load inductance,\r"
    "increasing allowable temperature rise,\r"
    "increasing no load inductance, or stacking cores\r"
    "(Options|Stack Cores).";

}  // namespace

SearchOutcome SearchCores(const DesignRequest& request, const CoreTable& cores) {
  SearchWalk walk(request, cores);
  SearchOutcome outcome;
  outcome.start_row = walk.StartRow();
  // One walk from the start row up; the end row, which stands for "no core
  // is large enough", always ends it.
  int16_t row = walk.StartRow();
  for (;; ++row) {
    if (walk.IsEndRow(row)) {
      walk.notices().push_back({NoticeKind::CoreTooLarge, std::string(kCoreTooLargeTitle),
                                std::string(kCoreTooLargeMessage)});
      break;
    }
    if (!walk.Evaluate(row).Pass()) continue;
    if (!walk.WindAndHeat()) continue;
    if (walk.heat().dT > walk.inputs().Tallow) continue;
    outcome.design = walk.Result(row);
    break;
  }
  outcome.core_row = row;
  outcome.notices = std::move(walk.notices());
  outcome.effects = walk.effects();
  return outcome;
}

}  // namespace tov

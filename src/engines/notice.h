#pragma once
// What a design run has to tell the user, in the order it arises. The window
// shows each as a message box; tovcalc prints them.

#include <string>
#include <vector>

namespace tov {

enum class NoticeKind {
  StackReset,        // E-cores are never stacked: back to one core
  SingleLayerReset,  // E-cores are never single-layer: the option is cleared
  WireTooLarge,      // more than six strands of gauge 12 would be needed
  CoreTooLarge,      // no core of the material is large enough
  WireReduced,       // strands removed or the wire thinned to fit the core
  CannotWind,        // the toroid's hole fills up before every turn is placed
  RollOff,           // less than 45 % of the no-load inductance left at full load
};

struct Notice {
  NoticeKind kind;
  std::string title;
  std::string text;  // lines separated by carriage returns
  friend bool operator==(const Notice&, const Notice&) = default;
};

using Notices = std::vector<Notice>;

}  // namespace tov

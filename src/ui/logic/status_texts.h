#pragma once
// The status bar of the main window: the settings that shape the next design,
// and what the output fields do not say about the design shown.

#include <string>

#include "ui/logic/window_model.h"

namespace tov {

struct StatusTexts {
  // Ambient temperature, stack, single layer, units and Full Load L Maximum,
  // separated by " | ".
  std::string settings;
  // "Inputs changed since the last design" and the design's notes, separated
  // by " | "; empty when there is nothing to say.
  std::string notes;
};

StatusTexts ComposeStatus(const WindowModel& window);

}  // namespace tov

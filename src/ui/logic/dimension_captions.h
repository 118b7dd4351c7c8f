#pragma once
// Captions of the core-information labels, by material and by dimension unit.
// E-cores show the size of the core set and the bobbin; in millimetres they
// keep their own wording with "(mm)".

#include <string_view>

#include "state/material.h"

namespace tov {

struct CoreCaptions {
  std::string_view lblBobbin;
  std::string_view lblID;
  std::string_view lblOD;
  std::string_view lblHt;
};

constexpr CoreCaptions CoreCaptionsFor(Material material, bool metric) {
  if (IsECore(material)) {
    if (metric) {
      return {"Bobbin Part Number", "Length of Core Set (mm)", "Width of Core Set (mm)",
              "Height of Core Bobbin (mm)"};
    }
    return {"Bobbin Part Number", "Length of Core Set (in)", "Width of Core Set (in)",
            "Height of Core Bobbin (in)"};
  }
  if (metric) {
    return {"Recommended Header", "ID (mm, nominal)", "OD (mm, nominal)", "Height (mm, nominal)"};
  }
  return {"Recommended Header", "ID (inches, nominal)", "OD (inches, nominal)",
          "Height (inches, nominal)"};
}

constexpr std::string_view WoundDimensionsCaption(bool metric) {
  return metric ? "Wound Core Dimen. (mm)" : "Wound Core Dimensions (in)";
}

}  // namespace tov

#pragma once
// The designed part drawn to scale, without any toolkit: a toroid seen from
// above and in section with its winding layer by layer, or an E-core set with
// its wound outline, bobbin height and winding window. Lengths are in the
// units the window shows (inches or millimetres), y pointing down, the origin
// at the drawing's top left corner.

#include <optional>
#include <string>
#include <vector>

#include "engines/design_result.h"
#include "state/core_table.h"

namespace tov {

// What a shape shows; painters choose colours by it.
enum class PartRole {
  Core,     // magnetic core (a toroid's coated ring, an E-core set)
  Joint,    // the face between two stacked toroids
  Layer,    // one layer of the winding
  Wire,     // one wire of the innermost row of a layer, its own diameter
  Outline,  // wound outline or bobbin
  Window,   // an E-core's winding window
  Fill,     // the part of the window the copper fills
};

// An annulus; a full disc has inner 0.
struct PartRing {
  double cx = 0, cy = 0, inner = 0, outer = 0;
  PartRole role = PartRole::Core;
  int layer = -1;  // layers: 0 innermost
};

struct PartRect {
  double x = 0, y = 0, width = 0, height = 0;
  PartRole role = PartRole::Core;
  int layer = -1;
};

struct PartLine {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  PartRole role = PartRole::Joint;
};

// A dimension between two points, with its figure as the window shows it.
struct PartDimension {
  std::string name;  // "wound_od", "wound_height", "wound_length", "wound_width"
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  std::string text;
};

struct PartLabel {
  double x = 0, y = 0;  // left end of the base line
  std::string text;
};

struct PartDrawing {
  double width = 0, height = 0;  // extent
  bool metric = false;           // millimetres, else inches
  double text_size = 0;          // height of the labels' letters
  int layers = 0;                // layers of the winding (toroids)
  std::vector<PartRing> rings;
  std::vector<PartRect> rects;
  std::vector<PartLine> lines;
  std::vector<PartDimension> dimensions;
  std::vector<PartLabel> labels;
};

// The drawing of `design` on its core row, in millimetres when `metric`.
// nullopt when the row lies outside the table, a dimension it needs has no
// value, or a toroid could not be wound.
std::optional<PartDrawing> DrawPart(const DesignResult& design, const CoreTable& cores,
                                    bool metric);

}  // namespace tov

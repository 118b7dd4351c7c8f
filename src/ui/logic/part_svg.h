#pragma once
// The drawing of a designed part as an SVG document, to scale: one unit of
// its view box is one inch or one millimetre, as the drawing is made.

#include <filesystem>
#include <string>

#include "ui/logic/part_drawing.h"

namespace tov {

// The SVG text. Each shape carries its role as its class ("core", "layer",
// "wire", ...), a layer's shapes their layer (0 innermost) as data-layer, the
// root group the layer count as data-layers; a dimension is a group of class
// "dimension" whose id is its name, its line from end to end first.
std::string PartSvg(const PartDrawing& drawing, const std::string& title);

// Writes the SVG to `file` as every export is saved, never over
// `design_file`. Returns the empty text, or why nothing was written.
std::string SavePartSvg(const PartDrawing& drawing, const std::string& title,
                        const std::filesystem::path& file,
                        const std::filesystem::path& design_file);

}  // namespace tov

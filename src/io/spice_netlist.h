#pragma once
// The design's SPICE model as netlist text: a two-terminal subcircuit for
// ngspice (and other simulators whose behavioural sources take a
// piecewise-linear function of a branch current).

#include <string>
#include <string_view>
#include <vector>

#include "engines/spice_model.h"

namespace tov {

// What the file's header says besides the program that wrote it.
struct SpiceDescription {
  std::string name;                // the subcircuit's name
  std::vector<std::string> lines;  // the design: core, turns, wire, inputs, one line each
};

// The subcircuit's name from the core's part number, the stacked cores and
// the turns: "L_C055930A2_38T", "L_C055930A2_3X_38T"; every character that
// is not a letter or digit becomes "_".
std::string SpiceSubcktName(std::string_view part_number, int stack, int turns);

// The netlist: a header of comments (the program and its version, the
// description, how to use the model and how it works), then
// ".subckt NAME 1 2" ... ".ends NAME". Every number is finite.
std::string SpiceNetlist(const SpiceModel& model, const SpiceDescription& description);

}  // namespace tov

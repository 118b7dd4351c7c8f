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
  // The design's warnings and failed checks, one line each.
  std::vector<std::string> warnings;
};

// The subcircuit's name from the core's part number, the stacked cores and
// the turns: "L_C055930A2_38T", "L_C055930A2_3X_38T"; every character that
// is not a letter or digit becomes "_".
std::string SpiceSubcktName(std::string_view part_number, int stack, int turns);

// Volts per weber of the subcircuit's nodes flux and d: its flux linkage
// times a power of ten; C_FLUX is 1/scale F, so that its current is dPhi/dt.
double FluxNodeScale(const SpiceModel& model);

// The netlist: a header of comments (the program and its version, the
// description, its warnings as "Warning: ..." lines, where the model leaves
// the roll-off data and what it does beyond, the waveform R_LOSS was sized
// for, how to use the model and how it works), then
// ".subckt NAME 1 2" ... ".ends NAME". Every number is finite.
std::string SpiceNetlist(const SpiceModel& model, const SpiceDescription& description);

}  // namespace tov

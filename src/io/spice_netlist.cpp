#include "io/spice_netlist.h"

#include <cmath>
#include <cstdio>

namespace tov {
namespace {

constexpr const char* kProgram = "Corvane Inductor Design Using Powder Cores " TOV_PROGRAM_VERSION;
// Continuation lines of the flux table stay within this many characters.
constexpr std::size_t kLineWidth = 96;

// A number as SPICE reads it: ten significant digits, exponent form where
// shorter (never a scale suffix, whose "m" SPICE would read as milli).
std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

// The header's explanation of the model, one comment line each.
constexpr const char* kHowItWorks[] = {
    "Terminal 1 to terminal 2: R_DC, the winding's DC resistance, in series with the",
    "inductance; R_LOSS (when present) across the inductance dissipates the design's",
    "core loss at its ripple (a symmetric triangle of the ripple current at the ripple",
    "frequency); at other waveforms it dissipates v^2/R_LOSS, a resistor's loss.",
    "",
    "The inductance follows the core's DC-bias roll-off, not a fitted curve: B_FLUX",
    "sets node flux to the flux linkage Phi(I) of the winding current sensed by",
    "V_SENSE (times the scale of C_FLUX), the integral of the design's inductance",
    "against current, odd in the current and continued past the table with its last",
    "slope. The current of C_FLUX is dPhi/dt, which H_L puts across the winding, so",
    "dPhi/dI at every current is the design's inductance there. Differentiating the",
    "flux (rather than integrating the voltage into it) keeps the DC operating point",
    "defined: at DC the choke is R_DC alone, its flux set by its current. No",
    "temperature dependence of the permeability, no frequency dependence beyond",
    "R_LOSS.",
    "",
    "The trapezoidal method rings on the voltage of a choke driven by a current",
    "source with sharp corners; .options method=gear avoids it. Driven by voltages,",
    "as in a converter, either method integrates the flux as it should.",
};

// A number for the reader: four significant digits.
std::string Short(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4g", value);
  return text;
}

constexpr double kMicrohenriesPerHenry = 1e6;

// A paragraph as comment lines of at most kCommentWidth characters.
constexpr std::size_t kCommentWidth = 88;
std::string Comment(const std::string& paragraph) {
  std::string text, line = "*";
  std::size_t from = 0;
  while (from < paragraph.size()) {
    std::size_t to = paragraph.find(' ', from);
    if (to == std::string::npos) to = paragraph.size();
    const std::string word = paragraph.substr(from, to - from);
    if (line.size() > 1 && line.size() + 1 + word.size() > kCommentWidth) {
      text += line + "\n";
      line = "*";
    }
    line += " " + word;
    from = to + 1;
  }
  return text + line + "\n";
}

// Where the model leaves the roll-off data and what it does there and beyond.
std::string LimitText(const SpiceModel& m) {
  const std::string end = Short(m.table.back().I);
  const std::string air = Short(m.L_air * kMicrohenriesPerHenry);
  const std::string beyond = Short(m.L_beyond * kMicrohenriesPerHenry);
  if (!m.leaves_curve_at) {
    return Comment("The inductance follows the roll-off data up to " + end +
                   " A (the table's end, ten times the peak current) and stays at " + beyond +
                   " uH beyond; it would never fall below the winding's air-core inductance, " +
                   air + " uH.");
  }
  return Comment("From " + Short(*m.leaves_curve_at) +
                 " A the model leaves the roll-off data: the inductance holds the lowest value "
                 "the curve reached at a lower current (it never rises with current again" +
                 std::string(m.gap_bridged ? ", and bridges where the curve has no value" : "") +
                 ") and never falls below the winding's air-core inductance, " + air +
                 " uH (mu0 N^2 Ae / le). At the table's end, " + end +
                 " A (ten times the peak current), it is " + beyond + " uH, and stays so beyond.");
}

// The waveform R_LOSS was sized for, and what another duty makes of it.
std::string LossText(const SpiceModel& m) {
  if (!m.Rloss) return "";
  std::string factors;
  for (const double duty : {0.4, 0.3, 0.2, 0.1}) {
    factors += (factors.empty() ? "" : ", ") + Short(LossFactorAtDuty(duty)) + " at " +
               Short(duty) + " or " + Short(1 - duty);
  }
  return Comment("R_LOSS is sized for a symmetric triangle (duty 0.5) of " +
                 Short(m.loss_ripple_a) + " A peak to peak about " + Short(m.loss_dc_a) + " A at " +
                 Short(m.loss_frequency_hz / 1000) +
                 " kHz. The same ripple from a two-level voltage at duty D (a buck, a boost) "
                 "makes it dissipate 1/(4 D (1 - D)) times the core loss above: " +
                 factors + ".");
}

// "B_FLUX flux 0 V = ..." over as many continuation lines as it takes.
std::string FluxSource(const SpiceModel& m, double scale) {
  const std::string I_end = Number(m.table.back().I);
  const std::string clamped = "min(max(i(V_SENSE),-" + I_end + ")," + I_end + ")";
  std::vector<std::string> items;
  items.push_back("B_FLUX flux 0 V = " + Number(scale) + "*(pwl(" + clamped + ",");
  const auto pair = [&](double I, double flux) {
    items.push_back(Number(I) + "," + Number(flux) + ",");
  };
  for (std::size_t k = m.table.size() - 1; k > 0; --k) pair(-m.table[k].I, -m.table[k].flux);
  for (const FluxPoint& p : m.table) pair(p.I, p.flux);
  items.back().pop_back();  // the last pair's comma
  items.push_back(") + " + Number(m.L_beyond) + "*(i(V_SENSE)-" + clamped + "))");

  std::string text;
  std::string line;
  for (const std::string& item : items) {
    if (!line.empty() && line.size() + 1 + item.size() > kLineWidth) {
      text += line + "\n";
      line = "+";
    }
    if (!line.empty()) line += " ";
    line += item;
  }
  return text + line + "\n";
}

}  // namespace

std::string SpiceSubcktName(std::string_view part_number, int stack, int turns) {
  std::string name = "L_";
  for (const char c : part_number) {
    const bool alnum = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    name += alnum ? c : '_';
  }
  if (stack > 1) name += "_" + std::to_string(stack) + "X";
  return name + "_" + std::to_string(turns) + "T";
}

double FluxNodeScale(const SpiceModel& m) {
  // A power of ten that brings the table's largest flux to 1..10 V, well
  // above the simulator's absolute tolerances.
  const double largest = m.table.back().flux;
  return largest > 0 ? std::pow(10.0, -std::floor(std::log10(largest))) : 1.0;
}

std::string SpiceNetlist(const SpiceModel& m, const SpiceDescription& description) {
  const double scale = FluxNodeScale(m);

  std::string text = "* " + description.name + ": DC choke, written by " + kProgram + "\n";
  for (const std::string& line : description.lines) text += "* " + line + "\n";
  for (const std::string& line : description.warnings) text += "* Warning: " + line + "\n";
  text += "*\n";
  text += LimitText(m) + LossText(m);
  text += "*\n* Use:  .include \"this file\"\n*       X1 node1 node2 " + description.name + "\n*\n";
  for (const char* line : kHowItWorks) text += std::string("*") + (*line ? " " : "") + line + "\n";
  text += "\n.subckt " + description.name + " 1 2\n";
  // Without a resistance (no wire fits the window) terminal 1 is node b.
  const std::string b = m.Rdc > 0 ? "b" : "1";
  if (m.Rdc > 0) text += "R_DC 1 b " + Number(m.Rdc) + "\n";
  text += "V_SENSE " + b + " c 0\n";
  text += "H_L c 2 V_DFLUX 1\n";
  if (m.Rloss) text += "R_LOSS " + b + " 2 " + Number(*m.Rloss) + "\n";
  text += FluxSource(m, scale);
  text += "V_DFLUX flux d 0\n";
  text += "C_FLUX d 0 " + Number(1 / scale) + "\n";
  text += ".ends " + description.name + "\n";
  return text;
}

}  // namespace tov

#include "app/tovcalc/command_line.h"

#include <cmath>

#include "app/tovcalc/converter_options.h"
#include "app/tovcalc/curve_output.h"
#include "engines/worst_case.h"
#include "io/curve_csv.h"
#include "state/number_text.h"
#include "state/numeric.h"
#include "ui/logic/window_model.h"

namespace tov::tovcalc {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

namespace {

// Reading the arguments: every option found, the unknown ones, and the
// first error of a value (a missing or an unexpected one).
struct Scan {
  GivenOptions given;
  std::vector<std::string> unknown;
  std::string value_error;
};

std::optional<OptionId> OptionOfShortName(std::string_view name) {
  for (const OptionEntry& entry : kOptions) {
    if (!entry.short_name.empty() && entry.short_name == name) return entry.id;
  }
  return std::nullopt;
}

void Record(GivenOptions& given, OptionId id, std::string value) {
  if (id == OptionId::Sweep) given.sweeps.push_back(value);
  given[id] = std::move(value);
}

// The value of an option found in `argument` ("--idc=5"), or in the next
// argument when it has none; an option without a value must not have one.
void TakeValue(Scan& scan, OptionId id, const std::string& argument, std::size_t& index,
               const std::vector<std::string>& arguments) {
  const std::size_t assign = argument.find('=');
  if (!EntryOf(id).value_name.empty()) {
    if (assign != std::string::npos) {
      Record(scan.given, id, argument.substr(assign + 1));
    } else if (index + 1 < arguments.size()) {
      Record(scan.given, id, arguments[++index]);
    } else {
      ++index;
      scan.value_error = "Missing value after '" + argument + "'.";
    }
  } else if (assign != std::string::npos) {
    scan.value_error = "Unexpected value after '" + argument.substr(0, assign) + "'.";
  } else {
    Record(scan.given, id, "");
  }
}

Scan ScanArguments(const std::vector<std::string>& arguments) {
  Scan scan;
  bool only_files = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (only_files || argument.size() < 2 || argument[0] != '-') {
      scan.given.positional.push_back(argument);
    } else if (argument == "--") {
      only_files = true;
    } else if (argument[1] == '-') {
      const std::string name = argument.substr(2, argument.find('=') - 2);
      if (const std::optional<OptionId> id = OptionNamed(name)) {
        TakeValue(scan, *id, argument, i, arguments);
      } else {
        scan.unknown.push_back(name);
      }
    } else {
      // Short options run together: "-h"; one with a value takes the rest.
      std::optional<OptionId> last;
      for (std::size_t pos = 1; pos < argument.size(); ++pos) {
        const std::string name(1, argument[pos]);
        last = OptionOfShortName(name);
        if (!last) {
          scan.unknown.push_back(name);
          continue;
        }
        if (pos + 1 < argument.size() && argument[pos + 1] == '=') break;
      }
      if (last) TakeValue(scan, *last, argument, i, arguments);
    }
  }
  return scan;
}

std::optional<std::string> Text(const GivenOptions& given, OptionId id) {
  return given[id];
}

// A pair of options that set one check mark; both at once is an error.
bool CheckMark(const GivenOptions& given, OptionId on, OptionId off, std::optional<bool>& mark,
               std::string& error) {
  if (given.Has(on) && given.Has(off)) {
    error = "--" + std::string(EntryOf(on).name) + " and --" + std::string(EntryOf(off).name) +
            " contradict each other.";
    return false;
  }
  if (given.Has(on)) mark = true;
  if (given.Has(off)) mark = false;
  return true;
}

std::string ReadInto(const GivenOptions& given, Settings& s) {
  if (given.positional.size() > 1) return "Only one design file can be given.";
  if (!given.positional.empty()) s.design_file = given.positional.front();

  s.dc_current = Text(given, OptionId::Idc);
  s.ripple_current = Text(given, OptionId::Ripple);
  s.frequency = Text(given, OptionId::Freq);
  s.current_density = Text(given, OptionId::Density);
  s.full_load_l = Text(given, OptionId::Lfl);
  s.no_load_l = Text(given, OptionId::Lnl);
  s.allowable_rise = Text(given, OptionId::Trise);
  if (std::string refused = ReadConverterOptions(given, s); !refused.empty()) return refused;

  if (const auto name = Text(given, OptionId::Material)) {
    for (const MaterialInfo& info : kMaterialTable) {
      if (EqualIgnoringCase(*name, info.cli_name)) s.material = info.material;
    }
    if (!s.material) return "Unknown material \"" + *name + "\": use mpp, hf, velmax or velmax-e.";
  }
  s.core = Text(given, OptionId::Core);
  if (const auto stack = Text(given, OptionId::Stack)) {
    const std::optional<double> n = ParseNumber(*stack);
    if (!n || *n < 1 || *n > 5 || *n != std::floor(*n)) {
      return "--stack takes a whole number of cores from 1 to 5, not \"" + *stack + "\".";
    }
    s.stack = static_cast<int16_t>(*n);
  }
  if (const auto ambient = Text(given, OptionId::Ambient)) {
    const std::optional<double> t = ParseNumber(*ambient);
    s.ambient = t ? ToSingle(*t) : std::nullopt;
    if (!s.ambient) return "--ambient takes a number in degrees C, not \"" + *ambient + "\".";
    if (!CopperFactorPositive(*s.ambient)) {
      return "--ambient must be above -234.45 degrees C, where copper keeps a positive "
             "resistance, not \"" +
             *ambient + "\".";
    }
  }
  if (const auto tolerance = Text(given, OptionId::AlTolerance)) {
    const std::optional<double> percent = ParseNumber(*tolerance);
    if (!percent || !ALToleranceAllowed(*percent)) {
      return "--al-tolerance takes the AL's lower tolerance in percent, from -99 to 0, not \"" +
             *tolerance + "\".";
    }
    s.al_tolerance = static_cast<float>(*percent);
  }
  std::string error;
  if (!CheckMark(given, OptionId::SingleLayer, OptionId::NoSingleLayer, s.single_layer, error) ||
      !CheckMark(given, OptionId::LflMax, OptionId::NoLflMax, s.full_load_l_max, error)) {
    return error;
  }
  s.metric = given.Has(OptionId::Metric);
  s.coredat = Text(given, OptionId::Coredat);
  s.list = given.Has(OptionId::List);
  s.json = given.Has(OptionId::Json);
  s.csv = given.Has(OptionId::Csv);
  s.report = given.Has(OptionId::Report);
  s.strict = given.Has(OptionId::Strict);
  s.save = Text(given, OptionId::Save);
  s.batch = Text(given, OptionId::Batch);
  s.sweeps = given.sweeps;

  const CandidateArguments candidates{.candidates = given.Has(OptionId::Candidates),
                                      .materials = Text(given, OptionId::Materials),
                                      .stacks = Text(given, OptionId::Stacks),
                                      .passing = given.Has(OptionId::Passing),
                                      .sort = Text(given, OptionId::Sort),
                                      .csv = s.csv && given.Has(OptionId::Candidates),
                                      .json = s.json,
                                      .metric = s.metric,
                                      .one_design = s.core || s.list || s.save};
  if (std::string refused = ReadCandidateArguments(candidates, s.candidates); !refused.empty()) {
    return refused;
  }
  if (const auto name = Text(given, OptionId::Curve)) {
    s.curve = CurveKindFromName(*name);
    if (!s.curve) return "Unknown curve \"" + *name + "\": use " + CurveOptionNames() + ".";
    if (s.Many() || s.candidates || s.list || s.json) {
      return "--curve prints one curve of one design: it takes no --batch, --sweep, --csv, "
             "--candidates, --list or --json.";
    }
  }
  s.spice = Text(given, OptionId::Spice);
  if (s.spice && (s.Many() || s.candidates || s.list)) {
    return "--spice writes the model of one design: it takes no --batch, --sweep, --csv, "
           "--candidates or --list.";
  }
  s.mas = Text(given, OptionId::Mas);
  if (s.mas && (s.Many() || s.candidates || s.list)) {
    return "--mas writes the MAS document of one design: it takes no --batch, --sweep, --csv, "
           "--candidates or --list.";
  }
  s.from_mas = Text(given, OptionId::FromMas);
  if (s.candidates && s.csv && (s.batch || !s.sweeps.empty())) {
    return "--candidates with --batch or --sweep prints JSON lines: leave out --csv.";
  }

  if (s.list && s.save)
    return "--save and --list contradict each other: a core list is no design to save.";
  if (s.json && s.csv) return "--json and --csv contradict each other.";
  if (s.report && !(s.json || (s.Many() && !s.csv))) {
    return "--report goes with --json or a batch or sweep of JSON lines.";
  }
  if (s.Many() && s.list)
    return "--list prints one core list: it takes no --batch, --sweep or --csv.";
  if (s.Many() && s.save) return "--save saves one design: it takes no --batch, --sweep or --csv.";
  // Standard output holds the report: "-" would be a file of that name.
  if (s.save == "-" || s.spice == "-") {
    return std::string(s.save == "-" ? "--save" : "--spice") +
           " writes a file, not standard output: give a file name other than \"-\" "
           "(./- for a file of that name).";
  }
  return {};
}

}  // namespace

constexpr std::array<OptionEntry, kOptionCount> kOptions = {{
    {OptionId::Help, "h", "help", "", "Displays help on commandline options.", false},
    {OptionId::HelpAll, "", "help-all", "", "Displays help on commandline options, as --help does.",
     false},
    {OptionId::Idc, "", "idc", "T", "DC current, A.", true},
    {OptionId::Ripple, "", "ripple", "T", "Ripple current, A peak to peak.", true},
    {OptionId::Freq, "", "freq", "T", "Ripple frequency, kHz.", true},
    {OptionId::Density, "", "density", "T", "Current density for the wire, A/sq cm.", true},
    {OptionId::Lfl, "", "lfl", "T", "Inductance at full load, uH.", true},
    {OptionId::Lnl, "", "lnl", "T", "Largest inductance at no load, uH.", true},
    {OptionId::Trise, "", "trise", "T", "Allowable temperature rise, deg C.", true},
    {OptionId::Material, "", "material", "NAME", "Core material: mpp, hf, velmax or velmax-e.",
     true},
    {OptionId::Core, "", "core", "ROW|PARTNO",
     "Design on this core: its core-table row (1-based) or its full part number; a core of the "
     "material in force.",
     true},
    {OptionId::Stack, "", "stack", "N", "Number of stacked toroids, 1 to 5.", true},
    {OptionId::Ambient, "", "ambient", "T", "Ambient temperature, deg C.", true},
    {OptionId::SingleLayer, "", "single-layer", "", "Check Single Layer Choke.", true},
    {OptionId::NoSingleLayer, "", "no-single-layer", "", "Uncheck Single Layer Choke.", true},
    {OptionId::LflMax, "", "lfl-max", "", "Check Full Load L Maximum.", true},
    {OptionId::NoLflMax, "", "no-lfl-max", "", "Uncheck Full Load L Maximum.", true},
    {OptionId::Metric, "", "metric", "", "Show dimensions in millimetres.", true},
    {OptionId::Coredat, "", "coredat", "PATH",
     "Core database (default: the one installed with the program).", false},
    {OptionId::List, "", "list", "", "Print the core list of the material in force and exit.",
     false},
    {OptionId::Json, "", "json", "", "Print the design as one JSON object.", false},
    {OptionId::Save, "", "save", "FILE.tov", "Also write the final settings as a design file.",
     false},
    {OptionId::Batch, "", "batch", "FILE",
     "Design every request of FILE (- for standard input), one a line: a JSON object whose keys "
     "are option names, or CSV under a header line of option names. The other options hold for "
     "every request that does not set them.",
     false},
    {OptionId::Sweep, "", "sweep", "SPEC",
     "Design every value of an option: NAME=START:STOP:STEP or NAME=A,B,C. Several sweeps design "
     "every combination; with --batch, for every request.",
     false},
    {OptionId::Csv, "", "csv", "",
     "Print a header line and one CSV line per design: the request and the design's numbers at "
     "full precision. Without it, --batch and --sweep print one JSON object per line.",
     false},
    {OptionId::Candidates, "", "candidates", "",
     "Compare every core instead: one line per core and stack count, passing cores first. Exit "
     "status 0 when one passes, 1 when none.",
     false},
    {OptionId::Materials, "", "materials", "LIST",
     "Materials to compare: all (default) or a comma list.", false},
    {OptionId::Stacks, "", "stacks", "LIST",
     "Stack counts to compare, such as 1-3 (default: --stack).", false},
    {OptionId::Passing, "", "passing", "", "Compare: only the cores that pass.", false},
    {OptionId::Sort, "", "sort", "COLUMN", "Compare: sort by this column, - first for descending.",
     false},
    {OptionId::Curve, "", "curve", "NAME",
     "Print a curve of the design as CSV instead of the report: l-vs-i|mu-vs-h|loss-vs-i|"
     "loss-vs-f.",
     false},
    {OptionId::Spice, "", "spice", "FILE",
     "Also write the SPICE model of the design shown to FILE: a subcircuit whose inductance "
     "follows the design's roll-off, with its DC resistance and a resistor for its core loss.",
     false},
    {OptionId::AlTolerance, "", "al-tolerance", "PERCENT",
     "Lower AL tolerance of the worst case in the JSON object, -99 to 0 (default -8).", true},
    {OptionId::Report, "", "report", "",
     "With --json: also give the printed report's lines in each object.", false},
    {OptionId::Strict, "", "strict", "",
     "Exit with status 4 when a design is shown but fails a requirement check.", false},
    {OptionId::Converter, "", "converter", "NAME",
     "Design from a converter: buck, boost, buck-boost or pfc-boost. It sets --idc, --ripple, "
     "--freq and --lfl (--lnl twice --lfl unless given).",
     false},
    {OptionId::Vin, "", "vin", "V|VMIN:VMAX", "Converter: DC input voltage or range, V.", false},
    {OptionId::Vout, "", "vout", "V", "Converter: output voltage, V.", false},
    {OptionId::Iout, "", "iout", "A", "Converter: output current, A.", false},
    {OptionId::Fsw, "", "fsw", "KHZ", "Converter: switching frequency, kHz.", false},
    {OptionId::RipplePercent, "", "ripple-percent", "P",
     "Converter: ripple goal in % of the inductor's largest DC current (or give --lfl).", false},
    {OptionId::Vac, "", "vac", "VMIN:VMAX", "PFC boost: RMS line voltage range, V.", false},
    {OptionId::Fline, "", "fline", "HZ", "PFC boost: line frequency, Hz.", false},
    {OptionId::Pout, "", "pout", "W", "PFC boost: output power, W.", false},
    {OptionId::Efficiency, "", "efficiency", "E",
     "Converter: efficiency, above 0 to 1 (default 1, lossless).", false},
    {OptionId::Simulate, "", "simulate", "",
     "Converter: simulate the choke in its converter with ngspice; --json adds the figures.",
     false},
    {OptionId::Mas, "", "mas", "FILE",
     "Also write the design shown to FILE as a MAS document (class A): the inputs, the core, "
     "its material with roll-off and loss law, the winding and the outputs, in SI units.",
     false},
    {OptionId::FromMas, "", "from-mas", "FILE",
     "Take the inputs a MAS document gives (DC current, ripple, frequency, required inductance, "
     "and the no-load ceiling and temperature rise where it states them); options given win. "
     "A document of several windings or operating points, or whose current is not DC plus a "
     "triangle, is refused.",
     false},
}};

// EntryOf finds an option at its OptionId: the table keeps the enum's order.
static_assert([] {
  for (std::size_t i = 0; i < kOptionCount; ++i) {
    if (static_cast<std::size_t>(kOptions[i].id) != i) return false;
  }
  return true;
}());

const OptionEntry& EntryOf(OptionId id) {
  return kOptions[static_cast<std::size_t>(id)];
}

std::optional<OptionId> OptionNamed(std::string_view name) {
  for (const OptionEntry& entry : kOptions) {
    if (entry.name == name) return entry.id;
  }
  return std::nullopt;
}

const char* MaterialOptionName(Material material) {
  return InfoOf(material).cli_name.data();
}

SettingsOrError ReadSettings(const GivenOptions& given) {
  Settings settings;
  std::string error = ReadInto(given, settings);
  if (!error.empty()) return {std::nullopt, std::move(error)};
  return {std::move(settings), {}};
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  ParsedCommandLine parsed;
  Scan scan = ScanArguments(arguments);
  if (!scan.value_error.empty()) {
    parsed.error = scan.value_error;
  } else if (scan.unknown.size() == 1) {
    parsed.error = "Unknown option '" + scan.unknown.front() + "'.";
  } else if (scan.unknown.size() > 1) {
    parsed.error = "Unknown options: " + scan.unknown.front();
    for (std::size_t i = 1; i < scan.unknown.size(); ++i) parsed.error += ", " + scan.unknown[i];
    parsed.error += ".";
  }
  if (!parsed.error.empty()) return parsed;
  if (scan.given.Has(OptionId::Help) || scan.given.Has(OptionId::HelpAll)) {
    parsed.help_text = HelpText(arguments.empty() ? "tovcalc" : arguments.front());
    return parsed;
  }
  SettingsOrError read = ReadSettings(scan.given);
  parsed.settings = std::move(read.settings);
  parsed.error = std::move(read.error);
  parsed.given = std::move(scan.given);
  return parsed;
}

}  // namespace tov::tovcalc

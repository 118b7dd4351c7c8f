#include "app/tovcalc/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <cmath>

#include "app/tovcalc/curve_output.h"
#include "io/curve_csv.h"
#include "state/number_text.h"
#include "state/numeric.h"

namespace tov::tovcalc {
namespace {

constexpr const char* kDescription =
    "Designs a DC inductor on a powder core, as the desktop program does, and prints\n"
    "the report of the design shown. Settings start from the program's start-up\n"
    "state; a design file given first is applied as Open Design applies it; the\n"
    "options then override. The design that runs: --core given, the selected-core\n"
    "design on that core; else the design file's design mode; else the automatic\n"
    "search.\n\n"
    "Message boxes go to standard error as \"Title: text\".\n"
    "Exit status: 0 a design was shown; 1 no core is large enough (\"Too Large\");\n"
    "2 a usage error or an input the window would ask for again; 3 the core\n"
    "database or a design file could not be read or written.";

struct Options {
  QCommandLineOption idc{"idc", "DC current, A.", "T"};
  QCommandLineOption ripple{"ripple", "Ripple current, A peak to peak.", "T"};
  QCommandLineOption freq{"freq", "Ripple frequency, kHz.", "T"};
  QCommandLineOption density{"density", "Current density for the wire, A/sq cm.", "T"};
  QCommandLineOption lfl{"lfl", "Inductance at full load, uH.", "T"};
  QCommandLineOption lnl{"lnl", "Largest inductance at no load, uH.", "T"};
  QCommandLineOption trise{"trise", "Allowable temperature rise, deg C.", "T"};
  QCommandLineOption material{"material", "Core material: mpp, hf, velmax or velmax-e.", "NAME"};
  QCommandLineOption core{"core",
                          "Design on this core: its core-table row (1-based) or its full part "
                          "number; a core of the material in force.",
                          "ROW|PARTNO"};
  QCommandLineOption stack{"stack", "Number of stacked toroids, 1 to 5.", "N"};
  QCommandLineOption ambient{"ambient", "Ambient temperature, deg C.", "T"};
  QCommandLineOption single_layer{"single-layer", "Check Single Layer Choke."};
  QCommandLineOption no_single_layer{"no-single-layer", "Uncheck Single Layer Choke."};
  QCommandLineOption lfl_max{"lfl-max", "Check Full Load L Maximum."};
  QCommandLineOption no_lfl_max{"no-lfl-max", "Uncheck Full Load L Maximum."};
  QCommandLineOption metric{"metric", "Show dimensions in millimetres."};
  QCommandLineOption coredat{"coredat", "Core database (default: coredat beside the program).",
                             "PATH"};
  QCommandLineOption list{"list", "Print the core list of the material in force and exit."};
  QCommandLineOption json{"json", "Print the design as one JSON object."};
  QCommandLineOption save{"save", "Also write the final settings as a design file.", "FILE.tov"};
  QCommandLineOption curve{"curve",
                           QString::fromStdString("Print a curve of the design as CSV instead of "
                                                  "the report: " +
                                                  CurveOptionNames() + "."),
                           "NAME"};
};

std::optional<std::string> Text(const QCommandLineParser& parser,
                                const QCommandLineOption& option) {
  if (!parser.isSet(option)) return std::nullopt;
  return parser.value(option).toStdString();
}

// A pair of options that set one check mark; both at once is an error.
bool CheckMark(const QCommandLineParser& parser, const QCommandLineOption& on,
               const QCommandLineOption& off, std::optional<bool>& mark, std::string& error) {
  if (parser.isSet(on) && parser.isSet(off)) {
    error = "--" + on.names().front().toStdString() + " and --" +
            off.names().front().toStdString() + " contradict each other.";
    return false;
  }
  if (parser.isSet(on)) mark = true;
  if (parser.isSet(off)) mark = false;
  return true;
}

std::string ReadSettings(const QCommandLineParser& parser, const Options& o, Settings& s) {
  const QStringList positional = parser.positionalArguments();
  if (positional.size() > 1) return "Only one design file can be given.";
  if (!positional.empty()) s.design_file = positional.front().toStdString();

  s.txtIdc = Text(parser, o.idc);
  s.txtIdelta = Text(parser, o.ripple);
  s.txtFreq = Text(parser, o.freq);
  s.txtCurDens = Text(parser, o.density);
  s.txtLfl = Text(parser, o.lfl);
  s.txtLnl = Text(parser, o.lnl);
  s.txtTempInput = Text(parser, o.trise);

  if (const auto name = Text(parser, o.material)) {
    for (const MaterialInfo& info : kMaterialTable) {
      const QString option_name =
          QString::fromUtf8(info.cli_name.data(), static_cast<qsizetype>(info.cli_name.size()));
      if (QString::fromStdString(*name).compare(option_name, Qt::CaseInsensitive) == 0) {
        s.material = info.material;
      }
    }
    if (!s.material) return "Unknown material \"" + *name + "\": use mpp, hf, velmax or velmax-e.";
  }
  s.core = Text(parser, o.core);
  if (const auto stack = Text(parser, o.stack)) {
    const std::optional<double> n = ParseNumber(*stack);
    if (!n || *n < 1 || *n > 5 || *n != std::floor(*n)) {
      return "--stack takes a whole number of cores from 1 to 5, not \"" + *stack + "\".";
    }
    s.stack = static_cast<int16_t>(*n);
  }
  if (const auto ambient = Text(parser, o.ambient)) {
    const std::optional<double> t = ParseNumber(*ambient);
    s.ambient = t ? ToSingle(*t) : std::nullopt;
    if (!s.ambient) return "--ambient takes a number in degrees C, not \"" + *ambient + "\".";
  }
  std::string error;
  if (!CheckMark(parser, o.single_layer, o.no_single_layer, s.single_layer, error) ||
      !CheckMark(parser, o.lfl_max, o.no_lfl_max, s.full_load_l_max, error)) {
    return error;
  }
  s.metric = parser.isSet(o.metric);
  s.coredat = Text(parser, o.coredat);
  s.list = parser.isSet(o.list);
  s.json = parser.isSet(o.json);
  s.save = Text(parser, o.save);
  if (const auto name = Text(parser, o.curve)) {
    s.curve = CurveKindFromName(*name);
    if (!s.curve) return "Unknown curve \"" + *name + "\": use " + CurveOptionNames() + ".";
  }
  return {};
}

}  // namespace

const char* MaterialOptionName(Material material) {
  return InfoOf(material).cli_name.data();
}

ParsedCommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(kDescription);
  const QCommandLineOption help = parser.addHelpOption();
  parser.addPositionalArgument("FILE.tov", "Design file to start from.", "[FILE.tov]");
  const Options o;
  parser.addOptions({o.idc,
                     o.ripple,
                     o.freq,
                     o.density,
                     o.lfl,
                     o.lnl,
                     o.trise,
                     o.material,
                     o.core,
                     o.stack,
                     o.ambient,
                     o.single_layer,
                     o.no_single_layer,
                     o.lfl_max,
                     o.no_lfl_max,
                     o.metric,
                     o.coredat,
                     o.list,
                     o.json,
                     o.save,
                     o.curve});

  ParsedCommandLine parsed;
  if (!parser.parse(arguments)) {
    parsed.error = parser.errorText().toStdString();
    return parsed;
  }
  if (parser.isSet(help)) {
    parsed.help_text = parser.helpText().toStdString();
    return parsed;
  }
  Settings settings;
  parsed.error = ReadSettings(parser, o, settings);
  if (parsed.error.empty()) parsed.settings = std::move(settings);
  return parsed;
}

}  // namespace tov::tovcalc

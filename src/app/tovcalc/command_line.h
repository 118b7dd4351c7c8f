#pragma once
// The command line of tovcalc:  tovcalc [FILE.tov] [options]
//
// Arguments are bytes as the system passes them. Options are "--name",
// "--name=value" or "--name value"; "-h" is the one short option, and short
// options may be run together ("-h"); "--" makes every later argument a
// design file name; a lone "-" is a design file name too.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/tovcalc/candidates_output.h"
#include "engines/converter.h"
#include "engines/curves.h"
#include "state/material.h"

namespace tov::tovcalc {

// Exit statuses, fixed for scripts.
enum ExitStatus : int {
  kDesignShown = 0,
  kTooLarge = 1,           // the automatic search found no core large enough
  kUsageError = 2,         // a bad option, or an input the window would ask for again
  kUnreadableFile = 3,     // the core database or a design file could not be read or written,
                           // the SPICE model not written, standard output not written,
                           // or the simulation of --simulate not run
  kRequirementFailed = 4,  // with --strict: a design is shown but fails a requirement check
};

enum class OptionId : uint8_t {
  Help,
  HelpAll,
  Idc,
  Ripple,
  Freq,
  Density,
  Lfl,
  Lnl,
  Trise,
  Material,
  Core,
  Stack,
  Ambient,
  SingleLayer,
  NoSingleLayer,
  LflMax,
  NoLflMax,
  Metric,
  Coredat,
  List,
  Json,
  Save,
  Batch,
  Sweep,
  Csv,
  Candidates,
  Materials,
  Stacks,
  Passing,
  Sort,
  Curve,
  Spice,
  AlTolerance,
  Report,
  Strict,
  Converter,
  Vin,
  Vout,
  Iout,
  Fsw,
  RipplePercent,
  Vac,
  Fline,
  Pout,
  Efficiency,
  Simulate,
  Mas,
  FromMas,
};
inline constexpr std::size_t kOptionCount = static_cast<std::size_t>(OptionId::FromMas) + 1;

struct OptionEntry {
  OptionId id;
  std::string_view short_name;  // "h", or empty
  std::string_view name;        // the long name, "idc"
  std::string_view value_name;  // "T"; empty for an option without a value
  std::string_view description;
  bool per_request;  // may be set by each request of a batch or sweep
};

// Every option, in the order of the help text.
extern const std::array<OptionEntry, kOptionCount> kOptions;

const OptionEntry& EntryOf(OptionId id);
// The option of a long name, or nullopt.
std::optional<OptionId> OptionNamed(std::string_view name);

// The options as given: the value of each (the last one given wins; an
// option without a value holds the empty text once given), every --sweep in
// order, and the design file names.
struct GivenOptions {
  std::array<std::optional<std::string>, kOptionCount> values;
  std::vector<std::string> sweeps;
  std::vector<std::string> positional;

  const std::optional<std::string>& operator[](OptionId id) const {
    return values[static_cast<std::size_t>(id)];
  }
  std::optional<std::string>& operator[](OptionId id) {
    return values[static_cast<std::size_t>(id)];
  }
  bool Has(OptionId id) const { return (*this)[id].has_value(); }
};

// What a run is asked for. Input texts stay texts, exactly as typed into the
// window's fields; they are checked as the window checks them.
struct Settings {
  std::optional<std::string> design_file;
  std::optional<std::string> dc_current, ripple_current, frequency, current_density, full_load_l,
      no_load_l, allowable_rise;
  std::optional<Material> material;
  std::optional<std::string> core;  // core-table row (1-based) or full part number
  std::optional<int16_t> stack;     // 1..5
  std::optional<float> ambient;     // deg C
  std::optional<bool> single_layer;
  std::optional<bool> full_load_l_max;
  bool metric = false;
  std::optional<std::string> coredat;  // default: coredat beside the program
  bool list = false;
  bool json = false;
  bool csv = false;
  bool report = false;  // --report: the printed report's lines in the JSON
  bool strict = false;  // --strict: a failed requirement check exits 4
  std::optional<std::string> save;
  std::optional<std::string> batch;            // requests, one a line ("-": standard input)
  std::vector<std::string> sweeps;             // NAME=START:STOP:STEP or NAME=A,B,C
  std::optional<CandidateOptions> candidates;  // --candidates: compare every core instead
  std::optional<CurveKind> curve;     // print this curve of the design as CSV instead of the report
  std::optional<std::string> spice;   // also write the design's SPICE model to this file
  std::optional<float> al_tolerance;  // percent of the nominal AL for the worst case, -99..0
  std::optional<ConverterRequest> converter;  // --converter: the inputs come from it
  std::optional<ConverterDesign> converter_design;
  bool simulate = false;                // --simulate: run the choke in its converter in ngspice
  std::optional<std::string> mas;       // also write the design's MAS document to this file
  std::optional<std::string> from_mas;  // the inputs not given come from this MAS document
  // Whether the run designs many requests: --batch, --sweep, or --csv of designs.
  bool Many() const { return batch.has_value() || !sweeps.empty() || (csv && !candidates); }
};

// The settings the options ask for, or the usage error that refuses them.
// The checks run in a fixed order, so that the first fault is the one told.
struct SettingsOrError {
  std::optional<Settings> settings;
  std::string error;
};
SettingsOrError ReadSettings(const GivenOptions& given);

struct ParsedCommandLine {
  std::optional<Settings> settings;  // nullopt: see help_text or error
  GivenOptions given;                // as given, the ground of every request of a batch
  std::string help_text;             // --help was given: print it and stop
  std::string error;                 // a usage error
};

// Reads the arguments, the program name first.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The help text, with the program name as the system gave it.
std::string HelpText(std::string_view program);

// Whether two texts are equal with ASCII letters compared regardless of case.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

// The option value of a material ("mpp", "hf", "velmax", "velmax-e").
const char* MaterialOptionName(Material material);

}  // namespace tov::tovcalc

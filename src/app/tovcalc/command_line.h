#pragma once
// The command line of tovcalc:  tovcalc [FILE.tov] [options]

#include <QStringList>
#include <cstdint>
#include <optional>
#include <string>

#include "engines/curves.h"
#include "state/material.h"

namespace tov::tovcalc {

// Exit statuses, fixed for scripts.
enum ExitStatus : int {
  kDesignShown = 0,
  kTooLarge = 1,        // the automatic search found no core large enough
  kUsageError = 2,      // a bad option, or an input the window would ask for again
  kUnreadableFile = 3,  // the core database or a design file could not be read or written
};

// What the command line asks for. Input texts stay texts, exactly as typed
// into the window's fields; they are checked as the window checks them.
struct Settings {
  std::optional<std::string> design_file;
  std::optional<std::string> txtIdc, txtIdelta, txtFreq, txtCurDens, txtLfl, txtLnl, txtTempInput;
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
  std::optional<std::string> save;
  std::optional<CurveKind> curve;  // print this curve as CSV instead of the report
};

struct ParsedCommandLine {
  std::optional<Settings> settings;  // nullopt: see help_text or error
  std::string help_text;             // --help was given: print it and stop
  std::string error;                 // a usage error
};

// Reads the arguments (the program name first, as QCoreApplication gives them).
ParsedCommandLine ParseCommandLine(const QStringList& arguments);

// The option value of a material ("mpp", "hf", "velmax", "velmax-e").
const char* MaterialOptionName(Material material);

}  // namespace tov::tovcalc

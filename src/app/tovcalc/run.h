#pragma once
// One run of tovcalc: the settings applied to the window's logic, the design
// computed, and the result written out.

#include <filesystem>
#include <optional>
#include <string>

#include "app/tovcalc/command_line.h"
#include "state/core_table.h"

namespace tov::tovcalc {

// The core-table row named by `core` ("ROW" 1-based, or the full part number:
// PartNo and PartSuffix for toroids, PartNo for E-cores, case ignored) among
// the cores of `material`. nullopt with `error` set when it names none of them.
std::optional<int16_t> ResolveCore(const CoreTable& cores, Material material,
                                   const std::string& core, std::string& error);

// Runs the settings and writes the report (or JSON, or the core list) to
// standard output and every message box and error to standard error.
// `program_dir` is where the core database lies unless the settings say
// otherwise. Returns the exit status.
int Run(const Settings& settings, const std::filesystem::path& program_dir);

}  // namespace tov::tovcalc

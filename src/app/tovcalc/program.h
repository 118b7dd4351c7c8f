#pragma once
// tovcalc from its arguments to its exit status.

#include <filesystem>
#include <string>
#include <vector>

#include "app/tovcalc/standard_output.h"

namespace tov::tovcalc {

// Runs tovcalc: `arguments` as the system gave them (the program name
// first); `program_dir` is where the core database lies unless --coredat
// says otherwise. Writes to `out` and to standard error; returns the exit
// status (the caller still closes `out`).
int RunProgram(const std::vector<std::string>& arguments, const std::filesystem::path& program_dir,
               StandardOutput& out);

}  // namespace tov::tovcalc

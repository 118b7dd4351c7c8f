// tovcalc: the inductor design of the desktop program from the command line.

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "app/tovcalc/command_line.h"
#include "app/tovcalc/program.h"
#include "app/tovcalc/standard_output.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv, argv + argc);
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error && argc > 0) program = std::filesystem::absolute(argv[0], error);

  tov::tovcalc::StandardOutput out;
  int status = tov::tovcalc::RunProgram(arguments, program.parent_path(), out);
  if (!out.Close()) {
    const std::string line = "tovcalc: The output could not be written: " + out.Failure() + ".\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    status = tov::tovcalc::kUnreadableFile;
  }
  return status;
}

#pragma once
// tovcalc run as scripts run it: a separate process, its exit status and
// output, in one temporary folder per test program.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace tovcalc_process {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using Args = std::vector<std::string>;

inline Args operator+(Args a, const Args& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline ::testing::AssertionResult Holds(const std::string& text, const std::string& part) {
  if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "\"" << part << "\" not in:\n" << text.substr(0, 2000);
}

struct Result {
  int status = -1;
  std::string out;
  std::string err;
  Json json() const { return Json::parse(out); }
  // One JSON object per line.
  std::vector<Json> lines() const {
    std::vector<Json> objects;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) objects.push_back(Json::parse(line));
    return objects;
  }
};

inline std::string Path(const std::string& name) {
  static const fs::path dir = [] {
    fs::path d = fs::temp_directory_path() / ("tovcalc_test." + std::to_string(getpid()));
    fs::create_directories(d);
    return d;
  }();
  return (dir / name).string();
}

inline std::string Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs a shell command with `input` on standard input and standard output
// going to `out_path` (a file of its own when empty).
inline Result Shell(const std::string& command, const std::string& input = "",
                    const std::string& out_path = "") {
  const std::string out = out_path.empty() ? Path("stdout") : out_path;
  std::ofstream(Path("stdin"), std::ios::binary) << input;
  const int status = std::system(
      (command + " <" + Quoted(Path("stdin")) + " >" + Quoted(out) + " 2>" + Quoted(Path("stderr")))
          .c_str());
  EXPECT_TRUE(WIFEXITED(status));
  return {WEXITSTATUS(status), out_path.empty() ? Slurp(out) : "", Slurp(Path("stderr"))};
}

inline Result Calc(const Args& arguments, const std::string& input = "",
                   const std::string& out_path = "") {
  std::string command = Quoted(TOVCALC_PATH);
  for (const std::string& a : arguments) command += " " + Quoted(a);
  return Shell(command, input, out_path);
}

}  // namespace tovcalc_process

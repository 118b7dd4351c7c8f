// tovcalc --converter: the help page's worked examples recomputed through the
// command line, the usage errors, and the buck of 36..60 V to 12 V designed
// and (where ngspice is installed) simulated as a separate process.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/tovcalc/command_line.h"

namespace tov::tovcalc {
namespace {

std::string Slurp(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// Every worked example of the help page: the command, and the table of its
// figures, each recomputed by the command line's converter.
TEST(ConverterCommand, HelpWorkedExamplesHoldForEveryTopology) {
  const std::string page = Slurp(TOV_SOURCE_DIR "/data/help/converter.html");
  const std::regex example(
      R"(<pre>\n(tovcalc --converter [^<]*)</pre>[\s\S]*?<table class="worked">([\s\S]*?)</table>)");
  const std::regex row(R"(<tr><td>([^<]+)</td><td>([^<]+)</td><td>([^<]+)</td></tr>)");
  std::map<std::string, int> topologies;
  for (auto it = std::sregex_iterator(page.begin(), page.end(), example);
       it != std::sregex_iterator(); ++it) {
    std::vector<std::string> arguments = Words((*it)[1]);
    ASSERT_GE(arguments.size(), 3u);
    ++topologies[arguments[2]];
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    ASSERT_TRUE(parsed.settings) << (*it)[1] << ": " << parsed.error;
    const ConverterDesign& c = *parsed.settings->converter_design;
    const std::map<std::string, double> figures = {{"DC current", c.idc},
                                                   {"Ripple", c.ripple_pp},
                                                   {"Inductance", c.inductance_uh},
                                                   {"Peak current", c.ipk}};
    const std::string table = (*it)[2];
    int rows = 0;
    for (auto r = std::sregex_iterator(table.begin(), table.end(), row);
         r != std::sregex_iterator(); ++r, ++rows) {
      const double shown = std::stod((*r)[2]);
      // The page's figures are rounded to four digits.
      EXPECT_NEAR(figures.at((*r)[1]), shown, 6e-4 * shown) << (*it)[1] << " " << (*r)[1];
    }
    EXPECT_EQ(rows, 4) << (*it)[1];
    // The inputs it fills: the choke's current, ripple and inductance.
    EXPECT_EQ(std::stod(*parsed.settings->dc_current), std::stod(std::to_string(c.idc)));
    EXPECT_NEAR(std::stod(*parsed.settings->full_load_l), c.inductance_uh, 1e-6 * c.inductance_uh);
    EXPECT_NEAR(std::stod(*parsed.settings->no_load_l), 2 * c.inductance_uh,
                2e-6 * c.inductance_uh);
  }
  const std::map<std::string, int> each = {
      {"buck", 1}, {"boost", 1}, {"buck-boost", 1}, {"pfc-boost", 1}};
  EXPECT_EQ(topologies, each);
}

TEST(ConverterCommand, RefusesIncompleteOrContradictoryOptions) {
  struct Refusal {
    std::vector<std::string> arguments;
    const char* error;
  };
  const std::vector<std::string> buck = {"tovcalc", "--converter", "buck", "--vin",
                                         "36:60",   "--vout",      "12",   "--iout",
                                         "10",      "--fsw",       "100"};
  const auto with = [&](std::vector<std::string> more) {
    std::vector<std::string> all = buck;
    all.insert(all.end(), more.begin(), more.end());
    return all;
  };
  const Refusal refusals[] = {
      {with({}), "either --ripple-percent or --lfl"},
      {with({"--ripple-percent", "30", "--lfl", "40"}), "either --ripple-percent or --lfl"},
      {with({"--ripple-percent", "30", "--idc", "5"}), "sets --idc itself"},
      {with({"--ripple-percent", "abc"}), "--ripple-percent takes a number"},
      {with({"--ripple-percent", "30", "--vac", "90:265"}), "--vac is not an option of buck"},
      {with({"--ripple-percent", "30", "--sweep", "trise=30,40"}), "designs one choke"},
      {{"tovcalc", "--converter", "flyback"}, "Unknown converter \"flyback\""},
      {{"tovcalc", "--vout", "12"}, "--vout belongs to --converter"},
      {{"tovcalc", "--converter", "buck", "--vin", "60:36"}, "--vout"},
      {{"tovcalc", "--converter", "buck", "--vin", "6:x", "--vout", "5"}, "takes V or VMIN:VMAX"},
      {{"tovcalc", "--converter", "boost", "--vin", "10:20", "--vout", "15", "--iout", "1", "--fsw",
        "100", "--ripple-percent", "30"},
       "15 V out needs less than 20 V in"},
      {{"tovcalc", "--converter", "pfc-boost", "--vac", "90:265", "--vout", "400", "--fsw", "65",
        "--pout", "300", "--ripple-percent", "20"},
       "--fline"},
  };
  for (const Refusal& r : refusals) {
    const ParsedCommandLine parsed = ParseCommandLine(r.arguments);
    EXPECT_FALSE(parsed.settings) << r.error;
    EXPECT_NE(parsed.error.find(r.error), std::string::npos) << r.error << ": " << parsed.error;
  }
}

std::string Shell(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[4096];
  while (pipe && std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
  if (pipe) pclose(pipe);
  return output;
}

// 48 V nominal, 36 to 60 V, to 12 V at 10 A: the choke takes the 10 A and
// the ripple of the 60 V corner, 30 % of 10 A; simulated, the ripple is the
// one the curve predicts and the operating point the one the duty sets.
TEST(ConverterCommand, BuckFrom36To60VoltsDesignedAndSimulated) {
  const std::string command = std::string(TOVCALC_PATH) +
                              " --converter buck --vin 36:60 --vout 12 --iout 10 --fsw 100"
                              " --ripple-percent 30 --json";
  const nlohmann::json design = nlohmann::json::parse(Shell(command));
  const nlohmann::json& c = design.at("converter");
  EXPECT_EQ(c.at("i_dc_a"), 10);
  EXPECT_NEAR(c.at("ripple_pp_a").get<double>(), 3, 1e-12);
  EXPECT_EQ(c.at("ripple_vin_v"), 60);
  EXPECT_NEAR(c.at("inductance_uh").get<double>(), 32, 1e-9);
  EXPECT_EQ(c.at("corners").size(), 2u);
  EXPECT_EQ(design.at("request").at("idc"), 10);
  EXPECT_NEAR(design.at("request").at("ripple").get<double>(), 3, 1e-12);
  EXPECT_EQ(design.find("simulation"), design.end());

  if (std::system("command -v ngspice >/dev/null 2>&1") != 0) GTEST_SKIP() << "no ngspice";
  const nlohmann::json simulated = nlohmann::json::parse(Shell(command + " --simulate"));
  const nlohmann::json& sim = simulated.at("simulation");
  const double predicted = sim.at("predicted_ripple_pp_a");
  EXPECT_NEAR(sim.at("ripple_pp_a").get<double>() / predicted, 1, 0.01);
  EXPECT_NEAR(sim.at("i_avg_a").get<double>() / 10, 1, 0.005);
  // The choke's inductance at its current is about the 32 uH asked for.
  EXPECT_NEAR(predicted / 3, 1, 0.15);
  EXPECT_GT(sim.at("ngspice_seconds").get<double>(), 0);
}

}  // namespace
}  // namespace tov::tovcalc

// tovcalc --converter: the help page's worked examples recomputed through the
// command line, the usage errors, and the buck of 36..60 V to 12 V designed
// and (where ngspice is installed) simulated as a separate process.

#include <stdlib.h>

#include <iterator>
#include <map>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "app/tovcalc/command_line.h"
#include "tovcalc/tovcalc_process.h"

namespace tov::tovcalc {
namespace {

using namespace tovcalc_process;

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
    std::istringstream words((*it)[1]);
    const Args arguments{std::istream_iterator<std::string>(words), {}};
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
      const double shown = std::stod((*r)[2]);  // rounded to four digits
      EXPECT_NEAR(figures.at((*r)[1]), shown, 6e-4 * shown) << (*it)[1] << " " << (*r)[1];
    }
    EXPECT_EQ(rows, 4) << (*it)[1];
    // The inputs it fills: the choke's current, ripple and inductance.
    EXPECT_EQ(std::stod(*parsed.settings->dc_current), std::stod(std::to_string(c.idc)));
    EXPECT_NEAR(std::stod(*parsed.settings->full_load_l), c.inductance_uh, 1e-6 * c.inductance_uh);
    EXPECT_NEAR(std::stod(*parsed.settings->no_load_l), 2 * c.inductance_uh,
                2e-6 * c.inductance_uh);
  }
  EXPECT_EQ(topologies, (std::map<std::string, int>{
                            {"buck", 1}, {"boost", 1}, {"buck-boost", 1}, {"pfc-boost", 1}}));
}

TEST(ConverterCommand, RefusesIncompleteOrContradictoryOptions) {
  const Args buck = {"tovcalc", "--converter", "buck", "--vin", "36:60", "--vout",
                     "12",      "--iout",      "10",   "--fsw", "100"};
  const std::pair<Args, const char*> refusals[] = {
      {buck, "either --ripple-percent or --lfl"},
      {buck + Args{"--ripple-percent", "30", "--lfl", "40"}, "either --ripple-percent or --lfl"},
      {buck + Args{"--ripple-percent", "30", "--idc", "5"}, "sets --idc itself"},
      {buck + Args{"--ripple-percent", "abc"}, "--ripple-percent takes a number"},
      {buck + Args{"--ripple-percent", "30", "--vac", "90:265"}, "--vac is not an option of buck"},
      {buck + Args{"--ripple-percent", "30", "--sweep", "trise=30,40"}, "designs one choke"},
      {{"tovcalc", "--converter", "flyback"}, "Unknown converter \"flyback\""},
      {{"tovcalc", "--vout", "12"}, "--vout belongs to --converter"},
      {{"tovcalc", "--converter", "buck", "--vin", "60:36"}, "--vout"},
      {{"tovcalc", "--converter", "buck", "--vin", "6:x", "--vout", "5"}, "takes V or VMIN:VMAX"},
      {{"tovcalc", "--converter", "pfc-boost", "--vac", "90:265", "--vout", "400", "--fsw", "65",
        "--pout", "300", "--ripple-percent", "20"},
       "--fline"},
  };
  for (const auto& [arguments, error] : refusals) {
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    EXPECT_FALSE(parsed.settings) << error;
    EXPECT_TRUE(Holds(parsed.error, error));
  }
}

// 48 V nominal, 36 to 60 V, to 12 V at 10 A: the choke takes the 10 A and
// the ripple of the 60 V corner, 30 % of 10 A; simulated, the ripple is the
// one the curve predicts and the operating point the one the duty sets.
TEST(ConverterCommand, BuckFrom36To60VoltsDesignedAndSimulated) {
  const Args buck{"--converter", "buck", "--vin", "36:60", "--vout",           "12",
                  "--iout",      "10",   "--fsw", "100",   "--ripple-percent", "30",
                  "--json"};
  const Json design = Calc(buck).json();
  const Json& c = design.at("converter");
  EXPECT_EQ(std::tuple(c.at("i_dc_a"), c.at("ripple_vin_v"), c.at("corners").size()),
            std::tuple(10, 60, 2u));
  EXPECT_NEAR(c.at("ripple_pp_a").get<double>(), 3, 1e-12);
  EXPECT_NEAR(c.at("inductance_uh").get<double>(), 32, 1e-9);
  EXPECT_EQ(design.at("request").at("idc"), 10);
  EXPECT_NEAR(design.at("request").at("ripple").get<double>(), 3, 1e-12);
  EXPECT_FALSE(design.contains("simulation"));

  if (std::system("command -v ngspice >/dev/null 2>&1") != 0) GTEST_SKIP() << "no ngspice";
  const Json sim = Calc(buck + Args{"--simulate"}).json().at("simulation");
  const double predicted = sim.at("predicted_ripple_pp_a");
  EXPECT_NEAR(sim.at("ripple_pp_a").get<double>() / predicted, 1, 0.01);
  EXPECT_NEAR(sim.at("i_avg_a").get<double>() / 10, 1, 0.005);
  // The choke's inductance at its current is about the 32 uH asked for.
  EXPECT_NEAR(predicted / 3, 1, 0.15);
}

}  // namespace
}  // namespace tov::tovcalc

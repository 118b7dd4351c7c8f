// The README's and the help's SPICE example, copied as shown: the tovcalc
// command writes the model, and the two netlist lines that use it run in
// ngspice (skipped where it is not installed).

#include <stdlib.h>

#include <regex>
#include <string>
#include <vector>

#include "tovcalc/tovcalc_process.h"

namespace {

using namespace tovcalc_process;

TEST(SpiceExample, TheDocumentedExampleRunsInNgspiceAsShown) {
  if (std::system("command -v ngspice >/dev/null 2>&1") != 0) GTEST_SKIP() << "no ngspice";
  const std::string readme = Slurp(TOV_SOURCE_DIR "/README.md");
  const std::string help = Slurp(TOV_SOURCE_DIR "/data/help/spice.html");
  // Each document's first two code blocks: the command, and the netlist lines.
  for (const auto& [text, block] :
       {std::pair(readme.substr(readme.find("## SPICE model"), 1500), "```\\n([^`]*)```"),
        std::pair(help.substr(help.find("name=\"use\""), 1500), "<pre>\\n([^<]*)</pre>")}) {
    std::smatch command, netlist;
    ASSERT_TRUE(std::regex_search(text, command, std::regex(block)));
    const std::string rest = command.suffix();
    ASSERT_TRUE(std::regex_search(rest, netlist, std::regex(block)));
    ASSERT_EQ(command.str(1).rfind("tovcalc ", 0), 0u) << command.str(1);
    ASSERT_TRUE(Holds(netlist.str(1), ".include \"choke.cir\""));
    std::string pattern = (fs::temp_directory_path() / "tov_example_XXXXXX").string();
    const std::string in_dir = "cd '" + std::string(mkdtemp(pattern.data())) + "' && ";
    const std::string shown = command.str(1).substr(7, command.str(1).find_last_not_of(" \n") - 6);
    ASSERT_EQ(Shell(in_dir + TOVCALC_PATH + shown).status, 0) << shown;
    std::ofstream(pattern + "/deck.cir") << "* the documented example\n"
                                         << netlist.str(1) << "V1 sw 0 PULSE(0 1 0 1u 1u 1 2)\n"
                                         << "R1 out 0 0.1\n.tran 1u 200u\n"
                                         << ".meas tran iend find i(V1) at=200u\n.end\n";
    const Result run = Shell(in_dir + "timeout 120 ngspice -b deck.cir");
    const std::string output = run.out + run.err;
    fs::remove_all(pattern);
    // A volt across the choke and 0.1 ohm for 200 us: the current rises
    // towards 1 / (0.1 + R_DC), slowed by the inductance.
    std::smatch m;
    ASSERT_TRUE(std::regex_search(output, m, std::regex(R"(iend\s*=\s*(\S+))"))) << output;
    EXPECT_GT(-std::stod(m[1]), 0.01) << shown;
    EXPECT_LT(-std::stod(m[1]), 10.0) << shown;
  }
}

// The header of a Velmax choke picked far past its roll-off: the program,
// core, winding and inputs, AL per core, copper loss at I_w, the design's
// failed checks as warnings.
TEST(SpiceExample, HeaderOfARolledOffVelmaxChokeSaysWhereTheModelLeavesTheCurve) {
  ASSERT_EQ(Calc({"--material", "velmax",   "--core", "411",     "--idc",
                  "1.064",      "--ripple", "0.512",  "--freq",  "246.03",
                  "--density",  "722",      "--lfl",  "2683",    "--lnl",
                  "6347.31",    "--trise",  "70.8",   "--spice", Path("rolled_off.cir")})
                .status,
            0);
  const std::string header = Slurp(Path("rolled_off.cir"));
  std::string text;  // the comment lines as running text
  for (std::size_t from = 0, to = 0; from < header.size() && header[from] == '*'; from = to + 1) {
    to = header.find('\n', from);
    text += header.substr(from + 2, to - from - 2) + " ";
  }
  for (const char* expected :
       {" written by Corvane Inductor Design Using Powder Cores 1.0 ",
        "Core: VM048-125-E, Velmax, 1 core (mu 125, AL 68.3 mH per 1000 turns per core)",
        "Winding: 576 turns of AWG ", "Inputs: 1.064 A DC, 0.512 A ripple",
        "copper loss 16984.1 mW at I_w 1.21171 A (I_dc + 0.577 dI/2)",
        "Warning: Inductance left at full load: only 11.85 % of the no-load inductance",
        "Warning: Temperature rise: 710.55 degC is above the 70.80 degC allowed",
        "Warning: Roll-off model valid at the peak: the roll-off model has no value at 336.37 Oe",
        "At the table's end, 13.2 A (ten times the peak current)"}) {
    EXPECT_TRUE(Holds(text, expected));
  }
}

}  // namespace

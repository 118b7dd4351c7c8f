// The README's and the help's SPICE example, copied as shown: the tovcalc
// command writes the model, and the two netlist lines that use it run in
// ngspice (skipped where it is not installed).

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string Shell(const std::string& command) {
  std::string output;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  char buffer[4096];
  while (pipe && std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
  if (pipe) pclose(pipe);
  return output;
}

struct Example {
  const char* document;
  std::string text;  // the part of the document that holds the example
  std::regex block;  // a code block, its text in group 1
};

TEST(SpiceExample, TheDocumentedExampleRunsInNgspiceAsShown) {
  if (std::system("command -v ngspice >/dev/null 2>&1") != 0) GTEST_SKIP() << "no ngspice";
  const std::string readme = Slurp(TOV_SOURCE_DIR "/README.md");
  const std::string help = Slurp(TOV_SOURCE_DIR "/data/help/spice.html");
  const std::size_t section = readme.find("## SPICE model");
  const std::size_t use = help.find("name=\"use\"");
  ASSERT_NE(section, std::string::npos);
  ASSERT_NE(use, std::string::npos);
  const Example examples[] = {
      {"README.md", readme.substr(section, 1500), std::regex("```\\n([^`]*)```")},
      {"spice.html", help.substr(use, 1500), std::regex("<pre>\\n([^<]*)</pre>")},
  };
  for (const Example& example : examples) {
    std::vector<std::string> blocks;
    for (auto it = std::sregex_iterator(example.text.begin(), example.text.end(), example.block);
         it != std::sregex_iterator(); ++it) {
      blocks.push_back((*it)[1]);
    }
    ASSERT_GE(blocks.size(), 2u) << example.document;
    const std::string& command = blocks[0];
    const std::string& netlist = blocks[1];
    ASSERT_EQ(command.rfind("tovcalc ", 0), 0u) << example.document << ": " << command;
    ASSERT_NE(netlist.find(".include \"choke.cir\""), std::string::npos) << example.document;

    std::string pattern = (fs::temp_directory_path() / "tov_example_XXXXXX").string();
    const fs::path dir = mkdtemp(pattern.data());
    // The command as shown, run in the folder the deck is in.
    const std::string tovcalc = "cd '" + dir.string() + "' && " + TOVCALC_PATH +
                                command.substr(std::string("tovcalc").size());
    Shell(tovcalc);
    ASSERT_TRUE(fs::exists(dir / "choke.cir")) << example.document;
    std::ofstream(dir / "deck.cir") << "* the documented example\n"
                                    << netlist << "V1 sw 0 PULSE(0 1 0 1u 1u 1 2)\n"
                                    << "R1 out 0 0.1\n.tran 1u 200u\n"
                                    << ".meas tran iend find i(V1) at=200u\n.end\n";
    const std::string output =
        Shell("cd '" + dir.string() + "' && timeout 120 ngspice -b deck.cir");
    EXPECT_EQ(output.find("unknown subckt"), std::string::npos) << example.document << output;
    // A volt across the choke and 0.1 ohm for 200 us: the current rises
    // towards 1 / (0.1 + R_DC), slowed by the inductance.
    std::smatch m;
    ASSERT_TRUE(std::regex_search(output, m, std::regex(R"(iend\s*=\s*(\S+))")))
        << example.document << output;
    const double current = -std::stod(m[1]);
    EXPECT_GT(current, 0.01) << example.document;
    EXPECT_LT(current, 10.0) << example.document;
    fs::remove_all(dir);
  }
}

// The header of a Velmax choke picked far past its roll-off: AL per core,
// copper loss at I_w, the design's warnings, where the model leaves the
// curve, and the air-core floor mu0 N^2 Ae / le of its core's Ae and le.
TEST(SpiceExample, HeaderOfARolledOffVelmaxChokeSaysWhereTheModelLeavesTheCurve) {
  std::string pattern = (fs::temp_directory_path() / "tov_header_XXXXXX").string();
  const fs::path dir = mkdtemp(pattern.data());
  const std::string inputs =
      " --material velmax --core 411 --idc 1.064 --ripple 0.512 --freq 246.03 --density 722"
      " --lfl 2683 --lnl 6347.31 --trise 70.8";
  Shell(std::string(TOVCALC_PATH) + inputs + " --spice '" + (dir / "m.cir").string() + "'");
  const std::string header = Slurp(dir / "m.cir");
  fs::remove_all(dir);
  std::string text;  // the comment lines as running text
  for (std::size_t from = 0, to = 0; from < header.size() && header[from] == '*'; from = to + 1) {
    to = header.find('\n', from);
    text += header.substr(from + 2, to - from - 2) + " ";
  }
  for (const char* expected :
       {"(mu 125, AL 68.3 mH per 1000 turns per core)",
        "copper loss 16984.1 mW at I_w 1.21171 A (I_dc + 0.577 dI/2)",
        "Warning: Inductance left at full load: only 11.85 % of the no-load inductance",
        "Warning: Temperature rise: 710.55 degC is above the 70.80 degC allowed",
        "Warning: Roll-off model valid at the peak: the roll-off model has no value at 336.37 Oe",
        "the model leaves the roll-off data", "bridges where the curve has no value",
        "At the table's end, 13.2 A (ten times the peak current)",
        "R_LOSS is sized for a symmetric triangle (duty 0.5) of 0.512 A peak to peak about "
        "1.064 A at 246 kHz"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
  // 576 turns on Ae 0.123 cm^2 and le 2.84 cm as the window shows them
  // (three digits): 4 pi 1e-7 576^2 0.123e-4 / 0.0284.
  const double air_uH = 4 * M_PI * 1e-7 * 576 * 576 * 0.123e-4 / 0.0284 * 1e6;
  std::smatch m;
  const std::string from_text = text;
  ASSERT_TRUE(std::regex_search(from_text, m, std::regex(R"(air-core inductance, (\S+) uH)")));
  EXPECT_NEAR(std::stod(m[1]), air_uH, 5e-3 * air_uH);
  ASSERT_TRUE(std::regex_search(from_text, m, std::regex(R"(From (\S+) A the model leaves)")));
  // It leaves where the curve plunges, below the 1.32 A peak current.
  EXPECT_GT(std::stod(m[1]), 0.3);
  EXPECT_LT(std::stod(m[1]), 1.32);
}

}  // namespace

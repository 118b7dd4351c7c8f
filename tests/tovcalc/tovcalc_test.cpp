// tovcalc run as scripts run it: a separate process, its exit status and output.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using Args = std::vector<std::string>;

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

const fs::path& Dir() {
  static const fs::path dir = [] {
    fs::path d = fs::temp_directory_path() / ("tovcalc_test." + std::to_string(getpid()));
    fs::create_directories(d);
    return d;
  }();
  return dir;
}
std::string Path(const std::string& name) {
  return (Dir() / name).string();
}
std::string Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Runs tovcalc with `input` on standard input and standard output going to
// `out_path` (a file of its own when empty).
Result Calc(const Args& arguments, const std::string& input = "", std::string out_path = "") {
  const std::string in_path = Path("stdin"), err_path = Path("stderr");
  if (out_path.empty()) out_path = Path("stdout");
  std::ofstream(in_path, std::ios::binary) << input;
  const pid_t child = fork();
  if (child == 0) {
    const auto redirect = [](const std::string& path, int fd, int flags) {
      const int file = open(path.c_str(), flags, 0644);
      dup2(file, fd);
      close(file);
    };
    redirect(in_path, 0, O_RDONLY);
    redirect(out_path, 1, O_WRONLY | O_CREAT | O_TRUNC);
    redirect(err_path, 2, O_WRONLY | O_CREAT | O_TRUNC);
    std::vector<char*> argv{const_cast<char*>("tovcalc")};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(TOVCALC_PATH, argv.data());
    _exit(127);
  }
  int wait_status = 0;
  waitpid(child, &wait_status, 0);
  EXPECT_TRUE(WIFEXITED(wait_status));
  return {WEXITSTATUS(wait_status), out_path == Path("stdout") ? Slurp(out_path) : "",
          Slurp(err_path)};
}

TEST(Tovcalc, ExitStatusSaysHowTheRunEndedAndStderrWhy) {
  std::ofstream(Path("short.tov")) << "0\r\n0\r\n\"10\"\r\n";
  fs::create_directory(Path("folder.tov"));
  std::ofstream(Path("two.json")) << R"({"inputs": {"designRequirements": {"turnsRatios": [{}]}}})";
  std::ofstream(Path("stack0.tov"))
      << "0,0,\"10\",\"2\",\"100\",\"600\",\"100\",\"150\",\"35\",3,1,20,0,0\r\n";
  // A design on Velmax toroid row 400.
  std::ofstream(Path("picked.tov"))
      << "400\r\n1\r\n\"10\"\r\n\"2\"\r\n\"100\"\r\n\"600\"\r\n\"100\"\r\n"
         "\"150\"\r\n\"35\"\r\n3\r\n0\r\n20\r\n1\r\n0\r\n";
  // Arguments, exit status, a part of what stderr says.
  const std::tuple<Args, int, const char*> cases[] = {
      {{"--lnl", "100", "--no-lfl-max"}, 0, ""},
      {{"--idc", "400", "--lfl", "50000", "--lnl", "90000"}, 1, "Required Core Too Large: "},
      {{"--bogus", "-xy"}, 2, "Unknown options: bogus, x, y."},
      {{"--idc"}, 2, "Missing value after '--idc'."},
      {{"--metric=1"}, 2, "Unexpected value after '--metric'."},
      {{"--core", "1"}, 2, "not a core of material velmax"},
      {{"--material", "mpp", "--core", "251"}, 2, "rows 1 to 250"},
      {{"--idc", "0"}, 2, "Invalid Entry: DC Current field requires a numeric entry"},
      {{"--freq", "3.41e38"}, 2, "Invalid Entry: Frequency field requires a numeric entry"},
      {{"--ambient=-300"}, 2, "--ambient must be above -234.45 degrees C"},
      {{"--lnl", "100"}, 2, "No Load L must be greater than Full Load L field entry."},
      {{"--core", "400", "--lnl", "abc"}, 2, "No Load L field requires a numeric entry"},
      {{"--list", "--save", Path("x.tov")}, 2, "--save and --list contradict each other"},
      {{"--json", "--csv"}, 2, "--json and --csv contradict each other."},
      {{"--sweep", "idc=1:5:0"}, 2, "the STEP must lead from START to STOP"},
      {{"--sweep", "coredat=a,b"}, 2, "holds for the whole run"},
      {{"--coredat", Path("missing")}, 3, "missing"},
      {{Path("short.tov")}, 3, "is not a readable design file"},
      {{Path("stack0.tov")}, 3, "design file. Record 13 (stack count) is 0"},
      {{Path("picked.tov"), "--material", "velmax-e"}, 2, "not a core of material velmax-e"},
      {{"--save", Path("folder.tov")}, 3, "could not be saved"},
      {{"--batch", Path("missing.jsonl")}, 3, "cannot be read"},
      {{"--al-tolerance", "5"}, 2, "--al-tolerance takes the AL's lower tolerance"},
      {{"--spice", Path("x.cir"), "--list"}, 2, "--spice writes the model of one design"},
      {{"--spice", Path("folder.tov")}, 3, "The SPICE model could not be written"},
      {{"--idc", "400", "--lfl", "50000", "--lnl", "90000", "--spice", Path("x.cir")},
       1,
       "no SPICE model to write"},
      // Hostile values and ambiguous sweeps.
      {{"--core", "1e10"}, 2, "has the part number \"1e10\""},
      {{"--core", "-1e300"}, 2, "has the part number \"-1e300\""},
      {{"--sweep", "idc=1,2", "--sweep", "idc=3,4"}, 2, "--idc is swept twice"},
      {{"--sweep", "single-layer=1,0", "--sweep", "no-single-layer=1"}, 2, "is swept twice"},
      {{"--spice", "-"}, 2, "--spice writes a file, not standard output"},
      {{"--save", "-"}, 2, "--save writes a file, not standard output"},
      {{"--freq", "1e39"}, 2, "(Frequency (kHz) 1e39 is too large: a field holds numbers up to"},
      {{"--idc", "1e400"}, 2, "(DC Current (A) 1e400 is too large"},
      {{"--lfl", "-1e39"}, 2, "greater than zero.\n\nPlease enter a value for Full Load L. ("},
      {{"--from-mas", Path("two.json"), "--json"}, 3, "describes 2 windings"},
      {{"--from-mas", Path("missing.json")}, 3, "cannot be read"},
      {{"--mas", Path("x.json"), "--list"}, 2, "--mas writes the MAS document of one design"},
      {{"--idc", "400", "--lfl", "50000", "--lnl", "90000", "--mas", Path("x.json")},
       1,
       "No MAS document was written"},
      {{"--mas", Path("folder.tov")}, 3, "The MAS document could not be written"},
  };
  for (const auto& [arguments, status, on_stderr] : cases) {
    const Result r = Calc(arguments);
    EXPECT_EQ(r.status, status) << arguments.front() << ": " << r.err;
    EXPECT_NE(r.err.find(on_stderr), std::string::npos) << r.err;
    EXPECT_TRUE(status != 2 || r.out.empty()) << r.out;  // a refused run shows nothing
  }
  EXPECT_FALSE(fs::exists(Path("x.json")));
}

TEST(Tovcalc, AFailedOutputIsAnErrorNeverASuccess) {
  for (const Args& arguments : {Args{}, Args{"--json"}, Args{"--list"}, Args{"--help"},
                                Args{"--sweep", "idc=1:3:1", "--csv"}}) {
    const Result r = Calc(arguments, "", "/dev/full");
    EXPECT_EQ(r.status, 3) << arguments.size();
    EXPECT_NE(r.err.find("No space left on device"), std::string::npos) << r.err;
  }
}

TEST(Tovcalc, JsonHoldsTheSameReportAsText) {
  const Args arguments{"--material", "hf", "--metric"};
  const Result text = Calc(arguments);
  Args with_json = arguments;
  with_json.push_back("--json");
  EXPECT_FALSE(Calc(with_json).json().contains("report")) << "the report only with --report";
  with_json.push_back("--report");
  const Result r = Calc(with_json);
  ASSERT_EQ(r.status, 0) << r.err;
  const Json o = r.json();
  EXPECT_EQ(o["schema_version"], 2);  // the keys the schema requires: json_schema_check.py
  EXPECT_EQ(o["shown"].size(), 21u);
  EXPECT_EQ(o["captions"]["wound_dimensions"], "Wound Core Dimen. (mm)");
  EXPECT_TRUE(o["options"]["metric"].get<bool>());
  std::string report;
  for (const auto& line : o["report"]) report += line.get<std::string>() + "\n";
  EXPECT_EQ(report, text.out);
  EXPECT_NE(report.find("(in mm)"), std::string::npos);
}

TEST(Tovcalc, WritesTheWorstCaseAndTheSpiceModelOfTheDesignShown) {
  const Result r = Calc({"--json", "--al-tolerance", "-10", "--spice", Path("m.cir")});
  ASSERT_EQ(r.status, 0) << r.err;
  const Json o = r.json();
  const Json& w = o["worst_case"];
  const auto field = [&](const char* name) {
    return std::stod(o["shown"][name].get<std::string>());
  };
  EXPECT_EQ(w.size(), 8u);
  EXPECT_EQ(w["al_tolerance_percent"], -10);
  EXPECT_FALSE(w["thermal_runaway"].get<bool>());
  EXPECT_NEAR(w["l_full_load_min_uh"].get<double>(), 0.9 * field("l_full_load"), 0.01);
  EXPECT_GE(w["dcr_hot_ohm"].get<double>(), field("dcr") - 0.0005);
  EXPECT_GE(w["temp_rise_c"].get<double>(), field("temp_rise") - 0.05);
  const std::string model = Slurp(Path("m.cir"));
  EXPECT_EQ(model.rfind("* L_VM139_026_E_71T: DC choke,", 0), 0u) << model.substr(0, 100);
  // The header names the program and its version, the core and stack, the winding and inputs.
  for (const char* says : {" written by Corvane Inductor Design Using Powder Cores 1.0\n",
                           "\n* Core: VM139-026-E, Velmax, 1 core (",
                           "\n* Winding: 71 turns of AWG ", "\n* Inputs: 10 A DC, 2 A ripple"}) {
    EXPECT_NE(model.find(says), std::string::npos) << says;
  }
  EXPECT_TRUE(Calc({"--idc", "400", "--lfl", "50000", "--lnl", "90000", "--json"})
                  .json()["worst_case"]
                  .is_null());
}

TEST(Tovcalc, ListsTheCoresOfTheMaterialAndTakesOneByPartNumber) {
  const std::string list = Calc({"--material", "velmax-e", "--list"}).out;
  EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 30);
  EXPECT_EQ(list.rfind("522\t", 0), 0u) << list;
  const Json by_row = Calc({"--core", "400", "--json"}).json();
  std::string part = by_row["shown"]["part_number"];
  std::transform(part.begin(), part.end(), part.begin(), ::tolower);
  EXPECT_EQ(Calc({"--core", part, "--json"}).json(), by_row);
}

// File names are bytes: one that is not UTF-8 is saved and opened as named.
TEST(Tovcalc, ASavedDesignReopensToTheSameDesign) {
  const std::string file = Path("s\xff\xfe.tov");
  for (const Args& arguments :
       {Args{"--core", "420", "--stack", "2", "--ambient", "45", "--idc", "4"},
        Args{"--material", "mpp", "--no-lfl-max", "--single-layer", "--ripple", "3.5"}}) {
    Args first_arguments = arguments;
    first_arguments.insert(first_arguments.end(), {"--json", "--save", file});
    const Result first = Calc(first_arguments);
    ASSERT_TRUE(fs::exists(file));
    const Result again = Calc({file, "--json"});
    ASSERT_EQ(again.status, 0) << again.err;
    Json a = first.json(), b = again.json();
    a.erase("messages");
    b.erase("messages");
    EXPECT_EQ(a, b);
  }
}

// Every line of a batch is the object its single run prints, plus the
// request; unreadable and refused requests get a line of their own.
TEST(Tovcalc, ABatchLineIsTheSingleRunsOutput) {
  const std::string batch =
      "{\"material\": \"hf\", \"idc\": 12, \"lfl\": 220.50, \"lnl\": \"400\"}\n"
      "\n"
      "{\"core\": \"400\", \"metric\": true, \"stack\": 2}\n"
      "{\"idc\": 400, \"lfl\": 50000, \"lnl\": 90000}\n"
      "{\"idc\": 0}\n"
      "{\"idc\": [1]}\n"
      "not json\n"
      "{\"material\": \"velmax-e\", \"single-layer\": false, \"no-lfl-max\": true}\n";
  const Args singles[] = {
      {"--material", "hf", "--idc", "12", "--lfl", "220.50", "--lnl", "400"},
      {"--core", "400", "--metric", "--stack", "2"},
      {"--idc", "400", "--lfl", "50000", "--lnl", "90000"},
      {},
      {},
      {},
      {"--material", "velmax-e", "--no-single-layer", "--no-lfl-max"},
  };
  const Result r = Calc({"--batch", "-", "--ambient", "30"}, batch);
  EXPECT_EQ(r.status, 2) << r.err;
  const std::vector<Json> lines = r.lines();
  ASSERT_EQ(lines.size(), 7u) << r.out;
  const long long line_numbers[] = {1, 3, 4, 5, 6, 7, 8};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i]["line"], line_numbers[i]);
    if (lines[i].contains("error")) {
      EXPECT_EQ(lines[i]["status"], 2);
      continue;
    }
    Args arguments = singles[i];
    arguments.insert(arguments.end(), {"--ambient", "30", "--json"});
    Json design = lines[i];
    design.erase("line");
    EXPECT_EQ(design, Calc(arguments).json()) << i;
  }
  EXPECT_EQ(lines[0]["request"]["idc"], 12);
  EXPECT_EQ(lines[0]["request"]["lfl"], 220.5);
  EXPECT_EQ(lines[0]["request"]["ambient"], 30);
  EXPECT_EQ(lines[1]["request"]["metric"], true);
  EXPECT_NE(lines[3]["error"].get<std::string>().find("DC Current"), std::string::npos);
  EXPECT_NE(lines[4]["error"].get<std::string>().find("array"), std::string::npos);
}

// A sweep designs the product of its values; CSV carries the request and
// the design's numbers, the same as the single run's.
TEST(Tovcalc, ASweepWritesOneCsvLinePerCombination) {
  const Result r = Calc({"--sweep", "material=mpp,velmax", "--sweep", "idc=1:2:0.5", "--csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::istringstream in(r.out);
  std::string header, line;
  std::getline(in, header);
  std::vector<std::string> rows;
  while (std::getline(in, line)) rows.push_back(line);
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[1].rfind("2,mpp,1.5,", 0), 0u) << rows[1];
  EXPECT_EQ(rows[5].rfind("6,velmax,2,", 0), 0u) << rows[5];
  // Total loss of the last line against the single run's JSON.
  const auto column = [&](const std::string& row, const std::string& name) {
    std::vector<std::string> cells, names;
    std::istringstream h(header), c(row);
    for (std::string cell; std::getline(h, cell, ',');) names.push_back(cell);
    for (std::string cell; std::getline(c, cell, ',');) cells.push_back(cell);
    return cells[static_cast<std::size_t>(std::find(names.begin(), names.end(), name) -
                                          names.begin())];
  };
  const Json single = Calc({"--material", "velmax", "--idc", "2", "--json"}).json();
  EXPECT_NEAR(std::stod(column(rows[5], "total_loss_mw")),
              single["design"]["total_loss_mw"].get<double>(),
              1e-6 * single["design"]["total_loss_mw"].get<double>());
  EXPECT_EQ(column(rows[5], "core_row"), std::to_string(single["design"]["core_row"].get<int>()));

  // CSV requests: a header of option names; a bad header stops the batch.
  std::ofstream(Path("req.csv")) << "material,idc,core\nhf,3,\n\"hf\",,bogus\n";
  const Result csv = Calc({"--batch", Path("req.csv"), "--csv"});
  EXPECT_EQ(csv.status, 2) << csv.err;
  EXPECT_NE(csv.out.find("\n3,hf,,,"), std::string::npos) << csv.out;
  EXPECT_NE(csv.out.find("No core of material hf"), std::string::npos) << csv.out;
  std::ofstream(Path("bad.csv")) << "idc,coredat\n1,x\n";
  EXPECT_EQ(Calc({"--batch", Path("bad.csv")}).status, 2);
}

// --candidates: the pick of every material and stack count is the design the
// same options show; none passing is exit 1; bad input is refused as a design
// run refuses it; a batch compares request by request.
TEST(Tovcalc, CandidatesPickWhatCalculateShows) {
  const Args settings[] = {
      {"--material", "velmax"},
      {"--material", "mpp", "--stack", "2", "--no-lfl-max", "--ambient", "60"},
      {"--material", "velmax-e", "--single-layer", "--ripple", "5"},
      {"--material", "hf", "--stack", "3", "--idc", "3", "--lfl", "800", "--lnl", "1000"},
      {"--material", "velmax", "--idc", "400", "--lfl", "50000", "--lnl", "90000"},  // too large
  };
  for (const Args& arguments : settings) {
    Args design_args = arguments, compare_args = arguments;
    design_args.push_back("--json");
    compare_args.insert(compare_args.end(), {"--candidates", "--json"});
    const Result design = Calc(design_args);
    const Result compare = Calc(compare_args);
    const Json shown = design.json();
    const Json candidates = compare.json()["candidates"];
    const bool too_large = design.status == 1;
    const auto pick = std::find_if(candidates.begin(), candidates.end(), [&](const Json& c) {
      return c["search_pick"] == true && c["material"] == shown["options"]["material"] &&
             c["stack"] == shown["options"]["stack"];
    });
    EXPECT_EQ(pick == candidates.end(), too_large) << arguments[1];
    EXPECT_EQ(compare.status, too_large ? 1 : 0) << compare.err;
    if (too_large) continue;
    const Json& numbers = shown["design"];
    EXPECT_EQ((*pick)["core_row"], numbers["core_row"]);
    EXPECT_EQ(std::to_string((*pick)["turns"].get<int>()),
              shown["shown"]["turns"].get<std::string>());
    EXPECT_NEAR((*pick)["total_loss_mw"].get<double>(), numbers["total_loss_mw"].get<double>(),
                1e-6 * numbers["total_loss_mw"].get<double>());
    EXPECT_TRUE((*pick)["failed"].empty());
  }

  const Args none{"--candidates", "--materials", "velmax", "--idc", "400",
                  "--lfl",        "50000",       "--lnl",  "90000"};
  Args csv_args = none, passing_args = none;
  csv_args.push_back("--csv");
  passing_args.push_back("--passing");
  const Result csv = Calc(csv_args);
  EXPECT_EQ(csv.status, 1);
  EXPECT_EQ(csv.out.rfind("material,core_row,part_number,stack,", 0), 0u);
  const std::string heading_only = Calc(passing_args).out;
  EXPECT_EQ(std::count(heading_only.begin(), heading_only.end(), '\n'), 1) << heading_only;
  for (const Args& bad :
       {Args{"--candidates", "--lnl", "90"}, Args{"--candidates", "--stacks", "2-7"},
        Args{"--candidates", "--core", "400"}, Args{"--materials", "hf"}}) {
    const Result r = Calc(bad);
    EXPECT_EQ(r.status, 2) << bad[1];
    EXPECT_TRUE(r.out.empty()) << r.out;
  }

  const Result batch = Calc({"--candidates", "--materials", "mpp", "--sweep", "idc=5,400"});
  const std::vector<Json> lines = batch.lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0]["line"], 1);
  EXPECT_FALSE(lines[0]["candidates"].empty());
  EXPECT_EQ(batch.status, 1);  // the second request has no passing core
}

// Inputs a careless or hostile user gives, beyond the exit-status table's:
// each is refused with words that say why, or designed as asked; none
// reaches a cast out of range (the sanitizer build runs these too).
TEST(Tovcalc, RefusesHostileInputsWithTheReason) {
  std::ofstream(Path("swept.jsonl")) << "{\"idc\": 3}\n{\"ripple\": 1}\n";
  EXPECT_EQ(Calc({"--lfl", "-5"}).err.find("too large"), std::string::npos);

  // The SPICE model is never written over the design file it was made from.
  ASSERT_EQ(Calc({"--save", Path("own.tov")}).status, 0);
  const std::string own = Slurp(Path("own.tov"));
  const Result over = Calc({Path("own.tov"), "--spice", Path("own.tov")});
  EXPECT_EQ(over.status, 3);
  EXPECT_NE(over.err.find("the design file the export was made from"), std::string::npos);
  EXPECT_EQ(Slurp(Path("own.tov")), own);

  // A range whose START has 400 (or 2^31) decimals designs its three values.
  for (const char* sweep : {"ambient=0e-400:1:0.5", "ambient=0e-2147483648:1:0.5"}) {
    const Result tiny = Calc({"--sweep", sweep, "--csv"});
    EXPECT_EQ(tiny.status, 0) << tiny.err;
    EXPECT_NE(tiny.out.find("\n3,"), std::string::npos) << tiny.out;
  }
  // A batch line that sets what a sweep sets is refused, the other designs.
  const std::vector<Json> lines =
      Calc({"--batch", Path("swept.jsonl"), "--sweep", "idc=4,5"}).lines();
  ASSERT_EQ(lines.size(), 4u);
  for (const int i : {0, 1}) {
    EXPECT_NE(lines[i]["error"].get<std::string>().find("which a --sweep sets too"),
              std::string::npos);
  }
  EXPECT_FALSE(lines[2].contains("error"));
  // {"core": 1e10} is a part number no core has.
  const Json core = Calc({"--batch", "-"}, "{\"core\": 1e10}\n").lines().at(0);
  EXPECT_NE(core["error"].get<std::string>().find("\"1e10\""), std::string::npos) << core;
}

// Batches as editors write them: CR-only line ends are line ends, and --csv
// writes a byte that is not UTF-8 as U+FFFD, as --json does.
TEST(Tovcalc, ReadsEveryLineEndAndWritesValidUtf8) {
  const Result cr = Calc({"--batch", "-"}, "{\"idc\": 3}\r\r{\"idc\": 4}\r\n{\"idc\": 5}\r");
  const std::vector<Json> lines = cr.lines();
  ASSERT_EQ(lines.size(), 3u) << cr.out;
  EXPECT_EQ(lines[0]["line"], 1);
  EXPECT_EQ(lines[1]["line"], 3);
  EXPECT_EQ(lines[2]["line"], 4);
  EXPECT_EQ(lines[2]["request"]["idc"], 5);
  for (const Args& output : {Args{"--csv"}, Args{"--json"}}) {
    Args arguments{"--batch", "-"};
    arguments.insert(arguments.end(), output.begin(), output.end());
    const Result r = Calc(arguments, "core\nx\xff\xc3\n");
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_EQ(r.out.find('\xff'), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("x\xEF\xBF\xBD\xEF\xBF\xBD"), std::string::npos) << r.out;
  }
}

// A core database with a number no double holds is refused, naming where.
TEST(Tovcalc, RefusesADamagedCoreDatabase) {
  std::string data = Slurp(fs::path(TOV_SOURCE_DIR) / "data/coredat");
  // The path length of the second core: line 2, after its quoted part number.
  const std::size_t path_length = data.find(',', data.find('\n')) + 1;
  const std::size_t value_end = data.find_first_of(",\r\n", path_length);
  data.replace(path_length, value_end - path_length, "nan");
  std::ofstream(Path("damaged"), std::ios::binary) << data;
  const Result r = Calc({"--coredat", Path("damaged"), "--list"});
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("is damaged: line 2, column 13 (row 2, column 2 of the table)"),
            std::string::npos)
      << r.err;
  EXPECT_TRUE(r.out.empty());
}

// Each curve as CSV: its header, then its points; a bad name and a run
// without a design say why.
TEST(Tovcalc, PrintsEachCurveAsCsv) {
  const std::pair<const char*, const char*> curves[] = {
      {"l-vs-i", "Current (A),Inductance (\u00b5H)\n0,"},
      {"mu-vs-h", "Magnetising force (Oe),\u00b5 26 (% of \u00b5),"},
      {"loss-vs-i", "DC current (A),Core loss (mW),"},
      {"loss-vs-f", "Frequency (kHz),Core loss (mW)\n1,"}};
  for (const auto& [name, start] : curves) {
    const Result r = Calc({"--curve", name});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind(start, 0), 0u) << r.out.substr(0, 200);
    EXPECT_GT(std::count(r.out.begin(), r.out.end(), '\n'), 100);
  }
  const Result bogus = Calc({"--curve", "bogus"});
  EXPECT_EQ(bogus.status, 2);
  EXPECT_NE(bogus.err.find("l-vs-i|mu-vs-h|loss-vs-i|loss-vs-f"), std::string::npos);
  const Result too_large =
      Calc({"--idc", "400", "--lfl", "50000", "--lnl", "90000", "--curve", "l-vs-i"});
  EXPECT_EQ(too_large.status, 1);
  EXPECT_TRUE(too_large.out.empty());
}

// --mas writes the design shown as a MAS document, --from-mas designs the
// same choke from it; options given win over the document (the refusals
// stand in the exit-status table).
TEST(Tovcalc, WritesAMasDocumentAndDesignsTheSameChokeFromIt) {
  const Result first = Calc({"--json", "--ambient", "40", "--mas", Path("d.json")});
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(Json::parse(Slurp(Path("d.json")))["masConformance"], "A");
  const Result again = Calc({"--from-mas", Path("d.json"), "--ambient", "40", "--json"});
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(again.json(), first.json());
  EXPECT_NE(again.err.find("--idc 10 --ripple 2 --freq 100 --lfl 100 --lnl 150 --trise 35"),
            std::string::npos)
      << again.err;

  const Result mixed = Calc({"--from-mas", Path("d.json"), "--idc", "5", "--json"});
  ASSERT_EQ(mixed.status, 0) << mixed.err;
  EXPECT_EQ(mixed.json()["request"]["idc"], 5);
  EXPECT_EQ(mixed.err.find("--idc"), std::string::npos);
}

}  // namespace

namespace tov::tovcalc {
namespace {

// A pick short of its targets: shown (status 0), every failed check a Note
// on standard error after the messages, and status 4 with --strict, also as
// a batch; its JSON and CSV say which checks fail.
TEST(Tovcalc, AFailedRequirementIsNotedAndStrictRefusesIt) {
  const Args pick{"--material", "velmax", "--core", "VM107-060-E"};
  const Result shown = Calc(pick);
  EXPECT_EQ(shown.status, 0);
  const std::string note =
      "Note: Inductance at full load: 87.55 uH is below the 100.00 uH required at full load\n";
  EXPECT_NE(shown.err.find(note), std::string::npos) << shown.err;
  EXPECT_LT(shown.err.find("Inductance Roll-Off Warning"), shown.err.find("Note: "));
  Args strict = pick;
  strict.push_back("--strict");
  EXPECT_EQ(Calc(strict).status, 4);
  strict.push_back("--json");
  const Json o = Calc(strict).json();
  EXPECT_FALSE(o["design"]["passes"].get<bool>());
  EXPECT_EQ(o["checks"][0]["check"], "full_load_inductance");
  EXPECT_FALSE(o["checks"][0]["pass"].get<bool>());
  EXPECT_EQ(o["request"]["core"], "VM107-060-E");

  const std::string batch = "{\"material\": \"velmax\", \"core\": \"VM107-060-E\"}\n";
  EXPECT_EQ(Calc({"--batch", "-"}, batch).status, 0);
  EXPECT_EQ(Calc({"--batch", "-", "--strict"}, batch).status, 4);
  // A refused line outranks a failed check.
  EXPECT_EQ(Calc({"--batch", "-", "--strict"}, batch + "{\"idc\": 0}\n").status, 2);
  const std::string csv = Calc({"--batch", "-", "--csv"}, batch).out;
  EXPECT_NE(csv.find(",0,full_load_inductance;no_load_ceiling;temperature_rise;"),
            std::string::npos)
      << csv;
  // A refused line echoes what was given, not what a reader made of it.
  const Json refused =
      Calc({"--batch", "-"}, "{\"single-layer\": 5, \"idc\": \"ten\"}\n").lines().at(0);
  EXPECT_EQ(refused["request"]["single-layer"], 5);
  EXPECT_EQ(refused["request"]["idc"], "ten");
  // A design that meets everything with the AL at its lower limit passes.
  EXPECT_EQ(Calc({"--strict", "--al-tolerance", "0", "--material", "mpp"}).status, 0);
}

// --candidates marks the Pareto front of loss against wound volume by the
// figures the output itself gives (the front itself is checked on random
// requests with the engine); sorted by the mark, the CSV starts on the front.
TEST(Tovcalc, CandidatesMarkTheParetoFrontByTheirOwnFigures) {
  const Json candidates = Calc({"--candidates", "--stacks", "1-5", "--json"}).json()["candidates"];
  ASSERT_GT(candidates.size(), 1000u);
  const auto beats = [](const Json& a, const Json& b) {
    if (!a["passes"].get<bool>()) return false;
    const double av = a["wound_volume_cm3"], bv = b["wound_volume_cm3"];
    const double al = a["total_loss_mw"], bl = b["total_loss_mw"];
    return av <= bv && al <= bl && (av < bv || al < bl);
  };
  int marked = 0;
  for (const Json& c : candidates) {
    ASSERT_TRUE(c["core_volume_cm3"].is_number());
    if (!c["passes"].get<bool>()) {
      EXPECT_FALSE(c["pareto"].get<bool>()) << c["part_number"];
      continue;
    }
    const bool beaten = std::any_of(candidates.begin(), candidates.end(),
                                    [&](const Json& other) { return beats(other, c); });
    EXPECT_EQ(c["pareto"].get<bool>(), !beaten) << c["part_number"] << " " << c["stack"];
    marked += c["pareto"].get<bool>();
  }
  EXPECT_GE(marked, 2);

  const std::string csv = Calc({"--candidates", "--passing", "--csv", "--sort", "-pareto"}).out;
  std::istringstream lines(csv);
  std::string header, first;
  std::getline(lines, header);
  std::getline(lines, first);
  EXPECT_NE(header.find(",header,pareto,wound_volume_cm3,core_volume_cm3,"), std::string::npos)
      << header;
  const auto cells = [](const std::string& line) {
    std::vector<std::string> out(1);
    for (const char ch : line) {
      if (ch == ',') {
        out.emplace_back();
      } else {
        out.back() += ch;
      }
    }
    return out;
  };
  const std::vector<std::string> names = cells(header), values = cells(first);
  const auto column = std::find(names.begin(), names.end(), "pareto") - names.begin();
  ASSERT_EQ(values.size(), names.size()) << first;
  EXPECT_EQ(values[static_cast<std::size_t>(column)], "true");
}

}  // namespace
}  // namespace tov::tovcalc

// tovcalc run as scripts run it: a separate process, its exit status and output.

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "tovcalc/tovcalc_process.h"

namespace {

using namespace tovcalc_process;

const Args kTooLarge{"--idc", "400", "--lfl", "50000", "--lnl", "90000"};  // no core is enough

// The cells of a CSV header and one of its lines, by column name.
std::map<std::string, std::string> CsvRow(const std::string& header, const std::string& line) {
  std::map<std::string, std::string> row;
  std::istringstream names(header), cells(line);
  for (std::string name, cell; std::getline(names, name, ',');) {
    if (!std::getline(cells, cell, ',')) cell = "(missing)";
    row[name] = cell;
  }
  return row;
}

TEST(Tovcalc, ExitStatusSaysHowTheRunEndedAndStderrWhy) {
  std::ofstream(Path("short.tov")) << "0\r\n0\r\n\"10\"\r\n";
  fs::create_directory(Path("folder.tov"));
  std::ofstream(Path("picked.tov")) << "400\r\n1\r\n\"10\"\r\n\"2\"\r\n\"100\"\r\n\"600\"\r\n"
                                       "\"100\"\r\n\"150\"\r\n\"35\"\r\n3\r\n0\r\n20\r\n1\r\n0\r\n";
  const std::tuple<Args, int, const char*> cases[] = {
      {{"--lnl", "100", "--no-lfl-max"}, 0, ""},
      {kTooLarge, 1, "Required Core Too Large: "},
      {kTooLarge + Args{"--spice", Path("x.cir")}, 1, "no SPICE model to write"},
      {kTooLarge + Args{"--mas", Path("x.json")}, 1, "No MAS document was written"},
      {{"--bogus", "-xy"}, 2, "Unknown options: bogus, x, y."},
      {{"--idc"}, 2, "Missing value after '--idc'."},
      {{"--metric=1"}, 2, "Unexpected value after '--metric'."},
      {{"--core", "1"}, 2, "not a core of material velmax"},
      {{"--core", "1e10"}, 2, "has the part number \"1e10\""},
      {{Path("picked.tov"), "--material", "velmax-e"}, 2, "not a core of material velmax-e"},
      {{"--idc", "0"}, 2, "Invalid Entry: DC Current field requires a numeric entry"},
      {{"--freq", "1e39"}, 2, "(Frequency (kHz) 1e39 is too large: a field holds numbers up to"},
      {{"--idc", "1e400"}, 2, "(DC Current (A) 1e400 is too large"},
      {{"--lfl", "-1e39"}, 2, "greater than zero.\n\nPlease enter a value for Full Load L. ("},
      {{"--list", "--save", Path("x.tov")}, 2, "--save and --list contradict each other"},
      {{"--sweep", "coredat=a,b"}, 2, "holds for the whole run"},
      {{"--sweep", "idc=1,2", "--sweep", "idc=3,4"}, 2, "--idc is swept twice"},
      {{"--sweep", "single-layer=1,0", "--sweep", "no-single-layer=1"}, 2, "is swept twice"},
      {{"--al-tolerance", "5"}, 2, "--al-tolerance takes the AL's lower tolerance"},
      {{"--spice", Path("x.cir"), "--list"}, 2, "--spice writes the model of one design"},
      {{"--spice", "-"}, 2, "--spice writes a file, not standard output"},
      {{"--save", "-"}, 2, "--save writes a file, not standard output"},
      {{"--curve", "bogus"}, 2, "l-vs-i|mu-vs-h|loss-vs-i|loss-vs-f"},
      {{"--candidates", "--lnl", "90"}, 2, "No Load L must be greater"},
      {{"--candidates", "--stacks", "2-7"}, 2, "--stacks"},
      {{"--candidates", "--core", "400"}, 2, "--core"},
      {{"--materials", "hf"}, 2, "--materials"},
      {{"--coredat", Path("missing")}, 3, "missing"},
      {{Path("short.tov")}, 3, "is not a readable design file"},
      {{"--save", Path("folder.tov")}, 3, "could not be saved"},
      {{"--batch", Path("missing.jsonl")}, 3, "cannot be read"},
      {{"--spice", Path("folder.tov")}, 3, "The SPICE model could not be written"},
      {{"--mas", Path("folder.tov")}, 3, "The MAS document could not be written"},
  };
  for (const auto& [arguments, status, on_stderr] : cases) {
    const Result r = Calc(arguments);
    EXPECT_EQ(r.status, status) << arguments.front() << ": " << r.err;
    EXPECT_TRUE(Holds(r.err, on_stderr));
    EXPECT_TRUE(status != 2 || r.out.empty()) << r.out;  // a refused run shows nothing
  }
  EXPECT_FALSE(Holds(Calc({"--lfl", "-5"}).err, "too large"));
  EXPECT_FALSE(fs::exists(Path("x.json")));
}

TEST(Tovcalc, AFailedOutputIsAnErrorNeverASuccess) {
  for (const Args& arguments : {Args{}, Args{"--json"}, Args{"--list"}, Args{"--help"},
                                Args{"--sweep", "idc=1:3:1", "--csv"}}) {
    const Result r = Calc(arguments, "", "/dev/full");
    EXPECT_EQ(r.status, 3) << arguments.size();
    EXPECT_TRUE(Holds(r.err, "No space left on device"));
  }
}

TEST(Tovcalc, JsonHoldsTheSameReportAsText) {
  const Args hf{"--material", "hf", "--metric"};
  EXPECT_FALSE(Calc(hf + Args{"--json"}).json().contains("report"));
  const Result r = Calc(hf + Args{"--json", "--report"});
  ASSERT_EQ(r.status, 0) << r.err;
  const Json lines = r.json()["report"];
  std::string report;
  for (const Json& line : lines) report += line.get<std::string>() + "\n";
  EXPECT_EQ(report, Calc(hf).out);
  EXPECT_TRUE(Holds(report, "(in mm)"));
}

TEST(Tovcalc, WritesTheWorstCaseOfTheDesignShown) {
  const Json o = Calc({"--json", "--al-tolerance", "-10"}).json();
  EXPECT_EQ(o["worst_case"]["al_tolerance_percent"], -10);
  EXPECT_NEAR(o["worst_case"]["l_full_load_min_uh"].get<double>(),
              0.9 * std::stod(o["shown"]["l_full_load"].get<std::string>()), 0.01);
  EXPECT_TRUE(Calc(kTooLarge + Args{"--json"}).json()["worst_case"].is_null());
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
    Json first = Calc(arguments + Args{"--json", "--save", file}).json();
    const Result again = Calc({file, "--json"});
    ASSERT_EQ(again.status, 0) << again.err;
    Json second = again.json();
    first.erase("messages");
    second.erase("messages");
    EXPECT_EQ(first, second);
  }
}

// Every line of a batch is the object its single run prints, plus the
// request; unreadable and refused requests get a line of their own.
TEST(Tovcalc, ABatchLineIsTheSingleRunsOutput) {
  const std::string batch =
      "{\"material\": \"hf\", \"idc\": 12, \"lfl\": 220.50, \"lnl\": \"400\"}\n\n"
      "{\"core\": \"400\", \"metric\": true, \"stack\": 2}\n"
      "{\"idc\": 400, \"lfl\": 50000, \"lnl\": 90000}\n"
      "{\"idc\": 0}\n{\"idc\": [1]}\nnot json\n"
      "{\"material\": \"velmax-e\", \"single-layer\": false, \"no-lfl-max\": true}\n";
  const std::pair<long long, Args> singles[] = {
      {1, {"--material", "hf", "--idc", "12", "--lfl", "220.50", "--lnl", "400"}},
      {3, {"--core", "400", "--metric", "--stack", "2"}},
      {4, kTooLarge},
      {5, {}},
      {6, {}},
      {7, {}},
      {8, {"--material", "velmax-e", "--no-single-layer", "--no-lfl-max"}},
  };
  const Result r = Calc({"--batch", "-", "--ambient", "30"}, batch);
  EXPECT_EQ(r.status, 2) << r.err;
  const std::vector<Json> lines = r.lines();
  ASSERT_EQ(lines.size(), 7u) << r.out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i]["line"], singles[i].first);
    EXPECT_EQ(lines[i].contains("error"), singles[i].second.empty()) << i;
    if (lines[i].contains("error")) continue;
    Json design = lines[i];
    design.erase("line");
    EXPECT_EQ(design, Calc(singles[i].second + Args{"--ambient", "30", "--json"}).json()) << i;
  }
  EXPECT_TRUE(Holds(lines[3]["error"], "DC Current"));
  EXPECT_TRUE(Holds(lines[4]["error"], "array"));
}

// A sweep designs the product of its values; CSV carries the request and
// the design's numbers, the same as the single run's.
TEST(Tovcalc, ASweepWritesOneCsvLinePerCombination) {
  const Result r = Calc({"--sweep", "material=mpp,velmax", "--sweep", "idc=1:2:0.5", "--csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::istringstream in(r.out);
  std::vector<std::string> rows;
  for (std::string line; std::getline(in, line);) rows.push_back(line);
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[2].rfind("2,mpp,1.5,", 0), 0u) << rows[2];
  EXPECT_EQ(rows[6].rfind("6,velmax,2,", 0), 0u) << rows[6];
  const Json single = Calc({"--material", "velmax", "--idc", "2", "--json"}).json()["design"];
  const auto last = CsvRow(rows[0], rows[6]);
  const double loss = single["total_loss_mw"];
  EXPECT_NEAR(std::stod(last.at("total_loss_mw")), loss, 1e-6 * loss);
  EXPECT_EQ(last.at("core_row"), std::to_string(single["core_row"].get<int>()));
}

// --candidates: the pick of every material and stack count is the design the
// same options show; none passing is exit 1, also in a batch.
TEST(Tovcalc, CandidatesPickWhatCalculateShows) {
  const Args settings[] = {
      {"--material", "mpp", "--stack", "2", "--no-lfl-max", "--ambient", "60"},
      {"--material", "velmax-e", "--single-layer", "--ripple", "5"},
      kTooLarge,
  };
  for (const Args& arguments : settings) {
    const Result design = Calc(arguments + Args{"--json"});
    const Result compare = Calc(arguments + Args{"--candidates", "--json"});
    const Json shown = design.json(), candidates = compare.json()["candidates"];
    const bool too_large = design.status == 1;
    EXPECT_EQ(compare.status, design.status) << compare.err;
    const auto pick = std::find_if(candidates.begin(), candidates.end(), [&](const Json& c) {
      return c["search_pick"] == true && c["material"] == shown["options"]["material"] &&
             c["stack"] == shown["options"]["stack"];
    });
    ASSERT_EQ(pick == candidates.end(), too_large) << arguments[1];
    if (too_large) continue;
    const Json& numbers = shown["design"];
    EXPECT_EQ((*pick)["core_row"], numbers["core_row"]);
    EXPECT_EQ(std::to_string((*pick)["turns"].get<int>()), shown["shown"]["turns"]);
    const double loss = numbers["total_loss_mw"];
    EXPECT_NEAR((*pick)["total_loss_mw"].get<double>(), loss, 1e-6 * loss);
    EXPECT_TRUE((*pick)["failed"].empty());
  }

  const Result batch = Calc({"--candidates", "--materials", "mpp", "--sweep", "idc=5,400"});
  const std::vector<Json> lines = batch.lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_FALSE(lines[0]["candidates"].empty());
  EXPECT_EQ(batch.status, 1);  // the second request has no passing core
}

// Inputs a careless or hostile user gives, beyond the exit-status table's:
// each is refused with words that say why, or designed as asked; none
// reaches a cast out of range (the sanitizer build runs these too).
TEST(Tovcalc, RefusesHostileInputsWithTheReason) {
  // The SPICE model is never written over the design file it was made from.
  ASSERT_EQ(Calc({"--save", Path("own.tov")}).status, 0);
  const std::string own = Slurp(Path("own.tov"));
  const Result over = Calc({Path("own.tov"), "--spice", Path("own.tov")});
  EXPECT_EQ(over.status, 3);
  EXPECT_TRUE(Holds(over.err, "the design file the export was made from"));
  EXPECT_EQ(Slurp(Path("own.tov")), own);

  // A range whose START has 2^31 decimals designs its three values.
  const Result tiny = Calc({"--sweep", "ambient=0e-2147483648:1:0.5", "--csv"});
  EXPECT_EQ(tiny.status, 0) << tiny.err;
  EXPECT_TRUE(Holds(tiny.out, "\n3,"));
  // A batch line that sets what a sweep sets is refused, the other designs.
  std::ofstream(Path("swept.jsonl")) << "{\"idc\": 3}\n{\"ripple\": 1}\n";
  const std::vector<Json> lines =
      Calc({"--batch", Path("swept.jsonl"), "--sweep", "idc=4,5"}).lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_TRUE(Holds(lines[0]["error"], "which a --sweep sets too"));
  EXPECT_TRUE(Holds(lines[1]["error"], "which a --sweep sets too"));
  EXPECT_FALSE(lines[2].contains("error"));
  // {"core": 1e10} is a part number no core has.
  const Json core = Calc({"--batch", "-"}, "{\"core\": 1e10}\n").lines().at(0);
  EXPECT_TRUE(Holds(core["error"], "\"1e10\""));
}

// --csv writes a byte that is not UTF-8 as U+FFFD, as --json does.
TEST(Tovcalc, WritesValidUtf8) {
  for (const char* output : {"--csv", "--json"}) {
    const Result r = Calc({"--batch", "-", output}, "core\nx\xff\xc3\n");
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_FALSE(Holds(r.out, "\xff"));
    EXPECT_TRUE(Holds(r.out, "x\xEF\xBF\xBD\xEF\xBF\xBD"));
  }
}

// A curve as CSV; a run without a design prints none.
TEST(Tovcalc, PrintsACurveAsCsv) {
  const std::string csv = Calc({"--curve", "loss-vs-f"}).out;
  EXPECT_EQ(csv.rfind("Frequency (kHz),Core loss (mW)\n1,", 0), 0u) << csv;
  EXPECT_GT(std::count(csv.begin(), csv.end(), '\n'), 100);
  const Result too_large = Calc(kTooLarge + Args{"--curve", "l-vs-i"});
  EXPECT_EQ(too_large.status, 1);
  EXPECT_TRUE(too_large.out.empty());
}

// --mas writes the design shown as a MAS document, --from-mas designs the
// same choke from it; options given win over the document.
TEST(Tovcalc, WritesAMasDocumentAndDesignsTheSameChokeFromIt) {
  const Result first = Calc({"--json", "--ambient", "40", "--mas", Path("d.json")});
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(Json::parse(Slurp(Path("d.json")))["masConformance"], "A");
  const Result again = Calc({"--from-mas", Path("d.json"), "--ambient", "40", "--json"});
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(again.json(), first.json());
  EXPECT_TRUE(Holds(again.err, "--idc 10 --ripple 2 --freq 100 --lfl 100 --lnl 150 --trise 35"));
  const Result mixed = Calc({"--from-mas", Path("d.json"), "--idc", "5", "--json"});
  ASSERT_EQ(mixed.status, 0) << mixed.err;
  EXPECT_EQ(mixed.json()["request"]["idc"], 5);
  EXPECT_FALSE(Holds(mixed.err, "--idc"));
}

// A pick short of its targets: shown (status 0), every failed check a Note
// on standard error after the messages, and status 4 with --strict, also as
// a batch; its JSON and CSV say which checks fail.
TEST(Tovcalc, AFailedRequirementIsNotedAndStrictRefusesIt) {
  const Args pick{"--material", "velmax", "--core", "VM107-060-E"};
  const Result shown = Calc(pick);
  EXPECT_EQ(shown.status, 0);
  EXPECT_TRUE(Holds(shown.err,
                    "Note: Inductance at full load: 87.55 uH is below the 100.00 uH "
                    "required at full load\n"));
  EXPECT_LT(shown.err.find("Inductance Roll-Off Warning"), shown.err.find("Note: "));
  EXPECT_EQ(Calc(pick + Args{"--strict"}).status, 4);
  const Json o = Calc(pick + Args{"--strict", "--json"}).json();
  EXPECT_FALSE(o["design"]["passes"].get<bool>());
  EXPECT_EQ(o["checks"][0]["check"], "full_load_inductance");
  EXPECT_FALSE(o["checks"][0]["pass"].get<bool>());
  EXPECT_EQ(o["request"]["core"], "VM107-060-E");

  const std::string batch = "{\"material\": \"velmax\", \"core\": \"VM107-060-E\"}\n";
  EXPECT_EQ(Calc({"--batch", "-"}, batch).status, 0);
  EXPECT_EQ(Calc({"--batch", "-", "--strict"}, batch).status, 4);
  // A refused line outranks a failed check.
  EXPECT_EQ(Calc({"--batch", "-", "--strict"}, batch + "{\"idc\": 0}\n").status, 2);
  EXPECT_TRUE(Holds(Calc({"--batch", "-", "--csv"}, batch).out,
                    ",0,full_load_inductance;no_load_ceiling;temperature_rise;"));
  // A refused line echoes what was given, not what a reader made of it.
  const Json refused =
      Calc({"--batch", "-"}, "{\"single-layer\": 5, \"idc\": \"ten\"}\n").lines().at(0);
  EXPECT_EQ(refused["request"]["single-layer"], 5);
  EXPECT_EQ(refused["request"]["idc"], "ten");
  // A design that meets everything with the AL at its lower limit passes;
  // without the ceiling the search does not check it.
  EXPECT_EQ(Calc({"--strict", "--al-tolerance", "0", "--material", "mpp"}).status, 0);
  const Json free = Calc({"--no-lfl-max", "--lnl", "101", "--json"}).json()["checks"][1];
  EXPECT_EQ(std::pair(free["check"], free["pass"]), std::pair(Json("no_load_ceiling"), Json(true)));
  EXPECT_EQ(free["reason"], "off: Full Load L Maximum is not checked");
}

// --candidates marks the Pareto front of loss against wound volume by the
// figures the output itself gives; sorted by the mark, the CSV starts on it.
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
    const bool front =
        c["passes"].get<bool>() && std::none_of(candidates.begin(), candidates.end(),
                                                [&](const Json& other) { return beats(other, c); });
    EXPECT_EQ(c["pareto"].get<bool>(), front) << c["part_number"] << " " << c["stack"];
    marked += front;
  }
  EXPECT_GE(marked, 2);
  std::istringstream csv(Calc({"--candidates", "--passing", "--csv", "--sort", "-pareto"}).out);
  std::string header, first;
  std::getline(csv, header);
  std::getline(csv, first);
  EXPECT_TRUE(Holds(header, ",header,pareto,wound_volume_cm3,core_volume_cm3,"));
  EXPECT_EQ(CsvRow(header, first).at("pareto"), "true");
}

}  // namespace

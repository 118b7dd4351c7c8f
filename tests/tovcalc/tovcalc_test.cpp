// tovcalc run as scripts run it: a separate process, its exit status and output.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

namespace {

struct Result {
  int status = -1;
  std::string out;
  std::string err;
  QJsonObject json() const {
    return QJsonDocument::fromJson(QByteArray::fromStdString(out)).object();
  }
};

Result Calc(const QStringList& arguments) {
  QProcess process;
  process.start(TOVCALC_PATH, arguments);
  EXPECT_TRUE(process.waitForFinished(30000)) << arguments.join(' ').toStdString();
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  return {process.exitCode(), process.readAllStandardOutput().toStdString(),
          process.readAllStandardError().toStdString()};
}

QString Path(const QString& name) {
  static const QTemporaryDir dir;
  return dir.filePath(name);
}

TEST(Tovcalc, ExitStatusSaysHowTheRunEndedAndStderrWhy) {
  std::ofstream(Path("short.tov").toStdString()) << "0\r\n0\r\n\"10\"\r\n";
  std::filesystem::create_directory(Path("folder.tov").toStdString());
  // A design on Velmax toroid row 400.
  std::ofstream(Path("picked.tov").toStdString())
      << "400\r\n1\r\n\"10\"\r\n\"2\"\r\n\"100\"\r\n\"600\"\r\n\"100\"\r\n"
         "\"150\"\r\n\"35\"\r\n3\r\n0\r\n20\r\n1\r\n0\r\n";
  // Arguments, exit status, a part of what stderr says.
  const std::tuple<QStringList, int, const char*> cases[] = {
      {{"--lnl", "100", "--no-lfl-max"}, 0, ""},
      {{"--idc", "400", "--lfl", "50000", "--lnl", "90000"}, 1, "Required Core Too Large: "},
      {{"--bogus"}, 2, "bogus"},
      {{"--core", "1"}, 2, "not a core of material velmax"},
      {{"--material", "mpp", "--core", "251"}, 2, "rows 1 to 250"},
      {{"--idc", "0"}, 2, "Invalid Entry: DC Current field requires a numeric entry"},
      {{"--lnl", "100"}, 2, "No Load L must be greater than Full Load L field entry."},
      {{"--core", "400", "--lnl", "abc"}, 2, "No Load L field requires a numeric entry"},
      {{"--coredat", Path("missing")}, 3, "missing"},
      {{Path("short.tov")}, 3, "is not a readable design file"},
      {{Path("picked.tov"), "--material", "velmax-e"}, 2, "not a core of material velmax-e"},
      {{"--save", Path("folder.tov")}, 3, "could not be saved"},
  };
  for (const auto& [arguments, status, on_stderr] : cases) {
    const Result r = Calc(arguments);
    EXPECT_EQ(r.status, status) << r.err;
    EXPECT_NE(r.err.find(on_stderr), std::string::npos) << r.err;
    EXPECT_TRUE(status != 2 || r.out.empty()) << r.out;  // a refused run shows nothing
  }
}

TEST(Tovcalc, JsonHoldsEveryKeyAndTheSameReportAsText) {
  const QStringList arguments{"--material", "hf", "--metric"};
  const Result text = Calc(arguments);
  const Result r = Calc(arguments + QStringList{"--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const QJsonObject o = r.json();
  for (const char* key : {"design_mode", "core_row", "strands", "total_loss_mw", "stack", "fields",
                          "captions", "trise_colour", "options", "messages", "report"}) {
    EXPECT_TRUE(o.contains(key)) << key;
  }
  EXPECT_EQ(o["fields"].toObject().size(), 28);
  EXPECT_EQ(o["captions"].toObject()["lblDim"].toString(), "Wound Core Dimen. (mm)");
  EXPECT_EQ(o["options"].toObject().keys(),
            (QStringList{"ambient", "full_load_l_max", "lnl_enabled", "material", "metric",
                         "single_layer"}));
  EXPECT_TRUE(o["options"].toObject()["metric"].toBool());
  std::string report;
  for (const auto line : o["report"].toArray()) report += line.toString().toStdString() + "\n";
  EXPECT_EQ(report, text.out);
  EXPECT_NE(report.find("(in mm)"), std::string::npos);
}

TEST(Tovcalc, ListsTheCoresOfTheMaterialAndTakesOneByPartNumber) {
  const std::string list = Calc({"--material", "velmax-e", "--list"}).out;
  EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 30);
  EXPECT_EQ(list.rfind("522\t", 0), 0u) << list;
  const QJsonObject by_row = Calc({"--core", "400", "--json"}).json();
  const QString part = by_row["fields"].toObject()["txtPN"].toString();
  EXPECT_EQ(Calc({"--core", part.toLower(), "--json"}).json(), by_row);
}

TEST(Tovcalc, ASavedDesignReopensToTheSameDesign) {
  const QStringList settings[] = {
      {"--core", "420", "--stack", "2", "--ambient", "45", "--idc", "4"},
      {"--material", "mpp", "--no-lfl-max", "--single-layer", "--ripple", "3.5"}};
  for (const QStringList& arguments : settings) {
    const Result first = Calc(arguments + QStringList{"--json", "--save", Path("s.tov")});
    const Result again = Calc({Path("s.tov"), "--json"});
    ASSERT_EQ(again.status, 0) << again.err;
    QJsonObject a = first.json(), b = again.json();
    a.remove("messages");
    b.remove("messages");
    EXPECT_EQ(a, b);
  }
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

}  // namespace

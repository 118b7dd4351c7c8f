// tovcalc run as scripts run it: a separate process, its exit status and output.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Result {
  int status = -1;
  std::string out;
  std::string err;
  QJsonObject json() const {
    return QJsonDocument::fromJson(QByteArray::fromStdString(out)).object();
  }
};

Result Tovcalc(const QStringList& arguments) {
  QProcess process;
  process.start(TOVCALC_PATH, arguments);
  EXPECT_TRUE(process.waitForFinished(30000)) << arguments.join(' ').toStdString();
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  return {process.exitCode(), process.readAllStandardOutput().toStdString(),
          process.readAllStandardError().toStdString()};
}

class Tovcalc : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() /
        ("tovcalc_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  QString Path(const std::string& name) const {
    return QString::fromStdString((dir_ / name).string());
  }

  fs::path dir_;
};

TEST_F(Tovcalc, PrintsTheReportOrTheSameReportInJsonWithEveryKey) {
  const Result text = ::Tovcalc({"--material", "hf"});
  EXPECT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out.rfind("      Corvane DC Inductor Design\n\nPart Number:                 ", 0),
            0u);
  const Result r = ::Tovcalc({"--material", "hf", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const QJsonObject o = r.json();
  for (const char* key : {"design_mode", "core_row", "strands", "total_loss_mw", "stack", "fields",
                          "captions", "trise_colour", "options", "messages", "report"}) {
    EXPECT_TRUE(o.contains(key)) << key;
  }
  EXPECT_EQ(o["fields"].toObject().size(), 28);
  EXPECT_TRUE(o["fields"].toObject()["txtRollOff"].isString());
  EXPECT_EQ(o["captions"].toObject().size(), 8);
  EXPECT_EQ(o["options"].toObject(), (QJsonObject{{"material", "hf"},
                                                  {"full_load_l_max", true},
                                                  {"single_layer", false},
                                                  {"ambient", 20},
                                                  {"metric", false},
                                                  {"lnl_enabled", true}}));
  EXPECT_GE(o["core_row"].toInt(), 252);
  EXPECT_EQ(o["trise_colour"].toString(), "#FFFFFF");
  std::string report;
  for (const auto line : o["report"].toArray()) report += line.toString().toStdString() + "\n";
  EXPECT_EQ(report, text.out);
}

TEST_F(Tovcalc, NoCoreLargeEnoughExitsWithOneAndTheMessage) {
  const QStringList too_much{"--idc", "400", "--lfl", "50000", "--lnl", "90000"};
  const Result r = ::Tovcalc(too_much);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Required Core Too Large: Required core is larger than any in current "
                       "database.\n\nTry reducing"),
            std::string::npos)
      << r.err;
  const QJsonObject o = ::Tovcalc(too_much + QStringList{"--json"}).json();
  EXPECT_EQ(o["fields"].toObject()["txtPN"].toString(), "Too Large");
  const QJsonObject last = o["messages"].toArray().last().toObject();
  EXPECT_EQ(last["title"].toString(), "Required Core Too Large");
  EXPECT_TRUE(last["text"].toString().contains("\r\r"));
}

TEST_F(Tovcalc, UsageErrorsAndInputsTheWindowWouldAskForExitWithTwo) {
  const std::pair<QStringList, const char*> cases[] = {
      {{"--bogus"}, "bogus"},
      {{"--material", "steel"}, "steel"},
      {{"--core", "1"}, "not a core of material velmax"},
      {{"--material", "mpp", "--core", "251"}, "rows 1 to 250"},
      {{"--core", "XYZ"}, "XYZ"},
      {{"--stack", "6"}, "--stack"},
      {{"--ambient", "warm"}, "--ambient"},
      {{"--lfl-max", "--no-lfl-max"}, "contradict"},
      {{"a.tov", "b.tov"}, "Only one design file"},
      {{"--idc", "0"},
       "Invalid Entry: DC Current field requires a numeric entry greater than zero.\n\n"
       "Please enter a value for DC Current."},
      {{"--freq", "fast", "--json"}, "Frequency field requires a numeric entry"},
      {{"--lnl", "100"}, "No Load L must be greater than Full Load L field entry."},
      {{"--core", "400", "--lnl", "abc"}, "No Load L field requires a numeric entry"},
  };
  for (const auto& [arguments, on_stderr] : cases) {
    const Result r = ::Tovcalc(arguments);
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_NE(r.err.find(on_stderr), std::string::npos) << r.err;
  }
  EXPECT_EQ(::Tovcalc({"--lnl", "100", "--no-lfl-max"}).status, 0);
}

TEST_F(Tovcalc, UnreadableFilesExitWithThree) {
  const Result no_database = ::Tovcalc({"--coredat", Path("missing")});
  EXPECT_EQ(no_database.status, 3);
  EXPECT_NE(no_database.err.find("missing"), std::string::npos) << no_database.err;

  std::ofstream(Path("short.tov").toStdString()) << "0\r\n0\r\n\"10\"\r\n";
  for (const QString& file : {Path("short.tov"), Path("missing.tov")}) {
    const Result r = ::Tovcalc({file});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("is not a readable design file"), std::string::npos) << r.err;
  }
  fs::create_directory(dir_ / "folder.tov");
  const Result save = ::Tovcalc({"--save", Path("folder.tov")});
  EXPECT_EQ(save.status, 3);
  EXPECT_NE(save.err.find("could not be saved"), std::string::npos) << save.err;
}

TEST_F(Tovcalc, ListsTheCoresAndTakesOneByRowOrPartNumber) {
  const Result list = ::Tovcalc({"--material", "velmax-e", "--list"});
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 30);
  EXPECT_EQ(list.out.rfind("522\t", 0), 0u) << list.out;
  EXPECT_NE(list.out.find("\n551\t"), std::string::npos);

  const QJsonObject by_row = ::Tovcalc({"--core", "400", "--json"}).json();
  const QString part = by_row["fields"].toObject()["txtPN"].toString();
  const QJsonObject by_name = ::Tovcalc({"--core", part.toLower(), "--json"}).json();
  EXPECT_EQ(by_name["core_row"].toInt(), 400);
  EXPECT_EQ(by_name["design_mode"].toInt(), 1);
  EXPECT_EQ(by_name["fields"], by_row["fields"]);
}

TEST_F(Tovcalc, MetricShowsMillimetres) {
  const QJsonObject o = ::Tovcalc({"--metric", "--json"}).json();
  EXPECT_EQ(o["captions"].toObject()["lblDim"].toString(), "Wound Core Dimen. (mm)");
  EXPECT_TRUE(o["report"].toArray()[11].toString().endsWith("(in mm)"));
}

TEST_F(Tovcalc, ASavedDesignReopensToTheSameDesign) {
  const QStringList settings[] = {
      {"--core", "420", "--stack", "2", "--ambient", "45", "--idc", "4"},
      {"--material", "mpp", "--no-lfl-max", "--single-layer", "--ripple", "3.5"}};
  for (const QStringList& arguments : settings) {
    const Result first = ::Tovcalc(arguments + QStringList{"--json", "--save", Path("s.tov")});
    const Result again = ::Tovcalc({Path("s.tov"), "--json"});
    ASSERT_EQ(again.status, 0) << again.err;
    const QJsonObject a = first.json(), b = again.json();
    for (const char* key : {"design_mode", "core_row", "strands", "total_loss_mw", "stack",
                            "fields", "captions", "options", "report"}) {
      EXPECT_EQ(a[key], b[key]) << key;
    }
  }
}

}  // namespace

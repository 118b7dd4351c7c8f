// tovcalc run as scripts run it: a separate process, its exit status and output.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
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

class TovcalcTest : public ::testing::Test {
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

TEST_F(TovcalcTest, StartupInputsDesignAndPrintTheReport) {
  const Result r = Tovcalc({});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("      Corvane DC Inductor Design\n\nPart Number:                 ", 0), 0u)
      << r.out;
  EXPECT_NE(r.out.find("Wound Core Dimensions:"), std::string::npos);
  EXPECT_NE(r.out.find("(in inches)\n"), std::string::npos);
}

TEST_F(TovcalcTest, JsonHoldsEveryKeyAndTheSameReport) {
  const Result text = Tovcalc({"--material", "hf"});
  const Result r = Tovcalc({"--material", "hf", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const QJsonObject o = r.json();
  for (const char* key : {"design_mode", "core_row", "strands", "total_loss_mw", "stack", "fields",
                          "captions", "trise_colour", "options", "messages", "report"}) {
    EXPECT_TRUE(o.contains(key)) << key;
  }
  const QJsonObject fields = o["fields"].toObject();
  for (const char* key :
       {"txtPN",     "txtPerm",    "txtAL",    "txtAe",      "txtle",  "txtID",   "txtOD",
        "txtHt",     "txtBobbin",  "txtTurns", "txtWire",    "txtK",   "txtDCR",  "txtLOutfl",
        "txtLOutnl", "txtRollOff", "txtDim",   "txtPfe",     "txtPcu", "txtPtot", "txtTrise",
        "txtIdc",    "txtIdelta",  "txtFreq",  "txtCurDens", "txtLfl", "txtLnl",  "txtTempInput"}) {
    EXPECT_TRUE(fields[key].isString()) << key;
  }
  EXPECT_EQ(fields.size(), 28);
  EXPECT_EQ(o["captions"].toObject().size(), 8);
  const QJsonObject options = o["options"].toObject();
  EXPECT_EQ(options["material"].toString(), "hf");
  EXPECT_TRUE(options["full_load_l_max"].toBool());
  EXPECT_FALSE(options["single_layer"].toBool());
  EXPECT_EQ(options["ambient"].toDouble(), 20.0);
  EXPECT_FALSE(options["metric"].toBool());
  EXPECT_TRUE(options["lnl_enabled"].isBool());
  EXPECT_EQ(o["design_mode"].toInt(), 0);
  EXPECT_GE(o["core_row"].toInt(), 252);
  EXPECT_LE(o["core_row"].toInt(), 393);
  EXPECT_EQ(o["trise_colour"].toString(), "#FFFFFF");

  std::string report;
  for (const auto line : o["report"].toArray()) report += line.toString().toStdString() + "\n";
  EXPECT_EQ(report, text.out);
}

TEST_F(TovcalcTest, NoCoreLargeEnoughExitsWithOneAndTheMessage) {
  const Result r = Tovcalc({"--idc", "400", "--lfl", "50000", "--lnl", "90000"});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.err.find("Required Core Too Large: Required core is larger than any in current "
                       "database.\n\nTry reducing"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.out.find("Too Large"), std::string::npos);

  const QJsonObject o =
      Tovcalc({"--idc", "400", "--lfl", "50000", "--lnl", "90000", "--json"}).json();
  EXPECT_EQ(o["fields"].toObject()["txtPN"].toString(), "Too Large");
  const QJsonArray messages = o["messages"].toArray();
  ASSERT_FALSE(messages.isEmpty());
  EXPECT_EQ(messages.last().toObject()["title"].toString(), "Required Core Too Large");
  EXPECT_TRUE(messages.last().toObject()["text"].toString().contains("\r\r"));
}

struct UsageCase {
  const char* name;
  QStringList arguments;
  const char* on_stderr;
};
class TovcalcUsage : public TovcalcTest, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(TovcalcUsage, ExitsWithTwoAndSaysWhy) {
  const Result r = Tovcalc(GetParam().arguments);
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(r.out.empty()) << r.out;
  EXPECT_NE(r.err.find(GetParam().on_stderr), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TovcalcUsage,
    ::testing::Values(
        UsageCase{"UnknownOption", {"--bogus"}, "bogus"},
        UsageCase{"UnknownMaterial", {"--material", "steel"}, "steel"},
        UsageCase{"CoreOfAnotherMaterial", {"--core", "1"}, "not a core of material velmax"},
        UsageCase{"EndRowIsNoCore", {"--material", "mpp", "--core", "251"}, "rows 1 to 250"},
        UsageCase{"UnknownPartNumber", {"--core", "XYZ"}, "XYZ"},
        UsageCase{"StackOutOfRange", {"--stack", "6"}, "--stack"},
        UsageCase{"AmbientNotANumber", {"--ambient", "warm"}, "--ambient"},
        UsageCase{"ContradictingChecks", {"--lfl-max", "--no-lfl-max"}, "contradict"},
        UsageCase{"TwoFiles", {"a.tov", "b.tov"}, "Only one design file"},
        UsageCase{"ZeroCurrent",
                  {"--idc", "0"},
                  "Invalid Entry: DC Current field requires a numeric entry greater than zero.\n\n"
                  "Please enter a value for DC Current."},
        UsageCase{"TextFrequency",
                  {"--freq", "fast", "--json"},
                  "Invalid Entry: Frequency field requires a numeric entry greater than zero."},
        UsageCase{"NoLoadBelowFullLoad",
                  {"--lnl", "100"},
                  "Invalid Entry: No Load L must be greater than Full Load L field entry."},
        UsageCase{"NoLoadCheckedOnPickedCoreToo",
                  {"--core", "400", "--lnl", "abc"},
                  "No Load L field requires a numeric entry"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TovcalcTest, WithoutFullLoadMaximumTheNoLoadValueIsFree) {
  EXPECT_EQ(Tovcalc({"--lnl", "100", "--no-lfl-max"}).status, 0);
}

TEST_F(TovcalcTest, UnreadableDatabaseOrDesignFileExitsWithThree) {
  const Result no_database = Tovcalc({"--coredat", Path("missing")});
  EXPECT_EQ(no_database.status, 3);
  EXPECT_NE(no_database.err.find("missing"), std::string::npos) << no_database.err;

  std::ofstream(Path("short.tov").toStdString()) << "0\r\n0\r\n\"10\"\r\n";
  for (const QString& file : {Path("short.tov"), Path("missing.tov")}) {
    const Result r = Tovcalc({file});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("is not a readable design file"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
  }
}

TEST_F(TovcalcTest, ListPrintsTheCoresOfTheMaterialWithTheirRows) {
  const Result r = Tovcalc({"--material", "velmax-e", "--list"});
  EXPECT_EQ(r.status, 0);
  std::size_t lines = 0;
  for (char c : r.out) lines += c == '\n';
  EXPECT_EQ(lines, 30u);
  EXPECT_EQ(r.out.rfind("522\t", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\n551\t"), std::string::npos);
  EXPECT_NE(r.out.find("  µ = "), std::string::npos);
}

TEST_F(TovcalcTest, CoreByPartNumberIsTheSameAsByRow) {
  const QJsonObject by_row = Tovcalc({"--core", "400", "--json"}).json();
  const QString part = by_row["fields"].toObject()["txtPN"].toString();
  const Result by_name = Tovcalc({"--core", part.toLower(), "--json"});
  ASSERT_EQ(by_name.status, 0) << by_name.err;
  EXPECT_EQ(by_name.json()["core_row"].toInt(), 400);
  EXPECT_EQ(by_name.json()["design_mode"].toInt(), 1);
  EXPECT_EQ(by_name.json()["fields"], by_row["fields"]);
}

TEST_F(TovcalcTest, MetricShowsMillimetres) {
  const QJsonObject o = Tovcalc({"--metric", "--json"}).json();
  EXPECT_TRUE(o["options"].toObject()["metric"].toBool());
  EXPECT_EQ(o["captions"].toObject()["lblDim"].toString(), "Wound Core Dimen. (mm)");
  EXPECT_TRUE(o["report"].toArray().last().toString().startsWith("Temp. Rise"));
  bool in_mm = false;
  for (const auto line : o["report"].toArray()) in_mm |= line.toString().endsWith("(in mm)");
  EXPECT_TRUE(in_mm);
}

// A design saved with --save and opened again by tovcalc gives the same design.
TEST_F(TovcalcTest, SavedDesignReopensToTheSameDesign) {
  struct Case {
    QStringList arguments;
    int design_mode;
  };
  for (const Case& c :
       {Case{{"--core", "420", "--stack", "2", "--ambient", "45", "--idc", "4"}, 1},
        Case{{"--material", "mpp", "--no-lfl-max", "--single-layer", "--ripple", "3.5"}, 0}}) {
    const QString file = Path("saved.tov");
    const Result first = Tovcalc(c.arguments + QStringList{"--json", "--save", file});
    ASSERT_EQ(first.status, 0) << first.err;
    const Result again = Tovcalc({file, "--json"});
    ASSERT_EQ(again.status, 0) << again.err;
    const QJsonObject a = first.json(), b = again.json();
    EXPECT_EQ(a["design_mode"].toInt(), c.design_mode);
    for (const char* key : {"design_mode", "core_row", "strands", "total_loss_mw", "stack",
                            "fields", "captions", "options", "report"}) {
      EXPECT_EQ(a[key], b[key]) << key;
    }
  }
}

TEST_F(TovcalcTest, AFailedSaveExitsWithThreeAfterTheDesign) {
  fs::create_directory(dir_ / "folder.tov");
  const Result r = Tovcalc({"--save", Path("folder.tov")});
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("could not be saved"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("Part Number:"), std::string::npos);
}

}  // namespace

// tovcalc --candidates as scripts run it: the pick of every material and
// stack count is the design the same options show, and bad input is refused
// as a design run refuses it.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <string>

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
  return {process.exitCode(), process.readAllStandardOutput().toStdString(),
          process.readAllStandardError().toStdString()};
}

TEST(TovcalcCandidates, EachPickIsTheDesignCalculateShows) {
  const QStringList settings[] = {
      {"--material", "velmax"},
      {"--material", "mpp", "--stack", "2", "--no-lfl-max", "--ambient", "60"},
      {"--material", "velmax-e", "--single-layer", "--ripple", "5"},
      {"--material", "hf", "--stack", "3", "--single-layer", "--idc", "3", "--lfl", "800", "--lnl",
       "1000"},
      {"--material", "velmax", "--idc", "400", "--lfl", "50000", "--lnl", "90000"},  // too large
  };
  for (const QStringList& arguments : settings) {
    const Result design = Calc(arguments + QStringList{"--json"});
    const Result compare = Calc(arguments + QStringList{"--candidates", "--json"});
    const QJsonObject shown = design.json();
    const QJsonArray candidates = compare.json()["candidates"].toArray();
    const bool too_large = design.status == 1;
    const auto pick = std::find_if(candidates.begin(), candidates.end(), [&](const auto& c) {
      const QJsonObject o = c.toObject();
      return o["search_pick"].toBool() &&
             o["material"] == shown["options"].toObject()["material"] &&
             o["stack"] == shown["stack"];
    });
    EXPECT_EQ(pick == candidates.end(), too_large) << arguments.join(' ').toStdString();
    EXPECT_EQ(compare.status, too_large ? 1 : 0) << compare.err;  // no material has a core
    if (too_large) continue;
    const QJsonObject o = pick->toObject();
    EXPECT_EQ(o["core_row"], shown["core_row"]);
    EXPECT_EQ(QString::number(o["turns"].toInt()),
              shown["fields"].toObject()["txtTurns"].toString());
    EXPECT_NEAR(o["total_loss_mw"].toDouble(), shown["total_loss_mw"].toDouble(),
                1e-6 * shown["total_loss_mw"].toDouble());
    EXPECT_TRUE(o["passes"].toBool());
    EXPECT_TRUE(o["failed"].toArray().isEmpty());
  }
}

TEST(TovcalcCandidates, CsvHasALinePerCandidateAndNoneOrBadInputIsNoTable) {
  const QStringList none{"--candidates", "--materials", "velmax", "--idc", "400",
                         "--lfl",        "50000",       "--lnl",  "90000"};
  const Result json = Calc(none + QStringList{"--json"});
  const Result csv = Calc(none + QStringList{"--csv"});
  EXPECT_EQ(json.status, 1);
  EXPECT_EQ(csv.status, 1);
  EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'),
            json.json()["candidates"].toArray().size() + 1);
  EXPECT_EQ(csv.out.rfind("material,core_row,part_number,stack,", 0), 0u);
  const std::string empty = Calc(none + QStringList{"--passing"}).out;  // the heading alone
  EXPECT_EQ(std::count(empty.begin(), empty.end(), '\n'), 1) << empty;

  for (const QStringList& bad :
       {QStringList{"--candidates", "--lnl", "90"}, QStringList{"--candidates", "--stacks", "2-7"},
        QStringList{"--candidates", "--core", "400"},
        QStringList{"--candidates", "--json", "--csv"}}) {
    const Result r = Calc(bad);
    EXPECT_EQ(r.status, 2) << bad.join(' ').toStdString();
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_FALSE(r.err.empty());
  }
}

}  // namespace

// Every candidate core judged as the search judges it; failed tests carry
// their names and margins.

#include "engines/candidates.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "candidates_check/candidates_check.h"
#include "state/core_table_loader.h"
#include "support/core_fixture.h"

namespace tov {
namespace {

using testing::FixtureCore;
using testing::PutCore;

const CoreTable& Shipped() {
  static const CoreTableLoad load = LoadCoreTable(TOV_SOURCE_DIR "/data/coredat");
  return *load.table;
}

// The walk from the start row agrees with the search on the shipped table
// and on damaged copies, where zeros, texts, negative values and stray end
// marks make steps fail, so that values carry from row to row.
TEST(CandidatesTest, FirstPassingRowFromTheStartIsWhatCalculatePicks) {
  constexpr CoreColumn kColumns[] = {
      CoreColumn::PathLen,  CoreColumn::WindID,     CoreColumn::WindOD,     CoreColumn::WindHt,
      CoreColumn::CoreArea, CoreColumn::WindowArea, CoreColumn::SizeFigure, CoreColumn::SurfaceArea,
      CoreColumn::Perm,     CoreColumn::AL};
  const CoreCell kOdd[] = {CoreCell::Number(0), CoreCell::Number(-1), CoreCell::Text("x"),
                           CoreCell::Number(1e30), CoreCell::Number(kEndRowSizeFigure)};
  std::mt19937_64 rng(12);
  for (int table = 0; table <= 10; ++table) {
    CoreTable cores = Shipped();
    for (int k = 0; table > 0 && k < 150; ++k) {
      const int row = std::uniform_int_distribution<int>(1, kCoreRows)(rng);
      cores.Set(row, kColumns[std::uniform_int_distribution<std::size_t>(0, 9)(rng)],
                kOdd[std::uniform_int_distribution<std::size_t>(0, 4)(rng)]);
    }
    for (int n = 0; n < (table == 0 ? 1500 : 200); ++n) {
      const DesignRequest request = check::RandomRequest(rng);
      const auto failure = check::CheckAgainstSearch(request, cores);
      ASSERT_FALSE(failure) << "table " << table << ", " << check::Describe(request) << ": "
                            << *failure;
    }
  }
}

class CandidateFixtureTest : public ::testing::Test {
 protected:
  CandidateFixtureTest() {
    PutCore(cores_, 395, {.PartNo = "SMALL", .SizeFigure = 0.14});  // passes, before the start
    PutCore(cores_, 396, {.PartNo = "NOAL", .SizeFigure = 0.15, .AL = 0});
    PutCore(cores_, 397, testing::VelmaxAL75());  // the start row
    PutCore(cores_, 398, {.PartNo = "GOOD"});     // 31 turns, 17 deg C
    PutCore(cores_, 399, {.PartNo = "FULL", .WindowArea = 0.05, .SizeFigure = 0.3});
    PutCore(cores_, 400, {.PartNo = "TIGHT", .WindID = 0.05, .SizeFigure = 0.3});
    PutCore(cores_, 401, {.PartNo = "NARROW", .WindID = 0.5, .SizeFigure = 0.3});
  }
  std::vector<Candidate> Evaluate(const DesignRequest& request) {
    return EvaluateCandidates(request, cores_, {.materials = {Material::Velmax}, .stacks = {}})
        .candidates;
  }
  CoreTable cores_ = testing::EmptyCoreTable();
};

std::string Failed(const Candidate& c) {
  std::string names;
  for (std::string_view name : c.FailedTests()) names += std::string(name) + " ";
  return names;
}

TEST_F(CandidateFixtureTest, EachRowNamesTheTestsItFails) {
  struct Case {
    bool single_layer;
    double Tallow;
    const char* failed[7];  // rows 395 to 401
    int16_t pick;
  };
  // clang-format off
  const Case cases[] = {
      {false, 35, {"", "full_load_l ", "no_load_l ", "", "fill ", "winding ", ""}, 398},
      {false, 10, {"temperature ", "full_load_l ", "no_load_l temperature ", "temperature ",
                   "fill temperature ", "winding ", "temperature "}, 0},
      {true, 35, {"", "full_load_l ", "no_load_l ", "", "fill ", "single_layer winding ",
                  "single_layer "}, 398},
  };
  // clang-format on
  for (const Case& k : cases) {
    const std::vector<Candidate> rows =
        Evaluate({.allowable_rise_c = k.Tallow, .single_layer = k.single_layer});
    ASSERT_EQ(rows.size(), 126u);  // the whole section, empty rows too
    for (std::size_t i = 0; i < 7; ++i) {
      EXPECT_EQ(rows[i].search_pick, rows[i].row == k.pick) << rows[i].row;
      EXPECT_EQ(Failed(rows[i]), k.failed[i]) << rows[i].row << " Tallow " << k.Tallow;
    }
  }
}

// Margins in the units of the columns: uH of the stack, deg C, the fill
// factor, turns. Before the start row each row starts afresh: without AL no
// turns are estimated, and the one turn added back gives no inductance.
TEST_F(CandidateFixtureTest, MarginsInTheUnitsOfTheColumns) {
  const struct {
    std::size_t row;
    CandidateTest test;
    double value, limit, within;
  } margins[] = {{1, CandidateTest::FullLoadL, 0, 100, 1e-4},
                 {2, CandidateTest::NoLoadL, 252.3, 150, 0.05},
                 {3, CandidateTest::FullLoadL, 103.60, 100, 0.006},
                 {3, CandidateTest::Temperature, 17.1, 35, 0.15}};
  const std::vector<Candidate> rows = Evaluate({});
  for (const auto& m : margins) {
    EXPECT_NEAR(rows[m.row].Test(m.test).value, m.value, m.within) << m.row;
    EXPECT_NEAR(rows[m.row].Test(m.test).limit, m.limit, 1e-4) << m.row;
  }
  EXPECT_EQ(rows[1].design.N, 1);
  EXPECT_EQ(std::tuple(rows[3].header, rows[5].header), std::tuple("TX-Q4916-4A", ""));
  EXPECT_TRUE(rows[3].Test(CandidateTest::NoLoadL).applies);
  EXPECT_FALSE(rows[3].Test(CandidateTest::SingleLayer).applies ||
               rows[3].Test(CandidateTest::Winding).applies);
  for (const std::vector<Candidate>& r : {rows, Evaluate({.stack_count = 2})}) {
    EXPECT_NEAR(r[1].Test(CandidateTest::FullLoadL).limit, 100, 1e-4);
    EXPECT_NEAR(r[4].Test(CandidateTest::Fill).limit, 0.48, 1e-6);
    EXPECT_GT(r[4].Test(CandidateTest::Fill).value, 0.48);
    EXPECT_EQ(r[5].Test(CandidateTest::Winding).value, r[5].design.N);
    EXPECT_EQ(r[5].Test(CandidateTest::Winding).limit, 0);
    EXPECT_FALSE(r[5].wound);
  }
}

TEST_F(CandidateFixtureTest, ScopeOfMaterialsStacksAndNotices) {
  PutCore(cores_, 522, testing::VelmaxECore());
  // 100 A at 300 A/sq cm needs more than six strands of gauge 12.
  const CandidateSet set =
      EvaluateCandidates({.dc_current_a = 100, .current_density_a_cm2 = 300}, cores_,
                         {.materials = {Material::VelmaxE, Material::Velmax}, .stacks = {2, 3}});
  ASSERT_EQ(set.candidates.size(), 30u + 126 + 126);
  const std::vector<Candidate>& c = set.candidates;  // E-cores once, never stacked
  EXPECT_EQ(std::tuple(c[0].row, c[0].stack_count, c[0].header, c[30].stack_count,
                       c[156].stack_count, c[156].part_number, set.notices.size()),
            std::tuple(522, 1, "BB-2510", 2, 3, "SMALLA2", 1u));
  EXPECT_EQ(set.notices.at(0).kind, NoticeKind::WireTooLarge);
}

}  // namespace
}  // namespace tov

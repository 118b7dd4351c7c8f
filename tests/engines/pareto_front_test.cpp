// The Pareto front against its definition checked pair by pair: on random
// point sets full of ties and on the candidates of random requests.

#include "engines/pareto_front.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "candidates_check/candidates_check.h"
#include "engines/part_volume.h"
#include "state/core_table_loader.h"

namespace tov {
namespace {

const CoreTable& Shipped() {
  static const CoreTableLoad load = LoadCoreTable(TOV_SOURCE_DIR "/data/coredat");
  return *load.table;
}

bool Dominates(const ParetoPoint& a, const ParetoPoint& b) {
  return a.x <= b.x && a.y <= b.y && (a.x < b.x || a.y < b.y);
}

// The definition, every pair compared.
std::vector<bool> BruteForce(const std::vector<ParetoPoint>& points) {
  std::vector<bool> front(points.size());
  const auto counts = [](const ParetoPoint& p) {
    return p.takes_part && std::isfinite(p.x) && std::isfinite(p.y);
  };
  for (std::size_t i = 0; i < points.size(); ++i) {
    front[i] = counts(points[i]);
    for (std::size_t j = 0; j < points.size() && front[i]; ++j) {
      if (counts(points[j]) && Dominates(points[j], points[i])) front[i] = false;
    }
  }
  return front;
}

TEST(ParetoFrontTest, SmallCasesByHand) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* name;
    std::vector<ParetoPoint> points;
    std::vector<bool> front;
  };
  const Case cases[] = {
      {"none", {}, {}},
      {"a staircase and a point behind it",
       {{1, 5}, {2, 3}, {4, 1}, {3, 4}},
       {true, true, true, false}},
      {"equal points are on it together", {{2, 2}, {2, 2}, {3, 3}}, {true, true, false}},
      {"same x, more y is beaten", {{2, 2}, {2, 3}}, {true, false}},
      {"same y, more x is beaten", {{2, 2}, {3, 2}}, {true, false}},
      {"a failing point beats nobody", {{1, 1, false}, {2, 2}}, {false, true}},
      {"no value, no place", {{nan, 1}, {2, 2}}, {false, true}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParetoFront(c.points), c.front) << c.name;
  }
}

TEST(ParetoFrontTest, AgreesWithEveryPairComparedOnRandomSets) {
  std::mt19937_64 rng(25);
  for (int set = 0; set < 400; ++set) {
    // Few distinct values, so that ties on x, on y and on both are common.
    std::uniform_int_distribution<int> value(0, 1 + set % 12);
    std::vector<ParetoPoint> points(static_cast<std::size_t>(set % 40));
    for (ParetoPoint& p : points) {
      p = {double(value(rng)), double(value(rng)), value(rng) != 0};
    }
    ASSERT_EQ(ParetoFront(points), BruteForce(points)) << "set " << set;
  }
}

// On the candidates of random requests (every material, stacks 1 to 5): no
// passing candidate beats one on the front, every passing one off it is
// beaten, and no failing one is on it.
TEST(ParetoFrontTest, CandidatesOfRandomRequests) {
  std::mt19937_64 rng(2025);
  const CandidateScope scope{{kMaterials.begin(), kMaterials.end()}, {1, 2, 3, 4, 5}};
  int on_front = 0;
  for (int n = 0; n < 12; ++n) {
    const DesignRequest request = check::RandomRequest(rng);
    const CandidateSet set = EvaluateCandidates(request, Shipped(), scope);
    const std::vector<bool> front = LossVolumeFront(set.candidates, Shipped());
    std::vector<ParetoPoint> points;
    for (const Candidate& c : set.candidates) {
      const auto volume = WoundVolumeCm3(c.design, c.wound, Shipped());
      points.push_back({volume.value_or(0), c.design.Ptot, c.Passes() && volume.has_value()});
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
      const std::string where =
          check::Describe(request) + " row " + std::to_string(set.candidates[i].row);
      if (!points[i].takes_part) {
        EXPECT_FALSE(front[i]) << where;
        continue;
      }
      bool beaten = false;
      for (const ParetoPoint& other : points) {
        beaten = beaten || (other.takes_part && Dominates(other, points[i]));
      }
      EXPECT_EQ(front[i], !beaten) << where;
      on_front += front[i];
    }
  }
  EXPECT_GT(on_front, 12);
}

struct VolumeCase {
  const char* name;
  DesignResult design;
  bool wound;
  std::optional<double> wound_cm3;
  std::optional<double> core_cm3;
};

// By hand, with pi = 3.14 and 2.54 cm to the inch (16.387064 cm^3 to the in^3).
TEST(ParetoFrontTest, VolumesByHand) {
  DesignResult toroid;
  toroid.row = 1;
  toroid.ODw = 1.0f, toroid.HTw = 0.5f, toroid.Ae = 0.5f, toroid.le = 5.0f, toroid.stack_count = 2;
  DesignResult torn = toroid;
  DesignResult e_core;  // row 522: the first Velmax E-core set of the shipped table
  e_core.row = SectionOf(Material::VelmaxE).first_row;
  e_core.e_core = true;
  e_core.Ae = 0.25f, e_core.le = 4.0f;
  const CoreRowNumbers& e = Shipped().Numbers(e_core.row);
  const double e_box = *e.Number(CoreColumn::WindID) * *e.Number(CoreColumn::WindOD) *
                       *e.Number(CoreColumn::NomHt) * 16.387064;
  const VolumeCase cases[] = {
      {"toroid: 3.14 x 0.5^2 x 0.5 in^3", toroid, true, 6.43192262, 5.0},
      {"toroid not wound has no wound volume", torn, false, std::nullopt, 5.0},
      {"E-core: wound length x width x bobbin height", e_core, true, e_box, 1.0},
  };
  for (const VolumeCase& c : cases) {
    const auto wound = WoundVolumeCm3(c.design, c.wound, Shipped());
    ASSERT_EQ(wound.has_value(), c.wound_cm3.has_value()) << c.name;
    if (wound) {
      EXPECT_NEAR(*wound, *c.wound_cm3, 1e-6) << c.name;
    }
    EXPECT_NEAR(*CoreVolumeCm3(c.design), *c.core_cm3, 1e-6) << c.name;
  }
  EXPECT_GT(e_box, 1.0);
}

}  // namespace
}  // namespace tov

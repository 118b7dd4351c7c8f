// The Pareto front against its definition checked pair by pair, on random
// point sets full of ties; the volumes it weighs by hand.

#include "engines/pareto_front.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "engines/part_volume.h"
#include "state/core_table_loader.h"

namespace tov {
namespace {

const CoreTable& Shipped() {
  static const CoreTableLoad load = LoadCoreTable(TOV_SOURCE_DIR "/data/coredat");
  return *load.table;
}

// The definition, every pair compared.
std::vector<bool> BruteForce(const std::vector<ParetoPoint>& points) {
  const auto counts = [](const ParetoPoint& p) {
    return p.takes_part && std::isfinite(p.x) && std::isfinite(p.y);
  };
  std::vector<bool> front;
  for (const ParetoPoint& b : points) {
    front.push_back(counts(b) && std::none_of(points.begin(), points.end(), [&](const auto& a) {
                      return counts(a) && a.x <= b.x && a.y <= b.y && (a.x < b.x || a.y < b.y);
                    }));
  }
  return front;
}

TEST(ParetoFrontTest, AgreesWithEveryPairComparedOnRandomSets) {
  std::mt19937_64 rng(25);
  for (int set = 0; set < 400; ++set) {
    // Few distinct values, so that ties on x, on y and on both are common;
    // a point without a value now and then.
    std::uniform_int_distribution<int> value(0, 1 + set % 12);
    const auto coordinate = [&] {
      return value(rng) == 1 && set % 3 == 0 ? NAN : double(value(rng));
    };
    std::vector<ParetoPoint> points(static_cast<std::size_t>(set % 40));
    for (ParetoPoint& p : points) p = {coordinate(), coordinate(), value(rng) != 0};
    ASSERT_EQ(ParetoFront(points), BruteForce(points)) << "set " << set;
  }
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
  const DesignResult toroid{.row = 1, .stack_count = 2, .le = 5, .Ae = 0.5f, .ODw = 1, .HTw = 0.5f};
  // Row 522: the first Velmax E-core set of the shipped table.
  const DesignResult e_core{
      .row = SectionOf(Material::VelmaxE).first_row, .e_core = true, .le = 4, .Ae = 0.25f};
  const CoreRowNumbers& e = Shipped().Numbers(e_core.row);
  const double e_box = *e.Number(CoreColumn::WindID) * *e.Number(CoreColumn::WindOD) *
                       *e.Number(CoreColumn::NomHt) * 16.387064;
  const VolumeCase cases[] = {
      {"toroid: 3.14 x 0.5^2 x 0.5 in^3", toroid, true, 6.43192262, 5.0},
      {"toroid not wound has no wound volume", toroid, false, std::nullopt, 5.0},
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

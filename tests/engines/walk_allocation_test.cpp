// The automatic search's row walk allocates nothing: every row it evaluates,
// winds and heats works in the walk's own values.

#include <gtest/gtest.h>

#include "engines/search_walk.h"
#include "state/core_table_loader.h"
#include "support/allocation_count.h"

using tov::testing::allocation_count::allocations;
using tov::testing::allocation_count::counting;

namespace tov {
namespace {

TEST(SearchWalk, EvaluatesWindsAndHeatsEveryRowWithoutAllocating) {
  const CoreTableLoad load = LoadCoreTable(TOV_SOURCE_DIR "/data/coredat");
  ASSERT_TRUE(load.table) << load.error;
  for (const Material material : kMaterials) {
    DesignRequest request;
    request.material = material;
    request.dc_current_a = 0.1;
    request.ripple_a = 0.02;
    request.full_load_l_uh = 1000;
    request.no_load_l_uh = 1500;
    SearchWalk walk(request, *load.table);
    int rows = 0;
    counting = true;
    allocations = 0;
    for (int16_t row = walk.StartRow(); !walk.IsEndRow(row); ++row, ++rows) {
      if (walk.Evaluate(row).Pass()) walk.WindAndHeat();
    }
    counting = false;
    EXPECT_EQ(allocations, 0) << InfoOf(material).cli_name;
    EXPECT_GT(rows, 25);
  }
}

}  // namespace
}  // namespace tov

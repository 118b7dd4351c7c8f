// The core database's fingerprint tells tables apart by every cell, and
// reads as eight upper-case hexadecimal digits.

#include "state/core_table_fingerprint.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

namespace tov {
namespace {

TEST(CoreTableFingerprint, AnyChangedCellChangesItAndEqualTablesShareIt) {
  // FNV-1a of the empty table, by hand: 8,832 cells of kind 0, each closed by
  // a zero byte, from the offset basis.
  uint32_t empty = 2166136261u;
  for (int i = 0; i < 2 * 8832; ++i) empty *= 16777619u;
  EXPECT_EQ(CoreTableFingerprint(CoreTable()), empty);

  const auto with = [](int row, CoreColumn column, const CoreCell& cell) {
    CoreTable table;
    table.Set(row, column, cell);
    return CoreTableFingerprint(table);
  };
  const std::set<uint32_t> distinct = {
      empty,
      with(1, CoreColumn::AL, CoreCell::Number(5)),
      with(1, CoreColumn::AL, CoreCell::Text("5")),  // the same shown text, another kind
      with(1, CoreColumn::Perm, CoreCell::Number(5)),
      with(552, CoreColumn::NomHt, CoreCell::Number(5)),
      with(1, CoreColumn::AL, CoreCell::Number(50)),
      with(1, CoreColumn::AL, CoreCell::Text("")),
  };
  EXPECT_EQ(distinct.size(), 7u);
  EXPECT_EQ(with(7, CoreColumn::PartNo, CoreCell::Text("T50")),
            with(7, CoreColumn::PartNo, CoreCell::Text("T50")));
  EXPECT_EQ(FingerprintText(0x0A1B2C3Du) + FingerprintText(0xDEADBEEFu), "0A1B2C3DDEADBEEF");
}

}  // namespace
}  // namespace tov

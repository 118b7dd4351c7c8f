// The shipped core database: what the generator writes, in sections from small
// to large, and physically consistent in every row.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <string>

#include "coredat/catalogue.h"
#include "state/core_table_loader.h"
#include "state/file_bytes.h"

namespace tov {
namespace {

const std::string kShippedPath = std::string(TOV_SOURCE_DIR) + "/data/coredat";

TEST(Coredat, IsWhatTheGeneratorWrites) {
  const std::string generated = coredat::CatalogueText(coredat::BuildCatalogue());
  EXPECT_EQ(ReadFileBytes(kShippedPath, 1 << 20), generated);
  EXPECT_EQ(ReadFileBytes(TOV_RUNTIME_DIR "/coredat", 1 << 20), generated);
}

// Each section runs from the smallest core to the largest (by size figure,
// then permeability) and ends in a row of zeros with the end-row size figure.
// Every core has numbers where the program reads them, a part number of its
// own, AL = 4 pi ui Ae / le, a size figure Wa^2 Ae / le, and toroids the path
// length, area and window of their nominal ring.
TEST(Coredat, SectionsRunFromSmallToLargeAndEveryRowIsConsistent) {
  const CoreTableLoad load = LoadCoreTable(kShippedPath);
  ASSERT_TRUE(load.table) << load.error;
  const auto num = [&](int row, CoreColumn c) {
    return load.table->Cell(row, c).AsDouble().value_or(std::nan(""));
  };
  const auto near = [](double actual, double expected, double relative) {
    return std::fabs(actual - expected) <= relative * expected;
  };
  using C = CoreColumn;
  constexpr double pi = std::numbers::pi, cm = 2.54;
  std::set<std::string> part_numbers;
  for (Material m : kMaterials) {
    const int end = SectionOf(m).end_row;
    for (int column : {2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 14, 15, 16}) {
      EXPECT_EQ(num(end, CoreColumn(column)), 0) << end << " / " << column;
    }
    EXPECT_EQ(num(end, C::SizeFigure), kEndRowSizeFigure);
    for (int row = SectionOf(m).first_row; row < end; ++row) {
      SCOPED_TRACE("row " + std::to_string(row));
      for (int column : {2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 14, 15, 16}) {
        EXPECT_EQ(load.table->Cell(row, CoreColumn(column)).AsDouble().value_or(0) > 0,
                  column != 10 || IsECore(m));
      }
      EXPECT_TRUE(part_numbers.insert(load.table->Cell(row, C::PartNo).Display()).second);
      const double F = num(row, C::SizeFigure), next = num(row + 1, C::SizeFigure);
      EXPECT_TRUE(F < next || (F == next && num(row, C::Perm) < num(row + 1, C::Perm)));
      const double le = num(row, C::PathLen), Ae = num(row, C::CoreArea);
      const double Wa = num(row, C::WindowArea);
      EXPECT_TRUE(near(num(row, C::AL), 4 * pi * num(row, C::Perm) * Ae / le, 0.01));
      EXPECT_TRUE(near(F, Wa * Wa * Ae / le, 0.002));
      if (IsECore(m)) continue;
      const double od = num(row, C::NomOD), id = num(row, C::NomID);
      EXPECT_TRUE(id > num(row, C::WindID) && od < num(row, C::WindOD));
      EXPECT_TRUE(near(le, pi * (od - id) * cm / std::log(od / id), 0.001));
      EXPECT_TRUE(near(Ae, (od - id) / 2 * num(row, C::NomHt) * cm * cm, 0.001));
      EXPECT_TRUE(near(Wa, pi * std::pow(num(row, C::WindID) * cm, 2) / 4, 0.001));
    }
  }
}

}  // namespace
}  // namespace tov

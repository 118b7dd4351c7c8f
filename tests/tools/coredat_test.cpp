// The shipped core database: generated text, section layout, and physical
// consistency of every row.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <numbers>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>

#include "coredat/catalogue.h"
#include "state/core_table.h"
#include "state/core_table_loader.h"
#include "state/field_scanner.h"

namespace tov {
namespace {

constexpr double kPiExact = std::numbers::pi;
constexpr double kCmPerInch = 2.54;

const std::string kShippedPath = std::string(TOV_SOURCE_DIR) + "/data/coredat";

std::string ReadFile(const std::string& path) {
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

const CoreTable& Shipped() {
  static const CoreTableLoad load = LoadCoreTable(kShippedPath);
  if (!load.table) throw std::runtime_error(load.error);
  return *load.table;
}

double Num(int row, CoreColumn column) {
  return Shipped().Cell(row, column).AsDouble().value_or(std::nan(""));
}

// Calls `check` for every core row (end rows left out).
void ForEachCoreRow(const std::function<void(Material, int)>& check) {
  for (Material m : kMaterials) {
    for (int row = SectionOf(m).first_row; row <= SectionOf(m).last_core_row; ++row) {
      SCOPED_TRACE("row " + std::to_string(row));
      check(m, row);
    }
  }
}

void ExpectNear(double actual, double expected, double relative, const char* what) {
  EXPECT_LE(std::fabs(actual - expected), relative * std::fabs(expected))
      << what << ": " << actual << " against " << expected;
}

TEST(CoredatFile, IsWhatTheGeneratorWritesOneRowOfSixteenValuesPerLine) {
  const std::string generated = coredat::CatalogueText(coredat::BuildCatalogue());
  EXPECT_EQ(ReadFile(kShippedPath), generated);
  EXPECT_EQ(ReadFile(std::string(TOV_RUNTIME_DIR) + "/coredat"), generated);
  std::istringstream lines(generated);
  std::string line;
  int line_count = 0;
  while (std::getline(lines, line)) {
    ++line_count;
    FieldScanner fields(line);
    int values = 0;
    while (fields.Next()) ++values;
    EXPECT_EQ(values, kCoreColumns) << "line " << line_count;
    EXPECT_EQ(line.find('\r'), std::string::npos) << "line " << line_count;
  }
  EXPECT_EQ(line_count, kCoreRows);
  for (const auto& [value, digits, text] :
       {std::tuple{0.0000086994, 4, "0.000008699"}, {9.99996, 4, "10"}, {123456.7, 3, "123457"}}) {
    EXPECT_EQ(coredat::SignificantText(value, digits), text);
  }
}

// Each section runs from the smallest core to the largest and ends in a row of
// zeros with the end-row size figure.
TEST(CoredatSections, RunFromSmallestToLargestAndEndInAnEndRow) {
  ForEachCoreRow([](Material m, int row) {
    const int next = row + 1;
    if (next == SectionOf(m).end_row) return;
    EXPECT_LE(Num(row, CoreColumn::SizeFigure), Num(next, CoreColumn::SizeFigure));
    if (Num(row, CoreColumn::SizeFigure) == Num(next, CoreColumn::SizeFigure)) {
      EXPECT_LT(Num(row, CoreColumn::Perm), Num(next, CoreColumn::Perm));
    }
  });
  for (Material m : kMaterials) {
    const int end = SectionOf(m).end_row;
    EXPECT_EQ(Num(end, CoreColumn::SizeFigure), kEndRowSizeFigure) << end;
    EXPECT_NE(Shipped().Cell(end, CoreColumn::PartNo).Display(), "") << end;
    for (int column : {2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 14, 15, 16}) {
      EXPECT_EQ(Num(end, CoreColumn(column)), 0) << end << " / " << column;
    }
  }
}

// Numbers where the program reads numbers, unique part numbers, AL from ui, Ae
// and le, and figures that follow the nominal toroid geometry.
TEST(CoredatRows, HoldConsistentNumbers) {
  std::set<std::string> part_numbers;
  ForEachCoreRow([&part_numbers](Material m, int row) {
    for (int column : {2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 14, 15, 16}) {
      const CoreCell& cell = Shipped().Cell(row, CoreColumn(column));
      EXPECT_TRUE(cell.IsNumber()) << column;
      EXPECT_EQ(cell.AsDouble().value_or(0) > 0, column != 10 || IsECore(m)) << column;
    }
    EXPECT_TRUE(part_numbers.insert(Shipped().Cell(row, CoreColumn::PartNo).Display()).second);
    const double le = Num(row, CoreColumn::PathLen);
    const double ae = Num(row, CoreColumn::CoreArea);
    const double wa = Num(row, CoreColumn::WindowArea);
    ExpectNear(Num(row, CoreColumn::AL), 4 * kPiExact * Num(row, CoreColumn::Perm) * ae / le, 0.01,
               "AL");
    ExpectNear(Num(row, CoreColumn::SizeFigure), wa * wa * ae / le, 0.002, "SizeFigure");
    if (IsECore(m)) return;
    const double od = Num(row, CoreColumn::NomOD);
    const double id = Num(row, CoreColumn::NomID);
    const double bore_cm = Num(row, CoreColumn::WindID) * kCmPerInch;
    EXPECT_GT(id, Num(row, CoreColumn::WindID));
    EXPECT_LT(od, Num(row, CoreColumn::WindOD));
    ExpectNear(le, kPiExact * (od - id) * kCmPerInch / std::log(od / id), 0.001, "le");
    ExpectNear(ae, (od - id) / 2 * Num(row, CoreColumn::NomHt) * kCmPerInch * kCmPerInch, 0.001,
               "Ae");
    ExpectNear(wa, kPiExact * bore_cm * bore_cm / 4, 0.001, "Wa");
  });
}

}  // namespace
}  // namespace tov

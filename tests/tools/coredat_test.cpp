// The shipped core database: generated text, section layout, and physical
// consistency of every row.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <set>
#include <sstream>
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
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The shipped file as the program loads it; nullptr when it does not load.
const CoreTable* Shipped() {
  static const CoreTableLoad load = LoadCoreTable(kShippedPath);
  return load.table ? &*load.table : nullptr;
}

double Num(const CoreTable& table, int row, CoreColumn column) {
  return table.Cell(row, column).AsDouble().value_or(std::nan(""));
}

void ExpectNear(double actual, double expected, double relative, const std::string& what) {
  EXPECT_LE(std::fabs(actual - expected), relative * std::fabs(expected))
      << what << ": " << actual << " against " << expected;
}

TEST(CoredatFile, IsWhatTheGeneratorWrites) {
  const std::string generated = coredat::CatalogueText(coredat::BuildCatalogue());
  EXPECT_EQ(ReadFile(kShippedPath), generated);
  EXPECT_EQ(ReadFile(std::string(TOV_RUNTIME_DIR) + "/coredat"), generated);
}

TEST(CoredatFile, HoldsExactlyOneTableOfValuesOneRowPerLine) {
  const std::string text = ReadFile(kShippedPath);
  EXPECT_EQ(text.find('\r'), std::string::npos);
  std::istringstream lines(text);
  std::string line;
  int line_count = 0;
  while (std::getline(lines, line)) {
    ++line_count;
    FieldScanner fields(line);
    int values = 0;
    while (fields.Next()) ++values;
    EXPECT_EQ(values, kCoreColumns) << "line " << line_count;
  }
  EXPECT_EQ(line_count, kCoreRows);
  ASSERT_NE(Shipped(), nullptr);
}

TEST(CoredatSections, EachEndsInAnEndRowOfZeros) {
  ASSERT_NE(Shipped(), nullptr);
  const CoreTable& table = *Shipped();
  for (Material m : kMaterials) {
    const int end = SectionOf(m).end_row;
    SCOPED_TRACE(end);
    EXPECT_EQ(Num(table, end, CoreColumn::SizeFigure), kEndRowSizeFigure);
    EXPECT_TRUE(table.Cell(end, CoreColumn::PartNo).IsText());
    EXPECT_FALSE(table.Cell(end, CoreColumn::PartNo).Display().empty());
    EXPECT_EQ(table.Cell(end, CoreColumn::PartSuffix).Display(), "");
    for (int column = 2; column <= kCoreColumns; ++column) {
      if (column == 9 || column == 13) continue;
      EXPECT_EQ(Num(table, end, static_cast<CoreColumn>(column)), 0) << "column " << column;
    }
  }
}

TEST(CoredatSections, RunFromTheSmallestCoreToTheLargest) {
  ASSERT_NE(Shipped(), nullptr);
  const CoreTable& table = *Shipped();
  for (Material m : kMaterials) {
    const MaterialSection section = SectionOf(m);
    for (int row = section.first_row; row < section.last_core_row; ++row) {
      const double here = Num(table, row, CoreColumn::SizeFigure);
      const double next = Num(table, row + 1, CoreColumn::SizeFigure);
      EXPECT_LE(here, next) << "row " << row;
      if (here == next) {
        EXPECT_LT(Num(table, row, CoreColumn::Perm), Num(table, row + 1, CoreColumn::Perm))
            << "row " << row;
      }
    }
  }
}

TEST(CoredatRows, CoreColumnsHoldPositiveNumbers) {
  ASSERT_NE(Shipped(), nullptr);
  const CoreTable& table = *Shipped();
  for (Material m : kMaterials) {
    const MaterialSection section = SectionOf(m);
    for (int row = section.first_row; row <= section.last_core_row; ++row) {
      SCOPED_TRACE(row);
      for (int column : {2, 3, 4, 5, 6, 7, 9, 11, 12, 14, 15, 16}) {
        const CoreCell& cell = table.Cell(row, static_cast<CoreColumn>(column));
        EXPECT_TRUE(cell.IsNumber()) << "column " << column;
        EXPECT_GT(cell.AsDouble().value_or(0), 0) << "column " << column;
      }
      EXPECT_TRUE(table.Cell(row, CoreColumn::SurfaceArea).IsNumber());
      EXPECT_EQ(Num(table, row, CoreColumn::SurfaceArea) > 0, IsECore(m));
      EXPECT_NE(Num(table, row, CoreColumn::SizeFigure), kEndRowSizeFigure);
      EXPECT_TRUE(table.Cell(row, CoreColumn::PartNo).IsText());
      EXPECT_TRUE(table.Cell(row, CoreColumn::PartSuffix).IsText());
    }
  }
}

TEST(CoredatRows, ALFollowsPermeabilityAreaAndPath) {
  ASSERT_NE(Shipped(), nullptr);
  const CoreTable& table = *Shipped();
  for (Material m : kMaterials) {
    const MaterialSection section = SectionOf(m);
    for (int row = section.first_row; row <= section.last_core_row; ++row) {
      const double al = 4 * kPiExact * Num(table, row, CoreColumn::Perm) *
                        Num(table, row, CoreColumn::CoreArea) /
                        Num(table, row, CoreColumn::PathLen);
      ExpectNear(Num(table, row, CoreColumn::AL), al, 0.01, "AL of row " + std::to_string(row));
    }
  }
}

TEST(CoredatRows, ToroidMagneticDataFollowTheCoatedAndNominalGeometry) {
  ASSERT_NE(Shipped(), nullptr);
  const CoreTable& table = *Shipped();
  for (Material m : {Material::MPP, Material::HF, Material::Velmax}) {
    const MaterialSection section = SectionOf(m);
    double smaller_od = 0;
    double smaller_build = 0;
    for (int row = section.first_row; row <= section.last_core_row; ++row) {
      const std::string at = " of row " + std::to_string(row);
      const double od = Num(table, row, CoreColumn::NomOD);
      const double id = Num(table, row, CoreColumn::NomID);
      const double ht = Num(table, row, CoreColumn::NomHt);
      const double build = (id - Num(table, row, CoreColumn::WindID)) / 2;
      EXPECT_NEAR((Num(table, row, CoreColumn::WindOD) - od) / 2, build, 1e-6) << at;
      EXPECT_NEAR((Num(table, row, CoreColumn::WindHt) - ht) / 2, build, 1e-6) << at;
      EXPECT_GE(build, 0.001) << at;
      EXPECT_LE(build, 0.010) << at;
      if (od > smaller_od) {
        EXPECT_GE(build, smaller_build - 1e-6) << "coating thinner" << at;
      }
      smaller_od = od;
      smaller_build = build;

      const double le = Num(table, row, CoreColumn::PathLen);
      const double ae = Num(table, row, CoreColumn::CoreArea);
      const double wa = Num(table, row, CoreColumn::WindowArea);
      const double bore_cm = Num(table, row, CoreColumn::WindID) * kCmPerInch;
      ExpectNear(le, kPiExact * (od - id) * kCmPerInch / std::log(od / id), 0.001, "le" + at);
      ExpectNear(ae, (od - id) / 2 * ht * kCmPerInch * kCmPerInch, 0.001, "Ae" + at);
      ExpectNear(wa, kPiExact * bore_cm * bore_cm / 4, 0.001, "Wa" + at);
      ExpectNear(Num(table, row, CoreColumn::SizeFigure), wa * wa * ae / le, 0.002, "SF" + at);
    }
  }
}

TEST(CoredatRows, ECoreDataDescribeAWoundSet) {
  ASSERT_NE(Shipped(), nullptr);
  const CoreTable& table = *Shipped();
  const MaterialSection section = SectionOf(Material::VelmaxE);
  for (int row = section.first_row; row <= section.last_core_row; ++row) {
    const std::string at = " of row " + std::to_string(row);
    const double length_cm = Num(table, row, CoreColumn::WindID) * kCmPerInch;
    const double width_cm = Num(table, row, CoreColumn::WindOD) * kCmPerInch;
    const double height_cm = Num(table, row, CoreColumn::NomHt) * kCmPerInch;
    const double depth_cm = Num(table, row, CoreColumn::NomOD) * kCmPerInch;
    const double mlt_cm = Num(table, row, CoreColumn::WindHt);
    const double le = Num(table, row, CoreColumn::PathLen);
    const double ae = Num(table, row, CoreColumn::CoreArea);
    const double wa = Num(table, row, CoreColumn::WindowArea);

    EXPECT_GE(length_cm, Num(table, row, CoreColumn::NomID) * kCmPerInch) << at;
    EXPECT_GT(width_cm, depth_cm) << "coil stands out of the core" << at;
    EXPECT_GT(mlt_cm, 2 * depth_cm) << "turn wraps the centre leg" << at;
    EXPECT_LT(mlt_cm, 2 * (length_cm + width_cm)) << "turn inside the wound outline" << at;
    EXPECT_LT(wa, length_cm * height_cm / 2) << at;
    EXPECT_LT(ae, length_cm * depth_cm / 2) << at;
    EXPECT_LT(le, 2 * (length_cm + height_cm)) << at;
    ExpectNear(Num(table, row, CoreColumn::SurfaceArea),
               2 * (length_cm * width_cm + length_cm * height_cm + width_cm * height_cm), 0.002,
               "surface" + at);
    ExpectNear(Num(table, row, CoreColumn::SizeFigure), wa * wa * ae / le, 0.002, "SF" + at);
  }
}

TEST(CoredatParts, PartNumbersAreUniqueAndNameMaterialSizeAndGrade) {
  ASSERT_NE(Shipped(), nullptr);
  const CoreTable& table = *Shipped();
  std::set<std::string> part_numbers;
  for (Material m : kMaterials) {
    const MaterialSection section = SectionOf(m);
    for (int row = section.first_row; row <= section.last_core_row; ++row) {
      const std::string part_no = table.Cell(row, CoreColumn::PartNo).Display();
      const std::string column13 = table.Cell(row, CoreColumn::PartSuffix).Display();
      EXPECT_TRUE(part_numbers.insert(part_no).second) << part_no << " twice";
      EXPECT_EQ(part_no.rfind(coredat::MaterialCode(m), 0), 0u) << part_no;
      char grade[8];
      std::snprintf(grade, sizeof grade, "-%03d",
                    static_cast<int>(Num(table, row, CoreColumn::Perm)));
      EXPECT_EQ(part_no.substr(part_no.size() - 4), grade) << part_no;
      if (IsECore(m)) {
        EXPECT_EQ(column13.substr(0, 6), "VB" + part_no.substr(2, 4)) << part_no;
      } else {
        const double od_hundredths = std::stod(part_no.substr(2, 3));
        EXPECT_NEAR(od_hundredths, Num(table, row, CoreColumn::NomOD) * 100, 0.5) << part_no;
        EXPECT_TRUE(column13 == "-P" || column13 == "-E") << part_no;
      }
    }
  }
}

TEST(CoredatCoverage, SectionsOfferTheirGradesOverTheWholeSizeRange) {
  ASSERT_NE(Shipped(), nullptr);
  const CoreTable& table = *Shipped();
  struct Expected {
    Material material;
    std::set<int> grades;
    double smallest_od_in;
    double largest_od_in;
  };
  const Expected sections[] = {
      {Material::MPP, {14, 26, 60, 125, 147, 160, 173, 200, 300, 550}, 0.14, 6.5},
      {Material::HF, {14, 26, 60, 125, 147, 160}, 0.27, 6.5},
      {Material::Velmax, {26, 40, 60, 75, 90, 125}, 0.36, 6.5},
      {Material::VelmaxE, {40, 60, 90}, 16 / 25.4, 80 / 25.4},  // set length
  };
  for (const Expected& expected : sections) {
    const MaterialSection section = SectionOf(expected.material);
    std::set<int> grades;
    for (int row = section.first_row; row <= section.last_core_row; ++row) {
      grades.insert(static_cast<int>(Num(table, row, CoreColumn::Perm)));
    }
    EXPECT_EQ(grades, expected.grades);
    const CoreColumn size = IsECore(expected.material) ? CoreColumn::NomID : CoreColumn::NomOD;
    EXPECT_NEAR(Num(table, section.first_row, size), expected.smallest_od_in, 0.001);
    EXPECT_NEAR(Num(table, section.last_core_row, size), expected.largest_od_in, 0.001);
  }
  EXPECT_LT(Num(table, 1, CoreColumn::SizeFigure), 2e-5);
  EXPECT_GT(Num(table, SectionOf(Material::MPP).last_core_row, CoreColumn::SizeFigure), 1e3);
}

TEST(CoredatText, NumbersKeepTheirSignificantDigitsWithoutAnExponent) {
  const struct {
    double value;
    int digits;
    const char* text;
  } cases[] = {
      {0.0000086994, 4, "0.000008699"},
      {9.99996, 4, "10"},
      {99999, 4, "99999"},
      {1507.26, 4, "1507"},
      {0.5, 4, "0.5"},
      {2.9649, 3, "2.96"},
      {0.067, 4, "0.067"},
      {0, 4, "0"},
      {123456.7, 3, "123457"},
  };
  for (const auto& c : cases) EXPECT_EQ(coredat::SignificantText(c.value, c.digits), c.text);
}

}  // namespace
}  // namespace tov

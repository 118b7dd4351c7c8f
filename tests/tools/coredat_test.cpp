// The shipped core database: generated text, section layout, and physical
// consistency of every row.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <numbers>
#include <set>
#include <span>
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
constexpr std::array<Material, 3> kToroids = {Material::MPP, Material::HF, Material::Velmax};

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

double Num(int row, CoreColumn column) {
  return Shipped()->Cell(row, column).AsDouble().value_or(std::nan(""));
}

// Calls `check` for every core row (end rows left out) of the given materials.
void ForEachCoreRow(std::span<const Material> materials,
                    const std::function<void(Material, int)>& check) {
  for (Material m : materials) {
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

TEST(CoredatFile, IsWhatTheGeneratorWrites) {
  const std::string generated = coredat::CatalogueText(coredat::BuildCatalogue());
  EXPECT_EQ(ReadFile(kShippedPath), generated);
  EXPECT_EQ(ReadFile(std::string(TOV_RUNTIME_DIR) + "/coredat"), generated);
}

TEST(CoredatFile, HoldsOneRowOfSixteenValuesPerLine) {
  std::istringstream lines(ReadFile(kShippedPath));
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
  ASSERT_NE(Shipped(), nullptr);
}

TEST(CoredatSections, EachEndsInAnEndRowOfZeros) {
  ASSERT_NE(Shipped(), nullptr);
  for (Material m : kMaterials) {
    const int end = SectionOf(m).end_row;
    SCOPED_TRACE(end);
    EXPECT_EQ(Num(end, CoreColumn::SizeFigure), kEndRowSizeFigure);
    EXPECT_TRUE(Shipped()->Cell(end, CoreColumn::PartNo).IsText());
    EXPECT_NE(Shipped()->Cell(end, CoreColumn::PartNo).Display(), "");
    EXPECT_EQ(Shipped()->Cell(end, CoreColumn::PartSuffix).Display(), "");
    for (int column : {2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 14, 15, 16}) {
      EXPECT_EQ(Num(end, CoreColumn(column)), 0) << column;
    }
  }
}

TEST(CoredatSections, RunFromTheSmallestCoreToTheLargest) {
  ASSERT_NE(Shipped(), nullptr);
  ForEachCoreRow(kMaterials, [](Material m, int row) {
    if (row == SectionOf(m).last_core_row) return;
    const double here = Num(row, CoreColumn::SizeFigure);
    const double next = Num(row + 1, CoreColumn::SizeFigure);
    EXPECT_LE(here, next);
    if (here == next) {
      EXPECT_LT(Num(row, CoreColumn::Perm), Num(row + 1, CoreColumn::Perm));
    }
  });
}

TEST(CoredatRows, CoreColumnsHoldTheirNumbersAndTexts) {
  ASSERT_NE(Shipped(), nullptr);
  ForEachCoreRow(kMaterials, [](Material m, int row) {
    for (int column : {2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 14, 15, 16}) {
      const CoreCell& cell = Shipped()->Cell(row, CoreColumn(column));
      EXPECT_TRUE(cell.IsNumber()) << column;
      if (column != 10 || IsECore(m)) {
        EXPECT_GT(cell.AsDouble().value_or(0), 0) << column;
      }
    }
    EXPECT_NE(Num(row, CoreColumn::SizeFigure), kEndRowSizeFigure);
    EXPECT_TRUE(Shipped()->Cell(row, CoreColumn::PartNo).IsText());
    EXPECT_TRUE(Shipped()->Cell(row, CoreColumn::PartSuffix).IsText());
  });
}

TEST(CoredatRows, ALFollowsPermeabilityAreaAndPath) {
  ASSERT_NE(Shipped(), nullptr);
  ForEachCoreRow(kMaterials, [](Material, int row) {
    ExpectNear(Num(row, CoreColumn::AL),
               4 * kPiExact * Num(row, CoreColumn::Perm) * Num(row, CoreColumn::CoreArea) /
                   Num(row, CoreColumn::PathLen),
               0.01, "AL");
  });
}

TEST(CoredatRows, ToroidDataFollowTheNominalAndCoatedGeometry) {
  ASSERT_NE(Shipped(), nullptr);
  ForEachCoreRow(kToroids, [](Material, int row) {
    const double od = Num(row, CoreColumn::NomOD);
    const double id = Num(row, CoreColumn::NomID);
    const double ht = Num(row, CoreColumn::NomHt);
    const double build = (id - Num(row, CoreColumn::WindID)) / 2;
    EXPECT_NEAR((Num(row, CoreColumn::WindOD) - od) / 2, build, 1e-6);
    EXPECT_NEAR((Num(row, CoreColumn::WindHt) - ht) / 2, build, 1e-6);
    EXPECT_GE(build, 0.001);
    EXPECT_LE(build, 0.010);

    const double le = Num(row, CoreColumn::PathLen);
    const double ae = Num(row, CoreColumn::CoreArea);
    const double wa = Num(row, CoreColumn::WindowArea);
    const double bore_cm = Num(row, CoreColumn::WindID) * kCmPerInch;
    ExpectNear(le, kPiExact * (od - id) * kCmPerInch / std::log(od / id), 0.001, "le");
    ExpectNear(ae, (od - id) / 2 * ht * kCmPerInch * kCmPerInch, 0.001, "Ae");
    ExpectNear(wa, kPiExact * bore_cm * bore_cm / 4, 0.001, "Wa");
    ExpectNear(Num(row, CoreColumn::SizeFigure), wa * wa * ae / le, 0.002, "SizeFigure");
  });
}

TEST(CoredatRows, ECoreDataDescribeAWoundSet) {
  ASSERT_NE(Shipped(), nullptr);
  const Material ecores[] = {Material::VelmaxE};
  ForEachCoreRow(ecores, [](Material, int row) {
    const double length_cm = Num(row, CoreColumn::WindID) * kCmPerInch;
    const double width_cm = Num(row, CoreColumn::WindOD) * kCmPerInch;
    const double height_cm = Num(row, CoreColumn::NomHt) * kCmPerInch;
    const double depth_cm = Num(row, CoreColumn::NomOD) * kCmPerInch;
    const double mlt_cm = Num(row, CoreColumn::WindHt);
    const double le = Num(row, CoreColumn::PathLen);
    const double ae = Num(row, CoreColumn::CoreArea);
    const double wa = Num(row, CoreColumn::WindowArea);
    EXPECT_GT(width_cm, depth_cm) << "the coil stands out of the core";
    EXPECT_GT(mlt_cm, 2 * depth_cm) << "a turn wraps the centre leg";
    EXPECT_LT(mlt_cm, 2 * (length_cm + width_cm)) << "a turn lies inside the wound outline";
    EXPECT_LT(wa, length_cm * height_cm / 2);
    ExpectNear(Num(row, CoreColumn::SurfaceArea),
               2 * (length_cm * width_cm + length_cm * height_cm + width_cm * height_cm), 0.002,
               "surface");
    ExpectNear(Num(row, CoreColumn::SizeFigure), wa * wa * ae / le, 0.002, "SizeFigure");
  });
}

TEST(CoredatParts, PartNumbersAreUniqueAndNameMaterialSizeAndGrade) {
  ASSERT_NE(Shipped(), nullptr);
  std::set<std::string> part_numbers;
  ForEachCoreRow(kMaterials, [&part_numbers](Material m, int row) {
    const std::string part_no = Shipped()->Cell(row, CoreColumn::PartNo).Display();
    const std::string column13 = Shipped()->Cell(row, CoreColumn::PartSuffix).Display();
    EXPECT_TRUE(part_numbers.insert(part_no).second) << part_no << " twice";
    EXPECT_EQ(part_no.rfind(coredat::MaterialCode(m), 0), 0u) << part_no;
    char grade[8];
    std::snprintf(grade, sizeof grade, "-%03d", static_cast<int>(Num(row, CoreColumn::Perm)));
    EXPECT_EQ(part_no.substr(part_no.size() - 4), grade) << part_no;
    if (IsECore(m)) {
      EXPECT_EQ(column13.substr(0, 6), "VB" + part_no.substr(2, 4)) << part_no;
    } else {
      EXPECT_NEAR(std::stod(part_no.substr(2, 3)), Num(row, CoreColumn::NomOD) * 100, 0.5);
      EXPECT_TRUE(column13 == "-P" || column13 == "-E") << part_no;
    }
  });
}

TEST(CoredatCoverage, SectionsOfferTheirGradesOverTheWholeSizeRange) {
  ASSERT_NE(Shipped(), nullptr);
  const struct {
    Material material;
    std::set<int> grades;
    double smallest_in;  // OD of a toroid, length of an E-core set
    double largest_in;
  } sections[] = {
      {Material::MPP, {14, 26, 60, 125, 147, 160, 173, 200, 300, 550}, 0.14, 6.5},
      {Material::HF, {14, 26, 60, 125, 147, 160}, 0.27, 6.5},
      {Material::Velmax, {26, 40, 60, 75, 90, 125}, 0.36, 6.5},
      {Material::VelmaxE, {40, 60, 90}, 16 / 25.4, 80 / 25.4},
  };
  for (const auto& expected : sections) {
    const MaterialSection section = SectionOf(expected.material);
    std::set<int> grades;
    for (int row = section.first_row; row <= section.last_core_row; ++row) {
      grades.insert(static_cast<int>(Num(row, CoreColumn::Perm)));
    }
    EXPECT_EQ(grades, expected.grades);
    const CoreColumn size = IsECore(expected.material) ? CoreColumn::NomID : CoreColumn::NomOD;
    EXPECT_NEAR(Num(section.first_row, size), expected.smallest_in, 0.001);
    EXPECT_NEAR(Num(section.last_core_row, size), expected.largest_in, 0.001);
  }
  EXPECT_LT(Num(1, CoreColumn::SizeFigure), 2e-5);
  EXPECT_GT(Num(SectionOf(Material::MPP).last_core_row, CoreColumn::SizeFigure), 1e3);
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
      {0, 4, "0"},
      {123456.7, 3, "123457"},
  };
  for (const auto& c : cases) EXPECT_EQ(coredat::SignificantText(c.value, c.digits), c.text);
}

}  // namespace
}  // namespace tov

#include "state/core_table_loader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tov {
namespace {

// The values of a complete database as they are written in the file: a quoted
// part number with leading zeros, numbers in varied forms, a quoted suffix.
std::vector<std::string> DatabaseValues(int count = kCoreValues) {
  std::vector<std::string> values;
  for (int n = 0; n < count; ++n) {
    const int row = n / kCoreColumns + 1;
    const int column = n % kCoreColumns + 1;
    if (column == 1) {
      values.push_back("\"00" + std::to_string(row) + "\"");
    } else if (column == 13) {
      values.push_back("\"A, " + std::to_string(row) + "\"");
    } else if (column == 9) {
      values.push_back(row % 10 == 0 ? "99999" : std::to_string(row) + ".5e1");
    } else {
      values.push_back(std::to_string(row) + "." + std::to_string(column));
    }
  }
  return values;
}

std::string Join(const std::vector<std::string>& values, int per_line, const char* line_end) {
  std::string data;
  for (std::size_t i = 0; i < values.size(); ++i) {
    data += values[i];
    const bool line_ends = per_line > 0 && (i + 1) % per_line == 0;
    data += line_ends ? line_end : ",";
  }
  return data;
}

// Every cell by its kind and shown text, for comparing whole tables.
std::vector<std::string> Cells(const CoreTable& table) {
  std::vector<std::string> cells;
  for (int row = 1; row <= kCoreRows; ++row) {
    for (int column = 1; column <= kCoreColumns; ++column) {
      const CoreCell& cell = table.Cell(row, static_cast<CoreColumn>(column));
      const char kind = cell.IsEmpty() ? 'e' : cell.IsNumber() ? 'n' : 't';
      cells.push_back(kind + cell.Display());
    }
  }
  return cells;
}

TEST(ParseCoreTable, PlacesValuesRowByRow) {
  const auto table = ParseCoreTable(Join(DatabaseValues(), kCoreColumns, "\r\n"));
  ASSERT_TRUE(table);
  EXPECT_EQ(table->Cell(1, CoreColumn::PartNo).Display(), "001");
  EXPECT_EQ(table->Cell(1, CoreColumn::PathLen).AsDouble(), 1.2);
  EXPECT_EQ(table->Cell(2, CoreColumn::PartNo).Display(), "002");
  EXPECT_EQ(table->Cell(251, CoreColumn::SizeFigure).AsDouble(), 2515.0);
  EXPECT_EQ(table->Cell(250, CoreColumn::SizeFigure).AsDouble(), kEndRowSizeFigure);
  EXPECT_EQ(table->Cell(552, CoreColumn::BobbinPN).Display(), "A, 552");
  EXPECT_EQ(table->Cell(552, CoreColumn::NomHt).AsSingle(), 552.16f);
}

TEST(ParseCoreTable, LineStructureDoesNotMatter) {
  const std::vector<std::string> values = DatabaseValues();
  const auto one_line = ParseCoreTable(Join(values, 0, ""));
  ASSERT_TRUE(one_line);
  const std::vector<std::string> expected = Cells(*one_line);
  for (auto [per_line, line_end] : {std::pair{kCoreColumns, "\r\n"}, std::pair{kCoreColumns, "\n"},
                                    std::pair{1, "\r"}, std::pair{5, "\r\n"}, std::pair{7, "\n"}}) {
    const auto table = ParseCoreTable(Join(values, per_line, line_end));
    ASSERT_TRUE(table) << per_line;
    EXPECT_EQ(Cells(*table), expected) << per_line << " values per line";
  }
}

TEST(ParseCoreTable, IgnoresValuesAfterTheLastCell) {
  std::vector<std::string> values = DatabaseValues();
  const auto exact = ParseCoreTable(Join(values, kCoreColumns, "\r\n"));
  values.insert(values.end(), {"1", "\"extra\"", "", "not a number"});
  std::size_t read = 0;
  const auto longer = ParseCoreTable(Join(values, kCoreColumns, "\r\n"), &read);
  ASSERT_TRUE(exact);
  ASSERT_TRUE(longer);
  EXPECT_EQ(read, static_cast<std::size_t>(kCoreValues));
  EXPECT_EQ(Cells(*longer), Cells(*exact));
}

TEST(ParseCoreTable, FailsWhenOneValueIsMissing) {
  std::size_t read = 0;
  EXPECT_FALSE(ParseCoreTable(Join(DatabaseValues(kCoreValues - 1), kCoreColumns, "\n"), &read));
  EXPECT_EQ(read, static_cast<std::size_t>(kCoreValues - 1));
  EXPECT_FALSE(ParseCoreTable("", &read));
  EXPECT_EQ(read, 0u);
}

TEST(ParseCoreTable, KeepsQuotedTextsExactAndShowsBareNumbersInPlainForm) {
  std::vector<std::string> values = DatabaseValues();
  values[0] = "\"0077A\"";      // row 1 part number, quoted
  values[16] = "00123";         // row 2 part number, bare
  values[32] = " 1.50E+03 ";    // row 3 part number, bare with exponent
  values[48] = "  \" 12 \"  ";  // row 4 part number, quoted with blanks
  values[2] = "";               // row 1 WindID left empty
  values[3] = "n/a";            // row 1 WindOD, a bare text
  const auto table = ParseCoreTable(Join(values, kCoreColumns, "\r\n"));
  ASSERT_TRUE(table);

  const CoreCell& quoted = table->Cell(1, CoreColumn::PartNo);
  EXPECT_TRUE(quoted.IsText());
  EXPECT_EQ(quoted.Display(), "0077A");
  const CoreCell& bare = table->Cell(2, CoreColumn::PartNo);
  EXPECT_TRUE(bare.IsNumber());
  EXPECT_EQ(bare.Display(), "123");
  EXPECT_EQ(table->Cell(3, CoreColumn::PartNo).Display(), "1500");
  EXPECT_EQ(table->Cell(4, CoreColumn::PartNo).Display(), " 12 ");
  EXPECT_TRUE(table->Cell(4, CoreColumn::PartNo).IsText());

  const CoreCell& empty = table->Cell(1, CoreColumn::WindID);
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(empty.Display(), "");
  EXPECT_EQ(empty.AsDouble(), 0.0);
  const CoreCell& text = table->Cell(1, CoreColumn::WindOD);
  EXPECT_TRUE(text.IsText());
  EXPECT_EQ(text.AsDouble(), std::nullopt);
  EXPECT_EQ(text.AsSingle(), std::nullopt);
}

TEST(CoreCell, ConvertsForConsumers) {
  EXPECT_EQ(CoreCell::Text(" 12.5 ").AsDouble(), 12.5);
  EXPECT_EQ(CoreCell::Text("0042").AsSingle(), 42.0f);
  EXPECT_EQ(CoreCell::Text("").AsDouble(), std::nullopt);
  EXPECT_EQ(CoreCell::Number(1e39).AsDouble(), 1e39);
  EXPECT_EQ(CoreCell::Number(1e39).AsSingle(), std::nullopt);
  EXPECT_EQ(CoreCell::Number(0.1).AsSingle(), 0.1f);
  EXPECT_EQ(CoreCell::Number(0.5).Display(), "0.5");
  EXPECT_EQ(CoreCell::Number(-1e20).Display(), "-1E+20");
  EXPECT_EQ(CoreCell::Text("-1e20").Display(), "-1e20");
}

class LoadCoreTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("tov_coredat_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::filesystem::path Write(const std::string& data) {
    const auto file = dir_ / kCoreDatabaseName;
    std::ofstream(file, std::ios::binary) << data;
    return file;
  }

  std::filesystem::path dir_;
};

TEST_F(LoadCoreTableTest, LoadsACompleteFile) {
  const auto load = LoadCoreTable(Write(Join(DatabaseValues(), kCoreColumns, "\r\n")));
  ASSERT_TRUE(load.table);
  EXPECT_EQ(load.error, "");
  EXPECT_EQ(load.table->Cell(395, CoreColumn::PartNo).Display(), "00395");
}

TEST_F(LoadCoreTableTest, AShortFileGivesNoTableAndAMessageNamingIt) {
  const auto file = Write(Join(DatabaseValues(kCoreValues - 1), kCoreColumns, "\r\n"));
  const auto load = LoadCoreTable(file);
  EXPECT_FALSE(load.table);
  EXPECT_NE(load.error.find("\"" + file.string() + "\""), std::string::npos) << load.error;
  EXPECT_NE(load.error.find("past end of file after 8831 of 8832 values"), std::string::npos)
      << load.error;
}

TEST_F(LoadCoreTableTest, AMissingOrUnreadableFileGivesNoTableAndAMessageNamingIt) {
  for (const auto& file : {dir_ / "no_such_coredat", dir_}) {
    const auto load = LoadCoreTable(file);
    EXPECT_FALSE(load.table);
    EXPECT_NE(load.error.find("\"" + file.string() + "\" was not found or could not be read"),
              std::string::npos)
        << load.error;
  }
}

}  // namespace
}  // namespace tov

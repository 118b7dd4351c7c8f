#include "state/core_table_loader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tov {
namespace {

// The values of a database as the file writes them: a quoted part number with
// leading zeros, numbers in varied forms, a quoted suffix holding a comma.
std::vector<std::string> DatabaseValues(int count = kCoreValues) {
  std::vector<std::string> values;
  for (int n = 0; n < count; ++n) {
    const std::string row = std::to_string(n / kCoreColumns + 1);
    const int column = n % kCoreColumns + 1;
    values.push_back(column == 1    ? "\"00" + row + "\""
                     : column == 13 ? "\"A, " + row + "\""
                                    : row + "." + std::to_string(column));
  }
  return values;
}

std::string Join(const std::vector<std::string>& values, int per_line, const char* line_end) {
  std::string data;
  for (std::size_t i = 0; i < values.size(); ++i) {
    data += values[i] + ((i + 1) % per_line == 0 ? line_end : ",");
  }
  return data;
}

// Every cell by its kind and shown text, for comparing whole tables.
std::vector<std::string> Cells(const CoreTable& table) {
  std::vector<std::string> cells;
  for (int n = 0; n < kCoreValues; ++n) {
    const CoreCell& cell = table.Cell(n / kCoreColumns + 1, CoreColumn(n % kCoreColumns + 1));
    cells.push_back((cell.IsEmpty() ? 'e' : cell.IsNumber() ? 'n' : 't') + cell.Display());
  }
  return cells;
}

TEST(ParseCoreTable, LineStructureAndValuesAfterTheLastCellDoNotMatter) {
  std::vector<std::string> values = DatabaseValues();
  const auto table = ParseCoreTable(Join(values, kCoreColumns, "\r\n"));
  ASSERT_TRUE(table);
  for (auto [per_line, line_end] : {std::pair{kCoreValues, ""}, std::pair{kCoreColumns, "\n"},
                                    std::pair{1, "\r"}, std::pair{7, "\r\n"}}) {
    const auto other = ParseCoreTable(Join(values, per_line, line_end));
    ASSERT_TRUE(other) << per_line;
    EXPECT_EQ(Cells(*other), Cells(*table)) << per_line << " values per line";
  }

  values.insert(values.end(), {"1", "\"extra\"", "", "not a number"});
  std::size_t read = 0;
  const auto longer = ParseCoreTable(Join(values, kCoreColumns, "\r\n"), &read);
  ASSERT_TRUE(longer);
  EXPECT_EQ(read, static_cast<std::size_t>(kCoreValues));
  EXPECT_EQ(Cells(*longer), Cells(*table));
}

// Cells by kind (e, n, t) and shown text; index 8828 is column 13 of row 552.
TEST(ParseCoreTable, PlacesValuesRowByRowKeepingQuotedTextsExact) {
  const struct {
    int index;
    const char* written;
    const char* cell;
  } cases[] = {
      {0, "\"0077A\"", "t0077A"},    {16, "00123", "n123"}, {32, " 1.50E+03 ", "n1500"},
      {48, "  \" 12 \"  ", "t 12 "}, {2, "", "e"},          {3, "n/a", "tn/a"},
      {4, "-1e20", "n-1E+20"},       {17, "2.2", "n2.2"},   {8828, "\"last\"", "tlast"},
  };
  std::vector<std::string> values = DatabaseValues();
  for (const auto& c : cases) values[c.index] = c.written;
  const auto table = ParseCoreTable(Join(values, kCoreColumns, "\r\n"));
  ASSERT_TRUE(table);
  const std::vector<std::string> cells = Cells(*table);
  for (const auto& c : cases) EXPECT_EQ(cells[c.index], c.cell) << c.written;

  EXPECT_EQ(CoreCell().AsDouble(), 0.0);
  EXPECT_EQ(CoreCell::Text("n/a").AsDouble(), std::nullopt);
  EXPECT_EQ(CoreCell::Text(" 0042 ").AsSingle(), 42.0f);
  EXPECT_EQ(CoreCell::Number(1e39).AsSingle(), std::nullopt);
}

TEST(LoadCoreTable, LoadsACompleteFileAndNamesTheFileOnEitherFailure) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("tov_coredat_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto file = dir / kCoreDatabaseName;
  const auto load = [&](int values) {
    std::ofstream(file, std::ios::binary) << Join(DatabaseValues(values), kCoreColumns, "\r\n");
    return LoadCoreTable(file);
  };
  const CoreTableLoad complete = load(kCoreValues);
  ASSERT_TRUE(complete.table);
  EXPECT_EQ(complete.error, "");
  EXPECT_EQ(complete.table->Cell(395, CoreColumn::PartNo).Display(), "00395");

  for (int values : {kCoreValues - 1, 0}) {
    const CoreTableLoad shorter = load(values);
    EXPECT_FALSE(shorter.table);
    EXPECT_NE(shorter.error.find("\"" + file.string() + "\""), std::string::npos) << shorter.error;
    EXPECT_NE(shorter.error.find("past end of file after " + std::to_string(values) + " of 8832"),
              std::string::npos)
        << shorter.error;
  }
  for (const auto& unreadable : {dir / "no_such_coredat", dir}) {
    const CoreTableLoad missing = LoadCoreTable(unreadable);
    EXPECT_FALSE(missing.table);
    EXPECT_NE(
        missing.error.find("\"" + unreadable.string() + "\" was not found or could not be read"),
        std::string::npos)
        << missing.error;
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tov

#include "state/core_table_loader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

namespace tov {
namespace {

// A database of `count` values as the file writes them, seven to a line: a
// quoted part number with leading zeros, numbers, a quoted suffix with a comma.
std::string Database(int count, const std::vector<std::pair<int, const char*>>& written = {}) {
  std::string data;
  for (int n = 0; n < count; ++n) {
    const std::string row = std::to_string(n / kCoreColumns + 1);
    const int column = n % kCoreColumns + 1;
    std::string value = column == 1    ? "\"00" + row + "\""
                        : column == 13 ? "\"A, " + row + "\""
                                       : row + "." + std::to_string(column);
    for (auto [index, text] : written) value = index == n ? text : value;
    data += value + (n % 7 == 6 ? "\r\n" : ",");
  }
  return data;
}

// Cells by kind (e, n, t) and shown text, row by row whatever the lines;
// index 8828 is column 13 of row 552. Values after the last cell do not matter.
TEST(ParseCoreTable, PlacesValuesRowByRowAndKeepsQuotedTextsExact) {
  const std::vector<std::pair<int, const char*>> written = {
      {16, "00123"}, {32, " 1.50E+03 "}, {48, "  \" 12 \"  "}, {2, ""}, {3, "n/a"}, {4, "-1e20"}};
  std::size_t read = 0;
  const auto table = ParseCoreTable(Database(kCoreValues, written) + "1,\"extra\"", &read);
  ASSERT_TRUE(table);
  EXPECT_EQ(read, static_cast<std::size_t>(kCoreValues));
  std::vector<std::string> cells;
  for (int index : {0, 16, 32, 48, 2, 3, 4, 17, 8828}) {
    const CoreCell& c = table->Cell(index / kCoreColumns + 1, CoreColumn(index % kCoreColumns + 1));
    cells.push_back((c.IsEmpty() ? 'e' : c.IsNumber() ? 'n' : 't') + c.Display());
  }
  EXPECT_EQ(cells, (std::vector<std::string>{"t001", "n123", "n1500", "t 12 ", "e", "tn/a",
                                             "n-1E+20", "n2.2", "tA, 552"}));
  EXPECT_EQ(CoreCell().AsDouble(), 0.0);
  EXPECT_EQ(CoreCell::Text(" 0042 ").AsSingle(), 42.0f);
  EXPECT_EQ(CoreCell::Number(1e39).AsSingle(), std::nullopt);
}

TEST(LoadCoreTable, LoadsACompleteFileAndNamesTheFileOnEitherFailure) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("tov_coredat_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto file = dir / kCoreDatabaseName, none = dir / "none";
  const auto load = [&](int values) {
    std::ofstream(file, std::ios::binary) << Database(values);
    return LoadCoreTable(file);
  };
  EXPECT_EQ(load(kCoreValues).table->Cell(395, CoreColumn::PartNo).Display(), "00395");
  for (const auto& [failed, path, why] :
       {std::tuple{load(kCoreValues - 1), file, "past end of file after 8831 of 8832"},
        {load(0), file, "after 0 of 8832"},
        {LoadCoreTable(none), none, "was not found or could not be read"},
        {LoadCoreTable(dir), dir, "was not found or could not be read"}}) {
    EXPECT_FALSE(failed.table);
    EXPECT_NE(failed.error.find("\"" + path.string() + "\""), std::string::npos) << failed.error;
    EXPECT_NE(failed.error.find(why), std::string::npos) << failed.error;
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tov

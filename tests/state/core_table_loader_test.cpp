#include "state/core_table_loader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
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

// A number no double holds is refused where it stands: the line of the file
// (seven values to a line) and the column at which the value begins. Texts,
// quoted values and the part-number columns load as written.
TEST(ParseCoreTable, RefusesANonFiniteNumberWithItsLineAndColumn) {
  const std::pair<const char*, bool> values[] = {
      {"nan", true},      {"-inf", true},      {"Infinity", true},  {" NaN ", true},
      {"1e400", true},    {"-2.5E+999", true}, {"nan(1)", true},    {"1e-400", false},
      {"\"nan\"", false}, {"n/a", false},      {"infinite", false}, {"3.4e38", false}};
  const std::pair<const char*, int> at[] = {{"\r\n", 2}, {"\n", 8 * 16 + 10}, {"\r", 8831}};
  for (const auto& [text, refused] : values) {
    // The first line, row 9's Perm, the last value; each line end once.
    for (const auto& [line_end, index] : at) {
      SCOPED_TRACE(text);
      const std::string data =
          std::regex_replace(Database(kCoreValues, {{index, text}}), std::regex("\r\n"), line_end);
      std::optional<CoreTableDamage> damage;
      std::size_t read = 0;
      EXPECT_EQ(ParseCoreTable(data, &read, &damage).has_value(), !refused);
      ASSERT_EQ(damage.has_value(), refused);
      if (!damage) continue;
      EXPECT_EQ(std::tuple(read, damage->line, damage->row, static_cast<int>(damage->table_column)),
                std::tuple(std::size_t(index), std::size_t(index / 7 + 1), index / kCoreColumns + 1,
                           index % kCoreColumns + 1));
      // The column counts from the start of the damaged line.
      const std::size_t at_value = data.find(std::string_view(text).substr(text[0] == ' ', 3));
      const std::size_t line_start = data.rfind(line_end, at_value);
      EXPECT_EQ(damage->column,
                at_value -
                    (line_start == std::string::npos ? 0 : line_start + std::strlen(line_end)) + 1);
    }
  }
  // The part number and suffix columns hold texts, whatever they say.
  EXPECT_TRUE(ParseCoreTable(Database(kCoreValues, {{0, "nan"}, {12, "inf"}})));
}

TEST(LoadCoreTable, LoadsACompleteFileAndNamesTheFileOnEveryFailure) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("tov_coredat_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto file = dir / kCoreDatabaseName, none = dir / "none", pipe = dir / "pipe";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);  // refused, not waited on for a writer
  const auto load = [&](int values, const std::vector<std::pair<int, const char*>>& written = {}) {
    std::ofstream(file, std::ios::binary) << Database(values, written);
    return LoadCoreTable(file);
  };
  EXPECT_EQ(load(kCoreValues).table->Cell(395, CoreColumn::PartNo).Display(), "00395");
  for (const auto& [failed, path, why] :
       {std::tuple{load(kCoreValues - 1), file, "past end of file after 8831 of 8832"},
        {load(0), file, "after 0 of 8832"},
        {LoadCoreTable(none), none, "was not found or could not be read"},
        {LoadCoreTable(dir), dir, "was not found or could not be read"},
        {LoadCoreTable(pipe), pipe, "was not found or could not be read"},
        {load(kCoreValues, {{26, "inf"}}), file,
         "is damaged: line 4, column 22 (row 2, column 11 of the table) holds \"inf\", which is "
         "no finite number"}}) {
    EXPECT_FALSE(failed.table);
    EXPECT_NE(failed.error.find("\"" + path.string() + "\""), std::string::npos) << failed.error;
    EXPECT_NE(failed.error.find(why), std::string::npos) << failed.error;
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tov

#include "io/design_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

#include "ui/logic/apply_design_file.h"

namespace tov {
namespace {

constexpr const char* kStartupFile =
    "0\r\n0\r\n\"10\"\r\n\"2\"\r\n\"100\"\r\n\"600\"\r\n\"100\"\r\n\"150\"\r\n\"35\"\r\n"
    "3\r\n1\r\n20\r\n1\r\n0\r\n";

DesignFileRecord StartupRecord() {
  WindowModel window;
  ApplyStartupDefaults(window);
  return RecordFromWindow(window);
}

// The start-up file with record `index` (0-based) replaced.
std::string StartupWith(int index, const std::string& value) {
  std::string out, file = kStartupFile;
  for (int i = 0; i < 14; ++i) {
    const std::size_t end = file.find("\r\n");
    out += (i == index ? value : file.substr(0, end)) + "\r\n";
    file.erase(0, end + 2);
  }
  return out;
}

TEST(DesignFile, WritesTheStartupSettingsAndTheAmbientInItsShortestForm) {
  EXPECT_EQ(WriteDesignFile(StartupRecord()), kStartupFile);
  DesignFileRecord warm = StartupRecord();
  warm.ambient_c = 20.1f;
  EXPECT_EQ(WriteDesignFile(warm), StartupWith(11, "20.1"));
}

// A refused file names the first record that is wrong.
TEST(DesignFile, ReaderTakesLooseLayoutsAndRefusesAnyBadRecordWhole) {
  std::string thirteen = kStartupFile;
  thirteen.erase(thirteen.size() - 3);
  DesignFileRecord coldest = StartupRecord();
  coldest.ambient_c = -234.45f;
  const std::string integer = " is not a whole number from -32768 to 32767.";
  const std::string ambient = "Record 12 (ambient temperature) is ";
  const std::tuple<std::string, std::optional<DesignFileRecord>, std::string> cases[] = {
      // Several values to a line, unquoted texts as plain numbers, extra values ignored.
      {"400, 1,  10.50,+2\n1e2,  600  ,.5,abc def ,\n7,5,  45 ,\"2\",-0\n99999,\"junk",
       DesignFileRecord{400, 1, "10.5", "2", "100", "600", "0.5", "abc def", "", 7, 5, 45.0f, 2, 0},
       ""},
      {thirteen + "0", StartupRecord(), ""},
      {StartupWith(11, "-234.45"), coldest, ""},
      {"", std::nullopt, "It is empty; a design file holds 14 records."},
      {thirteen, std::nullopt, "It ends after record 13; a design file holds 14 records."},
      {StartupWith(0, "32768"), std::nullopt, "Record 1 (core row)" + integer},
      {StartupWith(9, "3.5"), std::nullopt, "Record 10 (material code)" + integer},
      {StartupWith(13, ""), std::nullopt, "Record 14 (Single Layer Choke)" + integer},
      {StartupWith(11, "1e39"), std::nullopt, ambient + "not a number from -3.4E+38 to 3.4E+38."},
      {StartupWith(11, "-234.46"), std::nullopt,
       ambient + "-234.46 degrees C; copper keeps a positive resistance only above -234.45 "
                 "degrees C."},
      {StartupWith(12, "-32768"), std::nullopt,
       "Record 13 (stack count) is -32768; a design needs at least 1 core."},
      {StartupWith(12, "0,x"), std::nullopt,
       "Record 13 (stack count) is 0; a design needs at least 1 core."},
  };
  for (const auto& [bytes, expected, error] : cases) {
    const DesignFileRead read = ReadDesignFile(bytes);
    EXPECT_EQ(read.record, expected) << bytes;
    EXPECT_EQ(read.error, error) << bytes;
  }
}

}  // namespace
}  // namespace tov

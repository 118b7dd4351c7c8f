#include "io/design_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

#include "ui/logic/apply_design_file.h"

namespace tov {
namespace {

// The file of the start-up settings, record `index` (0-based) replaced by
// `value`, the last `dropped` records left out.
std::string StartupWith(int index = -1, const std::string& value = "", int dropped = 0) {
  const char* records[] = {"0",       "0",      "\"10\"", "\"2\"", "\"100\"", "\"600\"", "\"100\"",
                           "\"150\"", "\"35\"", "3",      "1",     "20",      "1",       "0"};
  std::string file;
  for (int i = 0; i < 14 - dropped; ++i) file += (i == index ? value : records[i]) + "\r\n";
  return file;
}

DesignFileRecord StartupRecord(float ambient_c = 20) {
  WindowModel window;
  ApplyStartupDefaults(window);
  DesignFileRecord record = RecordFromWindow(window);
  record.ambient_c = ambient_c;
  return record;
}

TEST(DesignFile, WritesTheStartupSettingsAndTheAmbientInItsShortestForm) {
  EXPECT_EQ(WriteDesignFile(StartupRecord()), StartupWith());
  EXPECT_EQ(WriteDesignFile(StartupRecord(20.1f)), StartupWith(11, "20.1"));
}

// A refused file names the first record that is wrong.
TEST(DesignFile, ReaderTakesLooseLayoutsAndRefusesAnyBadRecordWhole) {
  const std::string integer = " is not a whole number from -32768 to 32767.";
  const std::string ambient = "Record 12 (ambient temperature) is ";
  const std::string no_core = "; a design needs at least 1 core.";
  const std::tuple<std::string, std::optional<DesignFileRecord>, std::string> cases[] = {
      // Several values to a line, unquoted texts as plain numbers, extra values ignored.
      {"400, 1,  10.50,+2\n1e2,  600  ,.5,abc def ,\n7,5,  45 ,\"2\",-0\n99999,\"junk",
       DesignFileRecord{400, 1, "10.5", "2", "100", "600", "0.5", "abc def", "", 7, 5, 45.0f, 2, 0},
       ""},
      {StartupWith(-1, "", 1) + "0", StartupRecord(), ""},
      {StartupWith(11, "-234.45"), StartupRecord(-234.45f), ""},
      {"", std::nullopt, "It is empty; a design file holds 14 records."},
      {StartupWith(-1, "", 1), std::nullopt,
       "It ends after record 13; a design file holds 14 records."},
      {StartupWith(0, "32768"), std::nullopt, "Record 1 (core row)" + integer},
      {StartupWith(9, "3.5"), std::nullopt, "Record 10 (material code)" + integer},
      {StartupWith(13, ""), std::nullopt, "Record 14 (Single Layer Choke)" + integer},
      {StartupWith(11, "1e39"), std::nullopt, ambient + "not a number from -3.4E+38 to 3.4E+38."},
      {StartupWith(11, "-234.46"), std::nullopt,
       ambient + "-234.46 degrees C; copper keeps a positive resistance only above -234.45 "
                 "degrees C."},
      {StartupWith(12, "-32768"), std::nullopt, "Record 13 (stack count) is -32768" + no_core},
      {StartupWith(12, "0,x"), std::nullopt, "Record 13 (stack count) is 0" + no_core},
  };
  for (const auto& [bytes, expected, error] : cases) {
    const DesignFileRead read = ReadDesignFile(bytes);
    EXPECT_EQ(read.record, expected) << bytes;
    EXPECT_EQ(read.error, error) << bytes;
  }
}

}  // namespace
}  // namespace tov

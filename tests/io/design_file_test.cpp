#include "io/design_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

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
  warm.AmbientTemp = 20.1f;
  EXPECT_EQ(WriteDesignFile(warm), StartupWith(11, "20.1"));
}

TEST(DesignFile, ReaderTakesLooseLayoutsAndRefusesAnyBadRecordWhole) {
  std::string thirteen = kStartupFile;
  thirteen.erase(thirteen.size() - 3);
  const std::pair<std::string, std::optional<DesignFileRecord>> cases[] = {
      // Several values to a line, unquoted texts as plain numbers, extra values ignored.
      {"400, 1,  10.50,+2\n1e2,  600  ,.5,abc def ,\n7,5,  45 ,\"2\",-0\n99999,\"junk",
       DesignFileRecord{400, 1, "10.5", "2", "100", "600", "0.5", "abc def", "", 7, 5, 45.0f, 2,
                        0}},
      {thirteen + "0", StartupRecord()},
      {"", std::nullopt},
      {thirteen, std::nullopt},
      {StartupWith(0, "32768"), std::nullopt},
      {StartupWith(9, "3.5"), std::nullopt},
      {StartupWith(13, ""), std::nullopt},
      {StartupWith(11, "1e39"), std::nullopt},
  };
  for (const auto& [bytes, expected] : cases) EXPECT_EQ(ReadDesignFile(bytes), expected) << bytes;
}

}  // namespace
}  // namespace tov

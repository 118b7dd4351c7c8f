#include "io/design_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace tov {
namespace {

namespace fs = std::filesystem;

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

TEST(DesignFile, StartupSettingsGiveTheFourteenLinesByteForByte) {
  EXPECT_EQ(WriteDesignFile(StartupRecord()), kStartupFile);
  WindowModel window;
  window.material = Material::VelmaxE;
  window.mnuSingleLayer = true;
  const DesignFileRecord r = RecordFromWindow(window);
  EXPECT_EQ(r.MaterialCode, 4);
  EXPECT_EQ(r.FullLoadLMax, 0);
  EXPECT_EQ(r.SingleLayer, 1);
}

TEST(DesignFile, AmbientTemperatureIsWrittenInItsShortestFormAndReadBack) {
  const std::pair<float, const char*> cases[] = {{37.5f, "37.5"},  {-12.25f, "-12.25"},
                                                 {20.1f, "20.1"},  {0.25f, "0.25"},
                                                 {1e-7f, "1E-07"}, {1.5e7f, "1.5E+07"}};
  for (const auto& [value, written] : cases) {
    DesignFileRecord r = StartupRecord();
    r.AmbientTemp = value;
    const std::string bytes = WriteDesignFile(r);
    EXPECT_EQ(bytes, StartupWith(11, written));
    EXPECT_EQ(ReadDesignFile(bytes).value_or(DesignFileRecord{}).AmbientTemp, value) << written;
  }
}

TEST(DesignFile, EveryValueSurvivesARoundTripButATextIsCutAtAnInnerQuote) {
  DesignFileRecord r{-32768, 32767,  "1,5", "", "  100  ", "abc", "1e2",
                     "150",  "35.0", 0,     5,  45.0f,     -3,    1};
  EXPECT_EQ(ReadDesignFile(WriteDesignFile(r)), r);
  r.Idc = "10\"x";
  const auto cut = ReadDesignFile(WriteDesignFile(r));
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->Idc, "10");
  EXPECT_EQ(cut->Idelta, "");
}

TEST(DesignFile, ReaderTakesSeveralValuesToALineUnquotedInputsAndIgnoresTheRest) {
  const auto r = ReadDesignFile(
      "400, 1,  10.50,+2\n1e2,  600  ,.5,abc def ,\n7,5,  45 ,\"2\",-0\ntrailing,\"junk");
  ASSERT_TRUE(r);
  const DesignFileRecord expected{400,       1,  "10.5", "2", "100", "600", "0.5",
                                  "abc def", "", 7,      5,   45.0f, 2,     0};
  EXPECT_EQ(*r, expected);
  EXPECT_EQ(ReadDesignFile(std::string(kStartupFile) + "garbage\r\n99999\r\n"), StartupRecord());
}

TEST(DesignFile, ReaderRefusesTheWholeFileOnAnyBadRecord) {
  std::string thirteen = kStartupFile;
  thirteen.erase(thirteen.size() - 3);
  const std::string bad[] = {
      "",
      " \r\n \r\n",
      thirteen,
      StartupWith(0, "32768"),
      StartupWith(1, "-32769"),
      StartupWith(9, "3.5"),
      StartupWith(10, "yes"),
      StartupWith(13, ""),
      StartupWith(12, "1e300"),
      StartupWith(11, "warm"),
      StartupWith(11, "1e39"),
  };
  for (const std::string& bytes : bad) EXPECT_FALSE(ReadDesignFile(bytes)) << bytes;
  EXPECT_TRUE(ReadDesignFile(thirteen + "0"));
  EXPECT_TRUE(ReadDesignFile(StartupWith(0, "-32768")));
}

class FileReplacement : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() /
        ("tov_io_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string Contents(const fs::path& file) {
    return ReadFileBytes(file).value_or("<none>");
  }
  static void Put(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
  }
  // Entries of the folder: a temporary file left behind would show here.
  std::ptrdiff_t Entries() const { return std::distance(fs::directory_iterator(dir_), {}); }

  fs::path dir_;
};

TEST_F(FileReplacement, ReplacesAFileKeepingItsPermissionsAndWritesThroughALink) {
  const fs::path file = dir_ / "design.tov";
  Put(file, "old contents that are longer than the new ones");
  const fs::perms perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(file, perms);
  fs::create_symlink(file, dir_ / "link.tov");
  EXPECT_EQ(ReplaceFileContents(file, "new"), "");
  EXPECT_EQ(Contents(file), "new");
  EXPECT_EQ(fs::status(file).permissions(), perms);
  EXPECT_EQ(ReplaceFileContents(dir_ / "link.tov", "via link"), "");
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.tov"));
  EXPECT_EQ(Contents(file), "via link");
  EXPECT_EQ(Entries(), 2);
}

TEST_F(FileReplacement, AFolderInTheWayOrAMissingFolderFailsWithAReason) {
  fs::create_directory(dir_ / "taken.tov");
  Put(dir_ / "taken.tov" / "inside", "kept");
  EXPECT_NE(ReplaceFileContents(dir_ / "taken.tov", "x"), "");
  EXPECT_NE(ReplaceFileContents(dir_ / "taken.tov" / "", "x"), "");
  EXPECT_NE(ReplaceFileContents(dir_ / "missing" / "a.tov", "x"), "");
  EXPECT_EQ(Contents(dir_ / "taken.tov" / "inside"), "kept");
  EXPECT_EQ(Entries(), 1);
  EXPECT_FALSE(ReadFileBytes(dir_ / "taken.tov"));
  EXPECT_FALSE(ReadFileBytes(dir_ / "missing.tov"));
}

// A write that fails half-way (here: at the file size limit of the process)
// leaves the old file as it was and no temporary file behind.
TEST_F(FileReplacement, AFailedWriteLeavesTheOldFileIntact) {
  const fs::path file = dir_ / "design.tov";
  Put(file, "the good old design");
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto old_handler = signal(SIGXFSZ, SIG_IGN);
  rlimit tight = saved;
  tight.rlim_cur = 8;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
  const std::string failure = ReplaceFileContents(file, std::string(4096, 'x'));
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, old_handler);
  EXPECT_NE(failure, "");
  EXPECT_EQ(Contents(file), "the good old design");
  EXPECT_EQ(Entries(), 1);
}

}  // namespace
}  // namespace tov
